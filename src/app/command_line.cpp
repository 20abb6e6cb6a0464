// Cuts the command line into tokens and applies the switch table.
#include "app/command_line.h"

#include "base/paths.h"
#include "base/text.h"

namespace {

constexpr size_t kCommandLineSize = 512;  // longer command lines are cut to 511 characters

bool IsDelimiter(char c) { return c == ' ' || c == '/'; }

bool IsSwitch(const char* token, char name) {
    return token[1] == '\0' && (token[0] | 0x20) == name;
}

// Applies one token; returns false when the token ends the program.
bool ApplyToken(const char* token, SetupSession& session, SwitchResult& result) {
    if (CompareText(token, "?") == 0) {
        result.action = StartAction::ShowHelp;
        return false;
    }
    if (IsSwitch(token, 'a') || IsSwitch(token, 'n')) {
        result.action = StartAction::RefuseNetwork;
        result.refusedSwitch[0] = '/';
        result.refusedSwitch[1] = static_cast<char>(token[0] | 0x20);
        result.refusedSwitch[2] = '\0';
        return false;
    }
    if (IsSwitch(token, 'e')) session.expressSetup = 1;
    else if (IsSwitch(token, 'q')) session.loggingEnabled = 0;
    else if (IsSwitch(token, 'o')) session.oemSetup = 1;
    else if (IsSwitch(token, 'd')) session.runUninstallerAtExit = 1;
    else if (token[0] == 's') {
        CopyText(session.startDir, token + 1);
        AddTrailingBackslash(session.startDir);
    }
    return true;
}

}  // namespace

SwitchResult ParseCommandLine(const char* commandLine, SetupSession& session) {
    SwitchResult result;
    char buffer[kCommandLineSize];
    CopyText(buffer, commandLine);

    char* cursor = buffer;
    while (*cursor) {
        while (*cursor && IsDelimiter(*cursor)) ++cursor;
        if (!*cursor) break;
        char* token = cursor;
        while (*cursor && !IsDelimiter(*cursor)) ++cursor;
        if (*cursor) *cursor++ = '\0';
        if (!ApplyToken(token, session, result)) break;
    }
    return result;
}
