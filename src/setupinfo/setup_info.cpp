// Finding setup1.inf, and filling controls with the key names of one of its sections.
#include "setupinfo/setup_info.h"

#include <commdlg.h>

#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"

namespace {

constexpr char kInfFilter[] = "Inf Files (*.inf)\0*.inf\0All Files (*.*)\0*.*\0";

// The file's name as its directory spells it: every read of setup1.inf opens it again, and
// a name spelt otherwise costs a search of the directory on a system that ignores case.
void SpellAsListed(char (&path)[260]) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(path, &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    FindClose(find);
    PathParts parts = SplitPath(path);
    CopyText(path, parts.drive);
    AppendText(path, parts.directory);
    AppendText(path, entry.cFileName);
}

// Stores the full path of an existing, readable file in setupInfPath.
bool AcceptIfReadable(const char* candidate) {
    if (!FileExists(candidate)) return false;
    char fullPath[260];
    DWORD length = GetFullPathNameA(candidate, sizeof fullPath, fullPath, nullptr);
    if (length > 0 && length < sizeof fullPath) {
        SpellAsListed(fullPath);
        CopyText(g_session.setupInfPath, fullPath);
    } else {
        CopyText(g_session.setupInfPath, candidate);
    }
    return true;
}

// The common dialogs are loaded only when they are needed: with them comes a good part of
// the shell, which a setup that finds its file beside itself never uses.
BOOL ShowOpenFileDialog(OPENFILENAMEA* dialog) {
    using OpenFileDialog = BOOL(WINAPI*)(OPENFILENAMEA*);
    HMODULE library = LoadLibraryA("COMDLG32.DLL");
    if (!library) return FALSE;
    auto show = reinterpret_cast<OpenFileDialog>(reinterpret_cast<void*>(GetProcAddress(library, "GetOpenFileNameA")));
    BOOL chosen = show ? show(dialog) : FALSE;
    FreeLibrary(library);
    return chosen;
}

// The open-file dialog on setupInfPath; false when the user cancels.
bool AskForSetupInformationFile(HWND owner) {
    OPENFILENAMEA dialog;
    FillOpenFileDialog(dialog, owner);
    return ShowOpenFileDialog(&dialog) != FALSE;
}

// The setup reads setup1.inf to its end, but a file on a floppy disk goes away when the
// next disk is put in: the setup then reads a copy of it in the temporary directory.
int HoldCopyOffRemovableDisk() {
    SetupSession& s = g_session;
    char root[4];
    CopyText(root, s.setupInfPath);
    if (GetDriveTypeA(root) != DRIVE_REMOVABLE) return 1;
    char copy[260];
    DWORD length = GetTempPathA(sizeof copy, copy);
    if (length == 0 || length >= sizeof copy) return 1;
    AddTrailingBackslash(copy);
    AppendText(copy, "KVSETUP1.INF");
    if (!CopyFileA(s.setupInfPath, copy, FALSE)) return 1;
    CopyText(s.setupInfOnDisk, s.setupInfPath);
    CopyText(s.setupInfPath, copy);
    return 1;
}

using AddName = LRESULT (*)(HWND control, const char* name);

LRESULT AddComboName(HWND combo, const char* name) {
    return SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

LRESULT AddListName(HWND list, const char* name) {
    return SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

int FillFromSection(HWND control, const char* section, const char* defaultValue, const char* file, AddName add) {
    char names[1024];
    if (ReadKeyList(file, section, defaultValue, names) == 0) {
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_FILE, file == g_session.setupInfPath ? SetupInfNameShown() : file);
        return 0;
    }
    ForEachListedName(names, [&](const char* name) { add(control, name); });
    return 1;
}

}  // namespace

void FillOpenFileDialog(OPENFILENAMEA& dialog, HWND owner) {
    ClearBytes(&dialog, sizeof dialog);
    // The headers' structure has grown since Windows 95, whose dialog refuses any size but
    // its own.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kInfFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = g_session.setupInfPath;
    dialog.nMaxFile = sizeof g_session.setupInfPath;
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
}

DWORD ReadSetupInfKeys(const char* section, char* buffer, DWORD size) {
    DWORD length = ReadKeyList(g_session.setupInfPath, section, nullptr, buffer, size);
    if (length == 0) ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_READ_FILE, SetupInfNameShown());
    return length;
}

void GetProgramDirectory(char (&path)[260]) {
    char program[260] = "";
    GetModuleFileNameA(nullptr, program, sizeof program);
    PathParts parts = SplitPath(program);
    CopyText(path, parts.drive);
    AppendText(path, parts.directory);
    AddTrailingBackslash(path);
}

int LocateSetupInformationFile(HWND owner) {
    ResourceText<32> fileName(IDS_SETUP_INF_NAME);
    char candidate[260];
    GetProgramDirectory(candidate);
    AppendText(candidate, fileName);
    if (AcceptIfReadable(candidate)) return HoldCopyOffRemovableDisk();

    for (;;) {
        CopyText(g_session.setupInfPath, fileName);
        ShowMessage(owner, MB_ICONEXCLAMATION, IDS_SETUP_INF_NOT_FOUND, g_session.setupInfPath);
        if (!AskForSetupInformationFile(owner)) return 0;
        CopyText(candidate, g_session.setupInfPath);
        if (AcceptIfReadable(candidate)) return HoldCopyOffRemovableDisk();
    }
}

int FillComboFromSection(HWND combo, const char* section, const char* defaultValue, const char* file) {
    if (!FillFromSection(combo, section, defaultValue, file, AddComboName)) return 0;
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    return 1;
}

int FillListFromSection(HWND list, const char* section, const char* defaultValue, const char* file) {
    return FillFromSection(list, section, defaultValue, file, AddListName);
}

const char* SetupInfNameShown() {
    return g_session.setupInfOnDisk[0] ? g_session.setupInfOnDisk : g_session.setupInfPath;
}
