// Install flags and the surveys of the running system.
#include "setupinfo/surveys.h"

#include "base/paths.h"
#include "base/session.h"
#include "base/text.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

constexpr int32_t kNinePin = 9;
constexpr int32_t kTwentyFourPin = 24;

int32_t ReadFlag(const char* file, const char* section, UINT keyId) {
    return static_cast<int32_t>(ReadProfileNumber(file, section, ResourceText<64>(keyId), 1));
}

// The printer kind that setup1.inf [printers] gives a printer of win.ini [devices].
int32_t PrinterKind(const char* printer) {
    char value[120];
    if (ReadProfileValue(g_session.setupInfPath, ResourceText<32>(IDS_SECTION_PRINTERS), printer, nullptr, value) == 0)
        return 0;
    char kind[120];
    if (!GetListMember(value, 1, kind, ",", true)) return 0;
    if (lstrcmpiA(kind, ResourceText<8>(IDS_KEY_PR2)) == 0) return kTwentyFourPin;
    if (lstrcmpiA(kind, ResourceText<8>(IDS_KEY_PR9)) == 0) return kNinePin;
    return 0;
}

}  // namespace

void ReadInstallFlags(const char* setupInfPath) {
    ResourceText<32> section(g_session.oemSetup ? IDS_SECTION_OEM_FLAGS : IDS_SECTION_COMMON_FLAGS);
    g_session.showWelcomeDialog = ReadFlag(setupInfPath, section, IDS_KEY_SHOW_WELCOME);
    g_session.askCountryAndPath = ReadFlag(setupInfPath, section, IDS_KEY_ASK_COUNTRY_AND_PATH);
    g_session.askSetupOptions = ReadFlag(setupInfPath, section, IDS_KEY_ASK_SETUP_OPTIONS);
    g_session.askRestartOrReturn = ReadFlag(setupInfPath, section, IDS_KEY_ASK_RESTART);
    g_session.createdProgmanGroupOpened = ReadFlag(setupInfPath, section, IDS_KEY_PROGMAN_GROUP_OPENED);

    ReadProfileValue(setupInfPath, section, ResourceText<32>(IDS_KEY_DEFAULT_COUNTRY),
                     ResourceText<32>(IDS_DEFAULT_COUNTRY), g_session.defaultUserCountry);
    ReadProfileValue(setupInfPath, section, ResourceText<32>(IDS_KEY_DEFAULT_HOTKEY),
                     ResourceText<32>(IDS_DEFAULT_HOTKEY), g_session.hotKey);

    ReadStartupGroupName(g_session.startupGroupName);
}

void ReadStartupGroupName(char (&name)[64]) {
    char windowsSetupInf[260];
    CopyText(windowsSetupInf, g_session.systemDir);
    AppendText(windowsSetupInf, ResourceText<32>(IDS_WINDOWS_SETUP_INF));
    ReadProfileValue(windowsSetupInf, "progman.groups", "group1", ResourceText<64>(IDS_DEFAULT_STARTUP_GROUP), name);
}

int32_t ReadCurrentDosCodePage() {
    char value[260];
    if (ReadProfileValue(ResourceText<32>(IDS_SYSTEM_INI), ResourceText<32>(IDS_SECTION_KEYBOARD),
                         ResourceText<32>(IDS_KEY_OEMANSI_BIN), nullptr, value) == 0)
        return 437;
    // The digits stand at the 5th to 7th character (xlat866.bin); a shorter value gives the
    // digits that are there, and no digits give 0.
    int32_t codePage = 0;
    size_t length = TextLength(value);
    for (size_t i = 4; i < 7 && i < length && value[i] >= '0' && value[i] <= '9'; ++i)
        codePage = codePage * 10 + (value[i] - '0');
    return codePage;
}

int32_t SurveyPrinters() {
    char printers[1024];
    if (ReadWinIniKeyList(ResourceText<32>(IDS_SECTION_DEVICES), printers, sizeof printers) == 0) return 0;
    bool ninePin = false, twentyFourPin = false;
    ForEachListedName(printers, [&](const char* printer) {
        int32_t kind = PrinterKind(printer);
        ninePin = ninePin || kind == kNinePin;
        twentyFourPin = twentyFourPin || kind == kTwentyFourPin;
    });
    return (ninePin ? kNinePin : 0) + (twentyFourPin ? kTwentyFourPin : 0);
}

int32_t IsAlreadyInstalled() {
    char profile[260];
    ProductProfilePath(profile);
    if (!FileExists(profile)) return 0;
    char locations[1024];
    if (ReadKeyList(profile, ResourceText<32>(IDS_SECTION_LOCATION), nullptr, locations) == 0) return 0;
    return lstrcmpiA(locations, g_session.destinationDir) == 0 ? 1 : 0;
}
