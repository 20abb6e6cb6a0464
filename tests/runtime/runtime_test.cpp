// The programs' own start-up and memory routines, in a program linked as setup.exe is
// (no C runtime, no test framework). Run without arguments, it checks the memory routines,
// then starts itself with command lines of every shape: each child compares what WinMain
// received with what its parent expected, and answers through its exit code.
#include <windows.h>

#include <cstddef>
#include <cstring>

namespace {

// What the child's WinMain should receive, as "<show state>|<command line tail>".
constexpr char kExpected[] = "KVOX_EXPECTED";
// A child's exit code when it received what was expected: WinMain's result must reach
// ExitProcess unchanged.
constexpr int kChildMatched = 42;

int g_failures = 0;

void Print(const char* text) {
    DWORD written;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, lstrlenA(text), &written, nullptr);
}

void Fail(const char* what, const char* detail) {
    char line[600];
    wsprintfA(line, "runtime_test: FAIL %s: %s\n", what, detail);
    Print(line);
    ++g_failures;
}

// Called through pointers the compiler cannot see through, so that the program's own
// routines run rather than code the compiler puts in their place.
void* (*volatile g_memset)(void*, int, size_t) = memset;
void* (*volatile g_memcpy)(void*, const void*, size_t) = memcpy;
void* (*volatile g_memmove)(void*, const void*, size_t) = memmove;
int (*volatile g_memcmp)(const void*, const void*, size_t) = memcmp;

// `bytes` holds at least as many characters as `expected`.
void CheckBytes(const char* what, const char* bytes, const char* expected) {
    for (int i = 0; expected[i]; ++i) {
        if (bytes[i] == expected[i]) continue;
        char detail[300];
        wsprintfA(detail, "got \"%s\", expected \"%s\"", bytes, expected);
        Fail(what, detail);
        return;
    }
}

void CheckReturn(const char* what, void* result, void* destination) {
    if (result != destination) Fail(what, "does not return its destination");
}

void CheckFillCopyAndMove() {
    char fill[] = "..........", copy[] = "----------", up[] = "abcdefgh..", down[] = "..abcdefgh", same[] = "abcdef";
    CheckReturn("memset", g_memset(fill + 2, 0x141, 5), fill + 2);
    CheckBytes("memset writes the low byte of the value, and only the given count", fill, "..AAAAA...");
    g_memset(fill, 'z', 0);
    CheckBytes("memset of no bytes", fill, "..AAAAA...");
    CheckReturn("memcpy", g_memcpy(copy + 1, "abcdef", 6), copy + 1);
    CheckBytes("memcpy copies the given count", copy, "-abcdef---");
    CheckReturn("memmove", g_memmove(up + 2, up, 8), up + 2);
    CheckBytes("memmove to a higher, overlapping block", up, "ababcdefgh");
    g_memmove(down, down + 2, 8);
    CheckBytes("memmove to a lower, overlapping block", down, "abcdefghgh");
    g_memmove(same, same, 6);
    CheckBytes("memmove onto itself", same, "abcdef");
}

void CheckCompare() {
    const struct {
        const char *a, *b;
        size_t size;
        int sign;
        const char* what;
    } cases[] = {
        {"abcdef", "abcdef", 6, 0, "memcmp of equal blocks"},
        {"abcX", "abcY", 3, 0, "memcmp stops at its count"},
        {"abc", "abd", 3, -1, "memcmp of a smaller block"},
        {"abd", "abc", 3, 1, "memcmp of a greater block"},
        {"\x80", "\x01", 1, 1, "memcmp compares unsigned bytes"},
        {"a\0x", "a\0y", 3, -1, "memcmp goes on past a zero byte"},
        {"x", "y", 0, 0, "memcmp of no bytes"},
    };
    for (const auto& c : cases) {
        int result = g_memcmp(c.a, c.b, c.size);
        if ((result > 0) - (result < 0) == c.sign) continue;
        char detail[64];
        wsprintfA(detail, "got %d, expected a result of sign %d", result, c.sign);
        Fail(c.what, detail);
    }
}

// Starts this program with `commandLine` and the show state (none: -1); the child
// checks that WinMain receives `tail` and `expectedShow`.
void CheckStart(const char* commandLine, int show, const char* tail, int expectedShow) {
    char program[MAX_PATH], expected[400], line[300], detail[400];
    GetModuleFileNameA(nullptr, program, sizeof program);
    wsprintfA(expected, "%d|%s", expectedShow, tail);
    SetEnvironmentVariableA(kExpected, expected);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (show >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(show);
    }
    PROCESS_INFORMATION process{};
    lstrcpynA(line, commandLine, sizeof line);
    if (!CreateProcessA(program, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        wsprintfA(detail, "[%s] could not be started (error %lu)", commandLine, GetLastError());
        return Fail("start", detail);
    }
    WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (code == kChildMatched) return;
    wsprintfA(detail, "[%s] should give WinMain [%s] and show state %d (child's exit code %lu)", commandLine, tail,
              expectedShow, code);
    Fail("command line", detail);
}

void CheckStarts() {
    CheckStart("\"C:\\Program Files\\K VOX\\setup.exe\"  /o /w", -1, "/o /w", SW_SHOWDEFAULT);
    CheckStart("C:\\KVOX\\SETUP.EXE\t \t/s:D:\\", -1, "/s:D:\\", SW_SHOWDEFAULT);
    CheckStart("\"quoted\"right-after", -1, "right-after", SW_SHOWDEFAULT);
    CheckStart("\"not closed /o", -1, "", SW_SHOWDEFAULT);
    CheckStart("\"\" /x", -1, "/x", SW_SHOWDEFAULT);
    CheckStart("setup.exe", -1, "", SW_SHOWDEFAULT);
    CheckStart("setup.exe   ", SW_SHOWMINNOACTIVE, "", SW_SHOWMINNOACTIVE);
    CheckStart("setup \"a b\"  c ", SW_HIDE, "\"a b\"  c ", SW_HIDE);
}

// As a child: 42 when WinMain received what the parent expected, else 1.
int CheckAsChild(const char* commandLine, int show) {
    char expected[400], received[400];
    GetEnvironmentVariableA(kExpected, expected, sizeof expected);
    wsprintfA(received, "%d|%s", show, commandLine);
    return lstrcmpA(received, expected) == 0 ? kChildMatched : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    if (GetEnvironmentVariableA(kExpected, nullptr, 0) > 0) return CheckAsChild(commandLine, show);
    if (instance != GetModuleHandleA(nullptr)) Fail("WinMain", "the instance is not the program's module");
    if (previous) Fail("WinMain", "a previous instance is given");
    CheckFillCopyAndMove();
    CheckCompare();
    CheckStarts();
    Print(g_failures ? "runtime_test: failed\n" : "runtime_test: passed\n");
    return g_failures ? 1 : 0;
}
