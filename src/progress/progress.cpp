// The progress and billboard windows.
#include "progress/progress.h"

#include <algorithm>

#include "base/handles.h"
#include "base/session.h"
#include "base/text.h"
#include "base/windowing.h"
#include "resources/resource_ids.h"
#include "setupinfo/setup_info.h"

namespace {

constexpr int kWindowWidth = 400;
constexpr int kWindowHeight = 150;

// Each window keeps its font in its user data from creation to destruction.
void CreateWindowFont(HWND window, int height) {
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = FW_BOLD;
    CopyText(font.lfFaceName, g_session.uiFontFace);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(CreateFontIndirectA(&font)));
}

HFONT WindowFont(HWND window) { return reinterpret_cast<HFONT>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void DeleteWindowFont(HWND window) {
    DeleteObject(WindowFont(window));
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

void PaintFileLines(HDC dc) {
    const SetupSession& s = g_session;
    char line[400];
    if (s.currentFileName[0]) {
        LoadText(IDS_FILE_COPYING, line);
        AppendText(line, s.currentFileName);
        TextOutA(dc, 20, 20, line, lstrlenA(line));
        LoadText(IDS_TO_FILE, line);
        AppendText(line, s.currentTargetPath);
    } else {
        CopyText(line, s.currentTargetPath);
    }
    TextOutA(dc, 20, 40, line, lstrlenA(line));
}

void PaintGauge(HDC dc) {
    const SetupSession& s = g_session;
    int32_t width = s.gaugeWidth;
    {
        SelectedObject pen(dc, GetStockObject(BLACK_PEN));
        SelectedObject brush(dc, SetupGreyBrush());
        Rectangle(dc, 20, 90, width + 22, 110);
    }
    int32_t fill = GaugeFill(width, s.bytesDone, s.totalBytes);
    if (fill > 0) {
        SelectedObject pen(dc, s.gaugePen);
        SelectedObject brush(dc, s.gaugeBrush);
        Rectangle(dc, 21, 91, 21 + fill, 109);
    }
    char label[16];
    wsprintfA(label, "%d %%", CopyPercentage(s.bytesDone, s.totalBytes));
    SetTextColor(dc, PALETTERGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 190, 93, label, lstrlenA(label));
}

void PaintProgress(HWND window) {
    PaintScope paint(window);
    HDC dc = paint.Dc();
    int savedState = SaveDC(dc);
    SelectObject(dc, WindowFont(window));
    SetBkColor(dc, kSetupGrey);
    PaintFileLines(dc);
    PaintGauge(dc);
    RestoreDC(dc, savedState);
}

// Every quarter of the copy moves the billboard on by one page; the armed flag lets it
// move on at most every second progress paint, which also ends the exchange of repaints
// between the two windows.
void MoveBillboardOn() {
    SetupSession& s = g_session;
    if (CopyPercentage(s.bytesDone, s.totalBytes) / 25 >= s.billboardSwitches && s.billboardArmed) {
        s.billboardArmed = 0;
        s.billboardShown = s.billboardSwitches;
        s.billboardSwitches++;
        HWND billboard = BillboardWindow();
        ShowWindow(billboard, SW_SHOW);
        InvalidateRect(billboard, nullptr, TRUE);
        UpdateWindow(billboard);
    } else {
        s.billboardArmed = 1;
    }
}

void PaintBillboardPage(HWND window, HDC dc) {
    int page = std::clamp(g_session.billboardShown, 0, 4);
    HBITMAP picture = g_session.billboardPictures[page];
    DrawPicture(dc, picture, 10, 10);
    LONG textLeft = PictureSize(picture).cx + 20;
    char text[1028];
    LoadText(IDS_BILLBOARD_PAGE1 + page, text);
    SelectedObject font(dc, WindowFont(window));
    SetBkColor(dc, kSetupGrey);
    char line[1028];
    for (int n = 1; GetListMember(text, n, line, "!", false); ++n)
        TextOutA(dc, textLeft, 20 + 20 * (n - 1), line, lstrlenA(line));
}

void PaintBillboard(HWND window) {
    {
        PaintScope paint(window);
        PaintBillboardPage(window, paint.Dc());
    }
    HWND progress = ProgressWindow();
    InvalidateRect(progress, nullptr, TRUE);
    UpdateWindow(progress);
    RedrawWindow(progress, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

// The two windows, kept from their creation: a lookup by id would ask the window manager
// twice for every file copied.
HWND g_progressWindow = nullptr;
HWND g_billboardWindow = nullptr;

HWND CreateChild(HWND parent, const char* className, const char* title, DWORD style, int x, int y, int id) {
    HWND child = CreateWindowExA(0, className, title, WS_CHILD | WS_VISIBLE | style, x, y, kWindowWidth,
                                 kWindowHeight, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 g_session.instance, nullptr);
    ShowWindow(child, SW_HIDE);
    return child;
}

}  // namespace

int32_t CopyPercentage(int32_t bytesDone, int32_t totalBytes) {
    // 64-bit arithmetic keeps the label right for packages of any size.
    int64_t percentage = static_cast<int64_t>(bytesDone) * 100 / (static_cast<int64_t>(totalBytes) + 1);
    return static_cast<int32_t>(std::clamp<int64_t>(percentage, 0, 100));
}

int32_t GaugeFill(int32_t gaugeWidth, int32_t bytesDone, int32_t totalBytes) {
    int64_t fill = static_cast<int64_t>(gaugeWidth) * bytesDone / (static_cast<int64_t>(totalBytes) + 1);
    return static_cast<int32_t>(std::clamp<int64_t>(fill, 0, gaugeWidth));
}

bool RegisterProgressWindowClasses(HINSTANCE instance) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HBRUSH lightGrey = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    RegisterWindowClass(instance, IDW_PROGRESS_CLASS, 0, ProgressWndProc, nullptr, arrow, lightGrey);
    return RegisterWindowClass(instance, IDW_BILLBOARD_CLASS, 0, BillboardWndProc, nullptr, arrow, lightGrey) != 0;
}

void CreateProgressWindows(HWND mainWindow, const char* title) {
    g_billboardWindow = CreateChild(mainWindow, IDW_BILLBOARD_CLASS, title, WS_DLGFRAME | WS_THICKFRAME, 20, 20,
                                    kBillboardWindowId);
    int x = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
    g_progressWindow =
        CreateChild(mainWindow, IDW_PROGRESS_CLASS, title, WS_CAPTION | WS_THICKFRAME, x, y, kProgressWindowId);
}

HWND ProgressWindow() { return g_progressWindow; }

HWND BillboardWindow() { return g_billboardWindow; }

void ShowCopyProgress(const char* /*sourceDir*/, const char* targetDir, const char* fileName) {
    CopyText(g_session.currentFileName, fileName);
    CopyText(g_session.currentTargetPath, targetDir);
    AppendText(g_session.currentTargetPath, fileName);
    HWND progress = ProgressWindow();
    if (!IsWindowVisible(progress)) ShowWindow(progress, SW_SHOW);
    InvalidateRect(progress, nullptr, TRUE);
    UpdateWindow(progress);
}

KVOX_EXPORTED LRESULT CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateWindowFont(window, -11);
        g_session.gaugeWidth = static_cast<int16_t>(2 * (179 - GetSystemMetrics(SM_CXFRAME)));
        break;
    case WM_DESTROY:
        DeleteWindowFont(window);
        if (g_progressWindow == window) g_progressWindow = nullptr;
        break;
    case WM_PAINT:
        PaintProgress(window);
        MoveBillboardOn();
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

KVOX_EXPORTED LRESULT CALLBACK BillboardWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateWindowFont(window, UsesSmallSystemFont() ? -11 : -13);
        break;
    case WM_DESTROY:
        DeleteWindowFont(window);
        if (g_billboardWindow == window) g_billboardWindow = nullptr;
        break;
    case WM_PAINT:
        PaintBillboard(window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
