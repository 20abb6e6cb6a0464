// The Program Manager conversation: the package's group and its icons, as DDE execute
// commands sent without waiting for Program Manager to carry them out.
#include "progman/progman.h"

#include "base/install_list.h"
#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "resources/inf_schema.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

// The conversation, alive for the phase only.
struct Conversation {
    DWORD instance;
    HSZ service;
    HCONV conversation;
};
Conversation g_progman;

// The group that Program Manager shows last: the one that takes the items sent.
char g_currentGroup[128];

// Disconnects when the phase leaves, whichever way it leaves.
class ConnectedToProgman {
public:
    ConnectedToProgman() : connected_(ProgmanConnect() != 0) {}
    ~ConnectedToProgman() {
        if (connected_) ProgmanDisconnect();
    }
    ConnectedToProgman(const ConnectedToProgman&) = delete;
    ConnectedToProgman& operator=(const ConnectedToProgman&) = delete;
    explicit operator bool() const { return connected_; }

private:
    bool connected_;
};

// The item's name (after the program, up to the next comma) becomes the name of a file in
// the group's folder: one with a directory or a drive in it would put the icon elsewhere.
bool HasFileName(const char* afterProgram) {
    char name[setupinf::kDdeCommandSize];
    CopyText(name, afterProgram);
    if (char* comma = const_cast<char*>(FindChar(name, ','))) *comma = '\0';
    return !name[0] || IsPlainFileName(name);
}

// ReplaceItem with the item's name, then AddItem with its program's full path. A line
// without a comma has no name to replace. False when the item is refused.
bool AddItemLine(const char* line) {
    const char* comma = FindChar(line, ',');
    if (comma && !HasFileName(comma + 1)) {
        LogLine("Item name is not a file name, no icon: ", line);
        return false;
    }
    if (comma) ProgmanReplaceItem(comma + 1);
    ProgmanAddItem(line);
    return true;
}

// The item lines of a section, or false after reporting that it cannot be read.
bool ReadItemLines(UINT sectionId, char (&lines)[setupinf::kKeyListSize]) {
    return ReadSetupInfKeys(ResourceText<32>(sectionId), lines) != 0;
}

struct ItemSection {
    UINT section;
    int32_t SetupSession::*chosen;
    const char* logLine;
};

constexpr ItemSection kItemSections[] = {
    {IDS_SECTION_ITEMS_PROGFILES, &SetupSession::programFiles, "Creating icons: Program Files..."},
    {IDS_PRODUCT_NAME, &SetupSession::uninstallEnabled, "Creating icons: Uninstall..."},
    {IDS_SECTION_ITEMS_APL, &SetupSession::applications, "Creating icons: Applications..."},
    {IDS_SECTION_ITEMS_KDK, &SetupSession::developersKitSample, "Creating icons: Sample..."},
};

int CreateProductGroup() {
    LogLine("Creating Progman group...");
    int errors = 0;
    ResourceText<128> group(IDS_PRODUCT_NAME);
    if (ProgmanCreateGroup(group)) {
        ListProgmanGroup(group);
    } else {
        errors = 1;
        LogLine("Creating K-VOX group failed.");
    }
    LogLine("Adding icons in K-VOX group...");
    if (!CreateProductIcons()) ++errors;
    return errors;
}

int AddStartupItem() {
    LogLine("Adding icon in start-up group...");
    LogLine("Creating or activating StartUp group...");
    ProgmanCreateGroup(g_session.startupGroupName);
    char lines[setupinf::kKeyListSize];
    if (!ReadItemLines(IDS_SECTION_ITEMS_PROGFILES, lines)) return 1;
    return AddItemLine(lines) ? 0 : 1;
}

}  // namespace

KVOX_EXPORTED HDDEDATA CALLBACK ProgmanDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

int ProgmanConnect() {
    Conversation& c = g_progman;
    if (!c.instance && DdeInitializeA(&c.instance, ProgmanDdeCallback, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS,
                                      0) != DMLERR_NO_ERROR) {
        c.instance = 0;
        return 0;
    }
    if (!c.conversation) {
        if (!c.service) c.service = DdeCreateStringHandleA(c.instance, "Progman", CP_WINANSI);
        c.conversation = DdeConnect(c.instance, c.service, c.service, nullptr);
    }
    return c.conversation ? 1 : 0;
}

int ProgmanDisconnect() {
    Conversation& c = g_progman;
    if (c.instance) {
        if (c.conversation) DdeDisconnect(c.conversation);
        DdeUninitialize(c.instance);
    }
    c = Conversation{};
    return 1;
}

void (*g_progmanCommandObserver)(const char* command) = nullptr;

int ProgmanExecute(const char* command) {
    if (g_progmanCommandObserver) g_progmanCommandObserver(command);
    const Conversation& c = g_progman;
    if (!c.instance || !c.conversation) return 0;
    DWORD result = 0;
    HDDEDATA sent = DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(command)),
                                         static_cast<DWORD>(TextLength(command) + 1), c.conversation, nullptr, 0,
                                         XTYP_EXECUTE, TIMEOUT_ASYNC, &result);
    return sent ? 1 : 0;
}

int ProgmanSendCommand(const char* command, const char* argument, const char* more) {
    char text[setupinf::kDdeCommandSize];
    CopyText(text, "[");
    AppendText(text, command);
    AppendText(text, "(");
    AppendText(text, argument);
    AppendText(text, more);
    AppendText(text, ")]");
    return ProgmanExecute(text);
}

int ProgmanCreateGroup(const char* name) {
    CopyText(g_currentGroup, name);
    return ProgmanSendCommand("CreateGroup", name);
}

void ProgmanAddItem(const char* argument) {
    char full[280];
    CopyText(full, g_session.destinationDir);
    AppendText(full, argument);
    if (ProgmanSendCommand("AddItem", g_session.destinationDir, argument)) ListProgmanItem(g_currentGroup, full);
}

void ProgmanReplaceItem(const char* argument) { ProgmanSendCommand("ReplaceItem", argument); }

int AddSectionItems(UINT sectionId) {
    char lines[setupinf::kKeyListSize];
    if (!ReadItemLines(sectionId, lines)) return 0;
    bool allAdded = true;
    ForEachListedName(lines, [&](const char* line) { allAdded = AddItemLine(line) && allAdded; });
    return allAdded ? 1 : 0;
}

int CreateProductIcons() {
    int failed = 0;
    for (const ItemSection& items : kItemSections) {
        if (!(g_session.*items.chosen)) continue;
        LogLine(items.logLine);
        if (!AddSectionItems(items.section)) ++failed;
    }
    return failed == 0 ? 1 : 0;
}

int CreateProgmanGroups() {
    const SetupSession& s = g_session;
    LogLine("Initiating Progman...");
    ConnectedToProgman progman;
    if (!progman) {
        LogLine("Connection to Progman failed.");
        return 0;
    }
    int errors = 0;
    if (s.programFiles || s.applications || s.developersKitSample || s.uninstallEnabled) errors += CreateProductGroup();
    if (s.programFiles) errors += AddStartupItem();
    if (errors > 0) LogLine("Errors occured.");
    LogLine("Creating Progman group and icons complete.");
    return errors == 0 ? 1 : 0;
}
