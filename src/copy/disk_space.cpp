// The free-space check: the sizes [volume] gives for the chosen components against the
// free space of the destination and Windows drives.
#include <windows.h>

#include "base/message_dialog.h"
#include "base/session.h"
#include "base/text.h"
#include "copy/copy.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"

namespace {

// The size of one part of the package in [volume]; 0 when missing or without digits.
int32_t VolumeBytes(const char* key) {
    char value[1024];
    ReadProfileValue(g_session.setupInfPath, ResourceText<32>(IDS_SECTION_VOLUME), key, nullptr, value);
    return LeadingNumber(value);
}

int32_t VolumeBytes(UINT keyId) { return VolumeBytes(ResourceText<32>(keyId)); }

int32_t CountedIf(bool counted, UINT keyId) { return counted ? VolumeBytes(keyId) : 0; }

// A need with its ten per cent margin, in kilobytes.
int32_t NeedKilobytes(int32_t bytes) { return (bytes + bytes / 10) / 1024; }

char DriveLetter(const char* directory) {
    char letter[2] = {directory[0], '\0'};
    CharUpperA(letter);
    return letter[0];
}

struct SpaceCheck {
    char destinationDrive[2];
    char windowsDrive[2];
    int32_t destinationFreeKb;
    int32_t windowsFreeKb;
    int32_t destinationNeedKb;
    int32_t windowsNeedKb;
};

SpaceCheck MeasureSpace() {
    SpaceCheck check{};
    check.destinationDrive[0] = DriveLetter(g_session.destinationDir);
    check.windowsDrive[0] = DriveLetter(g_session.windowsDir);
    check.destinationFreeKb = DriveFreeBytes(check.destinationDrive[0]) / 1024;
    check.windowsFreeKb = DriveFreeBytes(check.windowsDrive[0]) / 1024;
    check.destinationNeedKb = NeedKilobytes(DestinationBytesNeeded() + LogReserveBytes());
    check.windowsNeedKb = NeedKilobytes(WindowsBytesNeeded() + WindowsOtherBytes());
    return check;
}

// Appends one string of the table, formatted with the arguments.
void AppendFormatted(char (&text)[1024], UINT id, ...) {
    char format[126];
    LoadText(id, format);
    char line[512];
    va_list arguments;
    va_start(arguments, id);
    wvsprintfA(line, format, arguments);
    va_end(arguments);
    AppendText(text, line);
}

void ComposeShortage(const SpaceCheck& check, char (&text)[1024]) {
    text[0] = '\0';
    AppendFormatted(text, IDS_SPACE_HEADER);
    AppendFormatted(text, IDS_SPACE_DESTINATION_DIR, g_session.destinationDir);
    if (lstrcmpiA(check.destinationDrive, check.windowsDrive) != 0) {
        AppendFormatted(text, IDS_SPACE_WINDOWS_DRIVE, check.windowsDrive, check.windowsFreeKb, check.windowsNeedKb);
        AppendFormatted(text, IDS_SPACE_DESTINATION_DRIVE, check.destinationDrive, check.destinationFreeKb,
                        check.destinationNeedKb);
    } else {
        AppendFormatted(text, IDS_SPACE_DESTINATION_DRIVE, check.destinationDrive, check.destinationFreeKb,
                        check.destinationNeedKb + check.windowsNeedKb);
    }
    AppendFormatted(text, IDS_SPACE_ADVICE);
    AppendFormatted(text, IDS_SPACE_PRESS_RETRY);
}

}  // namespace

int32_t DestinationBytesNeeded() {
    const SetupSession& s = g_session;
    bool fonts = s.fonts != 0;
    return CountedIf(s.uninstallEnabled, IDS_VOLUME_UNINSTFILES) + CountedIf(s.programFiles, IDS_VOLUME_PROGFILES) +
           CountedIf(s.applications, IDS_VOLUME_APPLIC) + CountedIf(s.developersKitSample, IDS_VOLUME_KDK) +
           CountedIf(fonts && s.plotterFonts, IDS_KEY_ALL) +
           CountedIf(fonts && s.printerFonts && s.twentyFourPinPrinterFonts, IDS_KEY_PR2) +
           CountedIf(fonts && s.printerFonts && s.ninePinPrinterFonts, IDS_KEY_PR9) +
           CountedIf(s.trueTypeFonts, IDS_VOLUME_TTF);
}

int32_t WindowsBytesNeeded() {
    const SetupSession& s = g_session;
    bool systemOrScreen = s.fonts && (s.screenFonts || s.systemFonts);
    return CountedIf(s.programFiles, IDS_VOLUME_WINSPACE) + (systemOrScreen ? VolumeBytes(s.fontSizeCode) : 0) +
           CountedIf(systemOrScreen, IDS_VOLUME_OEM);
}

int32_t WindowsOtherBytes() { return VolumeBytes(IDS_VOLUME_WINOTHER); }

int32_t LogReserveBytes() { return g_session.loggingEnabled ? 8192 : 0; }

int32_t TotalCopyBytes() { return DestinationBytesNeeded() + WindowsBytesNeeded(); }

int32_t DriveFreeBytes(char drive) {
    char root[4] = {drive, ':', '\\', '\0'};
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    // A drive that cannot tell (not ready) has no room: the user sees it and decides.
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) return 0;
    // Windows 95 reports at most 2 GB; a larger drive counts as 2 GB - 1.
    uint64_t bytes = static_cast<uint64_t>(freeClusters) * bytesPerSector * sectorsPerCluster;
    return bytes > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(bytes);
}

int CheckDiskSpace() {
    for (;;) {
        SpaceCheck check = MeasureSpace();
        if (check.destinationFreeKb > check.destinationNeedKb && check.windowsFreeKb > check.windowsNeedKb) return 1;
        char text[1024];
        ComposeShortage(check, text);
        int answer = ShowMessageText(text, nullptr, g_session.uiFontFace,
                                     MB_ABORTRETRYIGNORE | MB_ICONHAND | MB_DEFBUTTON2);
        if (answer == kAnswerAbort) return 0;
        if (answer != kAnswerRetry) return 1;
    }
}
