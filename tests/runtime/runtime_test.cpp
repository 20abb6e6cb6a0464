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

// `result` is what the routine returned, which must be `destination`; `bytes` holds at
// least as many characters as `expected`.
void Check(const char* what, void* result, void* destination, const char* bytes, const char* expected) {
    char detail[300];
    wsprintfA(detail, "got \"%s\", expected \"%s\"", bytes, expected);
    if (result != destination) Fail(what, "does not return its destination");
    for (int i = 0; expected[i]; ++i)
        if (bytes[i] != expected[i]) return Fail(what, detail);
}

void CheckFillCopyAndMove() {
    char fill[] = "..........", copy[] = "----------", up[] = "abcdefgh..", down[] = "..abcdefgh";
    Check("memset writes the low byte of the value, and only the given count", g_memset(fill + 2, 0x141, 5),
          fill + 2, fill, "..AAAAA...");
    Check("memset of no bytes", g_memset(fill, 'z', 0), fill, fill, "..AAAAA...");
    Check("memcpy copies the given count", g_memcpy(copy + 1, "abcdef", 6), copy + 1, copy, "-abcdef---");
    Check("memmove to a higher, overlapping block", g_memmove(up + 2, up, 8), up + 2, up, "ababcdefgh");
    Check("memmove to a lower, overlapping block", g_memmove(down, down + 2, 8), down, down, "abcdefghgh");
}

void CheckCompare() {
    const struct {
        const char *a, *b;
        size_t size;
        int sign;
    } cases[] = {{"abcX", "abcY", 3, 0}, {"abc", "abd", 3, -1},   {"abd", "abc", 3, 1},
                 {"\x80", "\x01", 1, 1}, {"a\0x", "a\0y", 3, -1}, {"x", "y", 0, 0}};
    for (const auto& c : cases) {
        int result = g_memcmp(c.a, c.b, c.size);
        if ((result > 0) - (result < 0) == c.sign) continue;
        char detail[64];
        wsprintfA(detail, "case %d gave %d, expected a result of sign %d", int(&c - cases), result, c.sign);
        Fail("memcmp", detail);
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
    startup.dwFlags = show >= 0 ? STARTF_USESHOWWINDOW : 0;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process{};
    lstrcpynA(line, commandLine, sizeof line);
    DWORD code = 0;
    if (CreateProcessA(program, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (code == kChildMatched) return;
    wsprintfA(detail, "[%s] should give WinMain [%s] and show state %d (child's exit code %lu, error %lu)",
              commandLine, tail, expectedShow, code, GetLastError());
    Fail("command line", detail);
}

void CheckStarts() {
    CheckStart("\"C:\\Program Files\\K VOX\\setup.exe\"  /o /w", -1, "/o /w", SW_SHOWDEFAULT);
    CheckStart("C:\\KVOX\\SETUP.EXE\t \t/s:D:\\", -1, "/s:D:\\", SW_SHOWDEFAULT);
    CheckStart("\"quoted\"right-after", -1, "right-after", SW_SHOWDEFAULT);
    CheckStart("\"not closed /o", -1, "", SW_SHOWDEFAULT);
    CheckStart("\"\" /x", -1, "/x", SW_SHOWDEFAULT);
    CheckStart("setup.exe   ", SW_SHOWMINNOACTIVE, "", SW_SHOWMINNOACTIVE);
    CheckStart("setup \"a b\"  c ", SW_HIDE, "\"a b\"  c ", SW_HIDE);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    if (GetEnvironmentVariableA(kExpected, nullptr, 0) > 0) {
        // As a child: whether WinMain received what the parent expected.
        char expected[400], received[400];
        GetEnvironmentVariableA(kExpected, expected, sizeof expected);
        wsprintfA(received, "%d|%s", show, commandLine);
        return lstrcmpA(received, expected) == 0 ? kChildMatched : 1;
    }
    if (instance != GetModuleHandleA(nullptr)) Fail("WinMain", "the instance is not the program's module");
    if (previous) Fail("WinMain", "a previous instance is given");
    CheckFillCopyAndMove();
    CheckCompare();
    CheckStarts();
    Print(g_failures ? "runtime_test: failed\n" : "runtime_test: passed\n");
    return g_failures ? 1 : 0;
}
