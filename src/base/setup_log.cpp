// The setup log.
#include "base/setup_log.h"

#include <windows.h>

#include "base/handles.h"
#include "base/message_dialog.h"
#include "base/paths.h"
#include "base/session.h"
#include "base/text.h"
#include "resources/resource_ids.h"

namespace {

constexpr size_t kLineSize = 256;  // text, CR LF and the terminating zero
constexpr size_t kMaxText = kLineSize - 3;

int Flag(int32_t value) { return value ? 1 : 0; }

void LogFormatted(const char* format, ...) {
    char text[kLineSize];
    va_list arguments;
    va_start(arguments, format);
    wvsprintfA(text, format, arguments);
    va_end(arguments);
    AppendLogLine(g_session.logPath, text);
}

}  // namespace

int AppendLogLine(const char* path, const char* text) {
    if (!path || !path[0] || !text || !text[0]) return 0;
    char line[kLineSize];
    CopyText(line, kMaxText + 1, text);
    AppendText(line, "\r\n");

    UniqueHFile file(_lopen(path, OF_WRITE));
    if (!file) return 0;
    if (_llseek(file.Get(), 0, FILE_END) == HFILE_ERROR) return 0;
    UINT length = static_cast<UINT>(TextLength(line));
    return _lwrite(file.Get(), line, length) == length ? 1 : 0;
}

void LogLine(const char* text) {
    if (g_session.loggingEnabled) AppendLogLine(g_session.logPath, text);
}

void LogLine(const char* text, const char* more) {
    char line[kLineSize];
    CopyText(line, text);
    AppendText(line, more);
    LogLine(line);
}

void CreateSetupLog(const char* directory) {
    CopyText(g_session.logPath, directory);
    AddTrailingBackslash(g_session.logPath);
    AppendText(g_session.logPath, "KVSETUP.LOG");

    if (!UniqueHFile(_lcreat(g_session.logPath, 0))) {
        ShowMessage(nullptr, MB_ICONASTERISK, IDS_CANT_CREATE_LOG, g_session.logPath);
        g_session.logPath[0] = '\0';
        g_session.loggingEnabled = 0;
        return;
    }
    LogLine("Log file created.");
}

void WriteLogHeader() {
    const SetupSession& s = g_session;
    DWORD version = GetVersion();
    LogFormatted("Installing components and flags:");
    LogFormatted(" Windows version=%i.%i", LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version)));
    LogFormatted(" Country key=%s", s.countryKey);
    LogFormatted(" System Fonts Code Page=%s", s.systemFontsCodePage);
    LogFormatted(" DOS Code Page=%s", s.dosCodePage);
    LogFormatted(" Hot Key=%s", s.hotKey);
    LogFormatted(" Program Files=%i", Flag(s.programFiles));
    LogFormatted(" Layouts=%i", Flag(s.layouts));
    LogFormatted(" Fonts=%i", Flag(s.fonts));
    LogFormatted(" Applications=%i", Flag(s.applications));
    LogFormatted(" TrueType Fonts=%i", Flag(s.trueTypeFonts));
    LogFormatted(" Screen Fonts=%i", Flag(s.screenFonts));
    LogFormatted(" Developers Kit Sample=%i", Flag(s.developersKitSample));
    LogFormatted(" 24-pin Printers Present=%i", Flag(s.twentyFourPinPrintersPresent));
    LogFormatted("  9-pin Printers Present=%i", Flag(s.ninePinPrintersPresent));
    LogFormatted(" Printer Drivers to Update=%i", s.printerDriversToUpdate);
    LogFormatted(" Printer Fonts=%i", Flag(s.printerFonts));
    LogFormatted(" 24-pin Printer Fonts=%i", Flag(s.twentyFourPinPrinterFonts));
    LogFormatted("  9-pin Printer Fonts=%i", Flag(s.ninePinPrinterFonts));
    LogFormatted(" K-VOX Already Installed=%i", Flag(s.alreadyInstalled));
    LogFormatted(" Uninstall Enabled=%i", Flag(s.uninstallEnabled));
    LogFormatted(" Replace Old Files=%i", Flag(s.replaceOldFiles));
}
