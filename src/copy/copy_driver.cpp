// The copy phase: where the files come from, then every file the chosen components need,
// section by section, in a fixed order; then the records of where the package lives.
#include <windows.h>

#include <initializer_list>

#include "base/handles.h"
#include "base/install_list.h"
#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/setup_log.h"
#include "base/text.h"
#include "copy/copy.h"
#include "dialogs/layout_table.h"
#include "progress/progress.h"
#include "resources/inf_schema.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

bool SameDirectory(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

// The first source directory: the start directory, else the first disk asked for.
bool SettleSourceDirectory() {
    SetupSession& s = g_session;
    if (!s.startDir[0]) {
        LogLine("Set source directory to default.");
        CopyText(s.sourceDir, "A:\\");
        if (!PromptForDisk("", "1", s.sourceDir)) return false;
    } else {
        LogLine("Setup.exe start directory: ", s.startDir);
        CopyText(s.sourceDir, s.startDir);
        s.sourceDirKnown = 1;
        // Cut to what sourceDir holds it would name another directory: the user gives the
        // directory at once, offered the part that fits.
        if (TextLength(s.startDir) >= sizeof s.sourceDir && !PromptForDisk("", "1", s.sourceDir)) return false;
    }
    LogLine("Source directory: ", s.sourceDir);
    while (SameDirectory(s.sourceDir, s.destinationDir))
        if (!PromptForDisk("", "1", s.sourceDir)) return false;
    return true;
}

// k-vox.ini itself, unless an earlier installation left it in the Windows directory.
bool CopyProductProfile(const char* profile) {
    SetupSession& s = g_session;
    if (s.alreadyInstalled && FileExists(profile)) return true;
    return CopyOneFile("1", s.sourceDir, s.windowsDir, ResourceText<32>(IDS_PRODUCT_PROFILE_NAME)) != 0;
}

bool CopyProgramFiles() {
    SetupSession& s = g_session;
    return CopySection(IDS_SECTION_PROGFILES_KVOX, s.destinationDir) &&
           CopySection(IDS_SECTION_PROGFILES_SYSTEM, s.systemDir) &&
           CopySection(IDS_SECTION_PROGFILES_WINDOWS, s.windowsDir) &&
           CopySectionItem(IDS_SECTION_OEMANSI, s.dosCodePage, 1, s.systemDir) &&
           CopySectionItem(IDS_SECTION_DEFAULT_SETUP, s.countryKey, 4, s.systemDir);
}

// k-vox.ini [country] names the country of a new installation.
void RecordCountry(const char* profile) {
    const SetupSession& s = g_session;
    ResourceText<32> section(IDS_SECTION_COUNTRY);
    if (!DeleteProfileSection(profile, section))
        ShowMessage(nullptr, MB_ICONHAND, IDS_CANT_WRITE_ENTRY, s.countryKey, " ", section.Get());
    WriteProfileValueOrReport(profile, section, s.countryKey, " ");
}

// Each chosen layout's file, and its language in the uninstall record.
bool CopyLayouts() {
    SetupSession& s = g_session;
    GlobalLockScope<LayoutRecord> table(s.layoutTable);
    if (!table) {
        ReportLayoutTableNotLocked();
        return false;
    }
    for (int32_t i = 0; i < s.layoutCount; ++i) {
        const LayoutRecord& layout = table.Get()[i];
        if (!CopySectionItem(IDS_SECTION_KEYBOARD_LAYOUTS, layout.name, 2, s.systemDir)) return false;
        RecordInstalledLanguage(layout.name, layout.countryKey);
    }
    return true;
}

// A DOS-window font of the code page's [VGA.GR3] entry into `directory`.
bool CopyCodePageFont(const char* name, const char* disk, const char* directory) {
    if (SkipIfPresent(directory, name)) return true;
    return CopyOneFile(disk, g_session.sourceDir, directory, name) != 0;
}

// The four DOS-window fonts (EGA80866.fon and the like) and the "app" font of the DOS code
// page, from its [VGA.GR3] entry: member 1 the code, member 2 the disk.
bool CopyDosWindowFonts() {
    SetupSession& s = g_session;
    char entry[setupinf::kDosFontEntrySize];
    ResourceText<32> section(IDS_SECTION_VGA_GR3);
    if (ReadProfileValue(s.setupInfPath, section, s.dosCodePage, nullptr, entry) == 0) return true;
    for (UINT i = 0; i < 4; ++i) {
        char code[32], disk[4];
        if (!GetListMember(entry, 1, code, ",", true) || !GetListMember(entry, 2, disk, ",", true)) break;
        char name[64];
        LoadText(IDS_KEY_EGA80WOA + i, name, 6);  // its first five characters
        AppendText(name, code);
        AppendText(name, ".fon");
        if (!CopyCodePageFont(name, disk, s.systemDir)) return false;
    }
    char code[32], disk[4] = "";
    if (!GetListMember(entry, 1, code, ",", true)) return true;
    // Without a disk member (reported) the disk is unknown: its prompt shows the general label.
    GetListMember(entry, 2, disk, ",", true);
    char name[64] = "app";
    AppendText(name, code);
    AppendText(name, ".fon");
    return CopyCodePageFont(name, disk, s.destinationDir);
}

// The same item of several font sections; failures are passed over.
void CopyFontItems(std::initializer_list<UINT> sections, const char* key, const char* directory) {
    for (UINT section : sections) CopySectionItem(section, key, 1, directory);
}

// The plotter ("ALL") or printer ("PR2", "PR9") item of the font sections that have them.
void CopyPrinterFontItems(UINT key) {
    CopyFontItems({IDS_SECTION_HELV_1251, IDS_SECTION_COUR_1251, IDS_SECTION_TMSR_1251}, ResourceText<8>(key),
                  g_session.destinationDir);
}

bool CopyFonts() {
    SetupSession& s = g_session;
    if (!CopyDosWindowFonts()) return false;
    char oemSection[setupinf::kNamedSectionSize];
    ReadProfileValue(s.setupInfPath, ResourceText<32>(IDS_SECTION_OEMFONTS), s.dosCodePage, nullptr, oemSection);
    if (oemSection[0] && !CopyNamedSectionItem(oemSection, s.fontSizeCode, 1, s.fontsDir)) return false;
    if (s.systemFonts && (!CopySectionItem(IDS_SECTION_SYSFONTS, s.fontSizeCode, 1, s.fontsDir) ||
                          !CopySectionItem(IDS_SECTION_FIXEDFONTS, s.fontSizeCode, 1, s.fontsDir)))
        return false;
    if (s.screenFonts)
        CopyFontItems({IDS_SECTION_HELV_1251, IDS_SECTION_TMSR_1251, IDS_SECTION_SMALL_1251, IDS_SECTION_COUR_1251},
                      s.fontSizeCode, s.fontsDir);
    if (s.plotterFonts) CopyPrinterFontItems(IDS_KEY_ALL);
    if (s.trueTypeFonts && !CopyTrueTypeSection(IDS_SECTION_TTF_1251, 1, s.destinationDir)) return false;
    if (s.printerFonts && s.twentyFourPinPrinterFonts) CopyPrinterFontItems(IDS_KEY_PR2);
    if (s.printerFonts && s.ninePinPrinterFonts) CopyPrinterFontItems(IDS_KEY_PR9);
    return true;
}

// Everything between the first file and the last; false stops the phase.
bool CopyEverything(const char* profile) {
    SetupSession& s = g_session;
    if (!CopyProductProfile(profile)) return false;
    if (!CopySection(IDS_SECTION_WINDOWS_SYSTEM, s.systemDir) || !CopySection(IDS_SECTION_WINDOWS, s.windowsDir))
        return false;
    if (s.uninstallEnabled && !CopySection(IDS_SECTION_UNINSTALL_KVOX, s.destinationDir)) return false;
    if (s.programFiles && !CopyProgramFiles()) return false;
    WriteLocationRecord(profile, s.destinationDir);
    if (!s.alreadyInstalled) RecordCountry(profile);
    if (s.applications && (!CopySection(IDS_SECTION_APPLICATION, s.destinationDir) ||
                           !CopySection(IDS_SECTION_APPLICATIONS_SYSTEM, s.systemDir)))
        return false;
    if (s.developersKitSample && !CopySection(IDS_SECTION_KDK, s.destinationDir)) return false;
    if (s.layouts && !CopyLayouts()) return false;
    return !s.fonts || CopyFonts();
}

void WriteUninstallRecord() {
    SetupSession& s = g_session;
    if (s.uninstallEnabled) {
        WriteLocationRecord(s.uninstallRecordPath, s.destinationDir);
        WriteEnabledRecord("Yes");
    } else if (!s.alreadyInstalled) {
        WriteEnabledRecord("No");
    }
}

// The progress window shows the next phase's line alone.
void AnnounceSystemUpdate() {
    SetupSession& s = g_session;
    s.currentFileName[0] = '\0';
    LoadText(IDS_UPDATE_SYSTEM_INFO, s.currentTargetPath, 120);
    InvalidateRect(ProgressWindow(), nullptr, TRUE);
    UpdateWindow(ProgressWindow());
}

}  // namespace

int CopyPackageFiles() {
    SetupSession& s = g_session;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    s.totalBytes = TotalCopyBytes();
    if (!SettleSourceDirectory()) return 0;
    char profile[260];
    ProductProfilePath(profile);
    StartInstallList();
    LZStart();
    if (!CopyEverything(profile)) return 0;
    LZDone();
    s.bytesDone = s.totalBytes + 1;
    WriteUninstallRecord();
    AnnounceSystemUpdate();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    return 1;
}
