// The bare expansion that the copy benchmark sets the setup against: for each pair of
// lines of a list file (source path, destination path) LZOpenFileA, LZCopy and LZClose,
// and nothing else.   lzexpand.exe [/repaint] LISTFILE
//
// With /repaint it also shows each file as the setup must: a progress window of the
// setup's size, style and painting (two lines, the gauge and its label, then WM_PAINT on
// to DefWindowProcA) on a full-screen window, invalidated with erasing and updated before
// and after every file. That is the least any copy loop that repaints synchronously pays
// for its display, which sets the expansion's time apart from the display's.
#include <windows.h>
#include <lzexpand.h>

namespace {

struct Display {
    HWND progress = nullptr;
    HFONT font = nullptr;
    const char* file = "";
    int done = 0;
    int total = 1;
};
Display g_display;

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

bool StartsWith(const char* text, const char* prefix) {
    while (*prefix)
        if (*text++ != *prefix++) return false;
    return true;
}

int CountFiles(const char* list) {
    int lines = 0;
    for (const char* c = list; *c; ++c)
        if (*c == '\n') ++lines;
    return lines / 2;
}

void PaintProgress(HWND window) {
    const Display& d = g_display;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    int saved = SaveDC(dc);
    SelectObject(dc, d.font);
    SetBkColor(dc, RGB(192, 192, 192));
    TextOutA(dc, 20, 20, d.file, lstrlenA(d.file));
    TextOutA(dc, 20, 40, d.file, lstrlenA(d.file));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    Rectangle(dc, 20, 90, 372, 110);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 21, 91, 21 + 350 * d.done / (d.total + 1), 109);
    char label[16];
    wsprintfA(label, "%d %%", 100 * d.done / (d.total + 1));
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 190, 93, label, lstrlenA(label));
    RestoreDC(dc, saved);
    EndPaint(window, &paint);
}

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) PaintProgress(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

bool CreateDisplay(HINSTANCE instance, int total) {
    WNDCLASSA screen{};
    screen.lpfnWndProc = DefWindowProcA;
    screen.hInstance = instance;
    screen.hbrBackground = CreateSolidBrush(RGB(0, 0, 255));
    screen.lpszClassName = "KVoxBenchScreen";
    WNDCLASSA progress{};
    progress.lpfnWndProc = ProgressProc;
    progress.hInstance = instance;
    progress.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    progress.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    progress.lpszClassName = "KVoxBenchProgress";
    if (!RegisterClassA(&screen) || !RegisterClassA(&progress)) return false;
    HWND main = CreateWindowExA(0, screen.lpszClassName, "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!main) return false;
    ShowWindow(main, SW_SHOWMAXIMIZED);
    UpdateWindow(main);
    int x = (GetSystemMetrics(SM_CXSCREEN) - 400) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - 150) / 2;
    g_display.progress = CreateWindowExA(0, progress.lpszClassName, "Copy", WS_CHILD | WS_VISIBLE | WS_CAPTION |
                                         WS_THICKFRAME, x, y, 400, 150, main, nullptr, instance, nullptr);
    LOGFONTA font{};
    font.lfHeight = -11;
    font.lfWeight = FW_BOLD;
    lstrcpyA(font.lfFaceName, "MS Sans Serif");
    g_display.font = CreateFontIndirectA(&font);
    g_display.total = total;
    return g_display.progress != nullptr;
}

void ShowFile(const char* file) {
    if (!g_display.progress) return;
    g_display.file = file;
    InvalidateRect(g_display.progress, nullptr, TRUE);
    UpdateWindow(g_display.progress);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    constexpr char kRepaint[] = "/repaint ";
    bool repaint = StartsWith(commandLine, kRepaint);
    char* cursor = ReadList(repaint ? commandLine + sizeof kRepaint - 1 : commandLine);
    if (!cursor) {
        Print("lzexpand: cannot read the list file\r\n");
        return 2;
    }
    if (repaint && !CreateDisplay(instance, CountFiles(cursor))) {
        Print("lzexpand: cannot create the progress window\r\n");
        return 2;
    }
    int count = 0;
    while (*cursor) {
        char* source = NextLine(cursor);
        char* destination = NextLine(cursor);
        ShowFile(destination);
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
        g_display.done = count;
        ShowFile(destination);
    }
    char line[64];
    wsprintfA(line, "lzexpand: %d files\r\n", count);
    Print(line);
    return 0;
}
