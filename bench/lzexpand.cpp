// The bare expansion that the copy benchmark sets the setup against: for each pair of
// lines of a list file (source path, destination path) LZOpenFileA, LZCopy and LZClose,
// and nothing else.   lzexpand.exe LISTFILE
#include <windows.h>
#include <lzexpand.h>

namespace {

void Print(const char* text) {
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
}

// The line at the cursor, its end cut off; the cursor moves to the next line.
char* NextLine(char*& cursor) {
    char* line = cursor;
    while (*cursor && *cursor != '\r' && *cursor != '\n') ++cursor;
    while (*cursor == '\r' || *cursor == '\n') *cursor++ = '\0';
    return line;
}

// The whole list file, ended by a zero; nullptr when it cannot be read.
char* ReadList(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD size = GetFileSize(file, nullptr), read = 0;
    char* text = static_cast<char*>(VirtualAlloc(nullptr, size + 1, MEM_COMMIT, PAGE_READWRITE));
    if (text && ReadFile(file, text, size, &read, nullptr) && read == size) text[size] = '\0';
    else text = nullptr;
    CloseHandle(file);
    return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char* cursor = ReadList(commandLine);
    if (!cursor) {
        Print("lzexpand: cannot read the list file\r\n");
        return 2;
    }
    int count = 0;
    while (*cursor) {
        char* source = NextLine(cursor);
        char* destination = NextLine(cursor);
        OFSTRUCT opened;
        INT from = LZOpenFileA(source, &opened, OF_READ);
        INT to = LZOpenFileA(destination, &opened, OF_CREATE);
        LONG copied = from >= 0 && to >= 0 ? LZCopy(from, to) : -1;
        if (from >= 0) LZClose(from);
        if (to >= 0) LZClose(to);
        if (copied < 0) {
            Print("lzexpand: cannot expand ");
            Print(source);
            Print("\r\n");
            return 1;
        }
        ++count;
    }
    char line[64];
    wsprintfA(line, "lzexpand: %d files\r\n", count);
    Print(line);
    return 0;
}
