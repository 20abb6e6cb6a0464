// Where the console programs start: the command line taken apart into arguments as a C
// runtime does for main, and nothing more.
#include <windows.h>

#include "base/runtime/start.h"

int ConsoleMain(int argc, char** argv);

namespace {

// The arguments are copied into this room, one zero after each; a command line longer
// than it (far beyond what a console of the period takes) is cut.
constexpr int kMaxArguments = 256;
char g_argumentText[2048];
char* g_arguments[kMaxArguments + 1];

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One argument from `line` into `out`: quotes group blanks, 2n backslashes before a quote
// give n backslashes and a quoting quote, 2n+1 give n and a literal quote, and other
// backslashes stand as they are. Returns where the next argument may start.
const char* TakeArgument(const char* line, char*& out, const char* outEnd) {
    bool quoted = false;
    while (*line && (quoted || !IsBlank(*line))) {
        int backslashes = 0;
        while (*line == '\\') ++backslashes, ++line;
        if (*line == '"') {
            for (int i = 0; i < backslashes / 2 && out < outEnd; ++i) *out++ = '\\';
            if (backslashes % 2) {
                if (out < outEnd) *out++ = '"';
            } else if (quoted && line[1] == '"') {
                if (out < outEnd) *out++ = '"';  // "" inside quotes: a literal quote
                ++line;
            } else {
                quoted = !quoted;
            }
            ++line;
            continue;
        }
        for (int i = 0; i < backslashes && out < outEnd; ++i) *out++ = '\\';
        if (*line && (quoted || !IsBlank(*line))) {
            if (out < outEnd) *out++ = *line;
            ++line;
        }
    }
    return line;
}

int SplitCommandLine(const char* line) {
    int count = 0;
    char* out = g_argumentText;
    const char* outEnd = g_argumentText + sizeof g_argumentText - 1;
    while (count < kMaxArguments) {
        while (IsBlank(*line)) ++line;
        if (!*line) break;
        g_arguments[count++] = out;
        line = TakeArgument(line, out, outEnd);
        *out = '\0';
        if (out < outEnd) ++out;
    }
    g_arguments[count] = nullptr;
    return count;
}

}  // namespace

extern "C" KVOX_ALIGN_STACK void KVoxConsoleStart() {
    int count = SplitCommandLine(GetCommandLineA());
    ExitProcess(static_cast<UINT>(ConsoleMain(count, g_arguments)));
}
