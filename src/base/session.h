// The one record of settings that the whole setup run shares, and the product profile path.
#pragma once

#include <windows.h>
#include <cstdint>

#include "resources/inf_schema.h"

// A registry location that the configuration step edits.
struct RegistryLocation {
    HKEY root = nullptr;
    char subkey[128] = "";
};

// The font sets a session can choose, as a whole.
struct FontChoices {
    int32_t systemFonts = 0;
    int32_t screenFonts = 0;
    int32_t trueTypeFonts = 0;
    int32_t plotterFonts = 0;
    int32_t printerFonts = 0;
};

struct SetupSession {
    // Handles and directories; start-up fills the first group, the phases the rest.
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    char windowsDir[260] = "";
    char systemDir[260] = "";
    char fontsDir[260] = "";
    char startDir[260] = "";
    char setupInfPath[260] = "";
    char setupInfOnDisk[260] = "";  // where setup1.inf lies when setupInfPath is a copy of it (floppy)
    char destinationDir[260] = "";
    char sourceDir[128] = "";
    char uninstallRecordPath[260] = "";
    char logPath[260] = "";
    char packageFontPath[260] = "";
    char uiFontFace[128] = "";  // empty until the main window exists: the font mapper's default face

    // Registry keys and profile files that the configuration step edits (set at start-up).
    RegistryLocation installedFontsKey;
    RegistryLocation fontSubstitutesKey;
    RegistryLocation displaySettingsKey;
    RegistryLocation displayFontsKey;
    UINT winIniName = 0;      // string ids of the file names
    UINT systemIniName = 0;
    UINT windowsSetupInfName = 0;
    UINT controlInfName = 0;

    // Country, code pages and keyboard: install flags, the country step and the layout defaults.
    char defaultUserCountry[128] = "";
    char countryKey[setupinf::kCountryKeySize] = "";
    char systemFontsCodePage[setupinf::kCodePageSize] = "";
    char dosCodePage[setupinf::kDosCodePageSize] = "";
    char hotKey[64] = "";
    char chosenHotKey[setupinf::kHotKeyNameSize] = "";
    char firstLayout[32] = "";
    char secondLayout[32] = "";
    char fontSizeCode[4] = "";
    int32_t currentDosCodePage = 437;
    char startupGroupName[64] = "";
    HGLOBAL layoutTable = nullptr;
    int32_t layoutCount = 0;
    char listSeparator = ',';
    UINT countryStepDefault = 113;  // string id of the default the country step read with:
                                     // 22 "Not found" after the dialog, 113 "RUS" without it

    // Wizard switches, read from the install flags.
    int32_t showWelcomeDialog = 1;
    int32_t askCountryAndPath = 1;
    int32_t askSetupOptions = 1;
    int32_t askRestartOrReturn = 1;
    int32_t createdProgmanGroupOpened = 1;

    // Component selection: the program's defaults, then the country's and the dialogs'.
    int32_t programFiles = 1;
    int32_t layouts = 1;   // 2: a selection made in the layouts dialog
    int32_t fonts = 1;     // 2: a selection made in the fonts dialog
    int32_t applications = 1;
    int32_t trueTypeFonts = 1;
    int32_t systemFonts = 1;
    int32_t screenFonts = 1;
    int32_t plotterFonts = 1;
    int32_t printerFonts = 0;
    int32_t twentyFourPinPrinterFonts = 0;
    int32_t ninePinPrinterFonts = 0;
    int32_t developersKitSample = 0;
    FontChoices fontsSetAside;  // the font sets "Continue" cleared with Fonts unticked, until ticked again

    // Run state: switches, the sequencer's decisions, the copy counters.
    int32_t expressSetup = 0;
    int32_t oemSetup = 0;
    int32_t runUninstallerAtExit = 0;
    int32_t loggingEnabled = 1;
    int32_t fallbackCaptions = 0;
    UINT programTitle = 0;  // string id of the title of messages; 0: the setup's
    int32_t twentyFourPinPrintersPresent = 0;
    int32_t ninePinPrintersPresent = 0;
    int32_t printerDriversToUpdate = 0;
    int32_t alreadyInstalled = 0;
    int32_t uninstallEnabled = 1;
    int32_t replaceOldFiles = 1;
    int32_t ignoreAllDestinationErrors = 0;
    int32_t sourceDirKnown = 0;
    int32_t totalBytes = 0;
    int32_t bytesDone = 0;
    uint16_t dialogResult = 0;  // 0 cancelled or failed, 1 continue, 2 back
    int32_t exitMode = 0;       // 3: exit dialog with "Return to Windows", 2: restart or shut down only

    // Buffers the dialogs exchange texts through.
    char messageBuffer[120] = "";
    char valueBuffer[1024] = "";

    // Progress window and billboard.
    char currentFileName[260] = "";
    char currentTargetPath[260] = "";
    int32_t billboardSwitches = 0;
    int32_t billboardShown = 0;
    int32_t billboardArmed = 1;
    int16_t gaugeWidth = 0;  // fixed when the progress window is created

    // Pictures, brushes and the pen that the main window creates and releases at exit.
    HBITMAP cornerPicture = nullptr;
    HBITMAP logoPicture = nullptr;
    HBITMAP countryPicture = nullptr;
    HBITMAP diskPicture = nullptr;
    HBITMAP billboardPictures[5] = {};
    HBRUSH greyBrush = nullptr;
    HBRUSH gaugeBrush = nullptr;
    HPEN gaugePen = nullptr;
};

extern SetupSession g_session;

// True on Windows 95 (the Windows platform of the Win32 API), the only one the package supports.
// Elsewhere a plain system message box (string `text`, caption `caption`) refuses to run.
bool IsWindows95OrRefuse(HINSTANCE instance, UINT text, UINT caption);

// The registry keys that the configuration edits, as Windows 95 names them.
void FillRegistryLocations(SetupSession& session);

// windowsDir, systemDir and fontsDir, each with a trailing backslash; false after reporting
// IDS_NO_WINDOWS_DIR or IDS_NO_SYSTEM_DIR.
bool FindWindowsDirectories(SetupSession& session);

// The light grey of dialogs, messages and the progress window.
constexpr COLORREF kSetupGrey = RGB(192, 192, 192);

// The session's grey brush; before the main window has made it, the stock light grey.
HBRUSH SetupGreyBrush();

// windowsDir followed by "k-vox.ini".
void ProductProfilePath(char (&path)[260]);

// Loads string `id` of the program's string table into `buffer` (cut to size - 1); returns its length.
int LoadText(UINT id, char* buffer, int size);
template <size_t N>
int LoadText(UINT id, char (&buffer)[N]) { return LoadText(id, buffer, static_cast<int>(N)); }

// A name from the string table (section, key or file name), loaded where it is used.
template <size_t N = 128>
class ResourceText {
public:
    explicit ResourceText(UINT id) { LoadText(id, text_); }
    const char* Get() const { return text_; }
    operator const char*() const { return text_; }

private:
    char text_[N];
};
