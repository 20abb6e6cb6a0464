// The main window procedure: creation, the banded blue background, the phases, the exit.
#include "app/setup_window.h"

#include <cstdint>

#include "app/phases.h"
#include "base/handles.h"
#include "base/session.h"
#include "base/text.h"
#include "base/windowing.h"
#include "progress/progress.h"
#include "resources/resource_ids.h"
#include "setupinfo/setup_info.h"
#include "setupinfo/surveys.h"

namespace {

constexpr int kBands = 48;

void LoadPictures(HINSTANCE instance) {
    SetupSession& s = g_session;
    s.cornerPicture = LoadBitmapA(instance, IDB_CORNER);
    s.logoPicture = LoadBitmapA(instance, IDB_LOGO);
    s.countryPicture = LoadBitmapA(instance, IDB_NATION);
    s.diskPicture = LoadBitmapA(instance, IDB_DISK);
    const char* billboards[5] = {IDB_BILLBOARD1, IDB_BILLBOARD2, IDB_BILLBOARD3, IDB_BILLBOARD4, IDB_BILLBOARD5};
    for (int i = 0; i < 5; ++i) s.billboardPictures[i] = LoadBitmapA(instance, billboards[i]);
}

void CreateBrushes() {
    g_session.greyBrush = CreateSolidBrush(RGB(192, 192, 192));
    g_session.gaugeBrush = CreateSolidBrush(PALETTERGB(0, 0, 255));
    g_session.gaugePen = CreatePen(PS_SOLID, 1, PALETTERGB(0, 0, 255));
}

// The package's own screen font, when an earlier installation left it in the system
// directory, becomes the face of the setup's messages and windows.
void AddPackageFont() {
    SetupSession& s = g_session;
    CopyText(s.uiFontFace, "MS Sans Serif");
    CopyText(s.packageFontPath, s.systemDir);
    AppendText(s.packageFontPath, ResourceText<32>(IDS_PACKAGE_FONT_FILE));
    if (AddFontResourceA(s.packageFontPath) != 0)
        LoadText(IDS_PACKAGE_FONT_FACE, s.uiFontFace);
    else
        s.packageFontPath[0] = '\0';
}

// A Russian title on a system whose font cannot show it calls for the English captions.
void CheckCaptions() {
    char title[64];
    LoadText(IDS_SETUP_TITLE, title);
    const auto* bytes = reinterpret_cast<const unsigned char*>(title);
    if (bytes[0] == 0xD3 && bytes[1] == 0xF1 && bytes[2] == 0xF2 && IsStandardSystemFont() == 0)
        g_session.fallbackCaptions = 1;
}

LRESULT OnCreate(HWND window) {
    g_session.mainWindow = window;
    LoadPictures(g_session.instance);
    CreateBrushes();
    AddPackageFont();
    CheckCaptions();
    g_session.currentDosCodePage = ReadCurrentDosCodePage();
    char title[128];
    LoadText(g_session.fallbackCaptions ? IDS_SETUP_TITLE_FALLBACK : IDS_SETUP_TITLE, title);
    CreateProgressWindows(window, title);
    PostMessageA(window, WM_COMMAND, 0, 0);
    return 0;
}

// 48 bands from full blue at the top to dark blue at the bottom, the logo at the top right,
// the corner picture at the bottom right; placed by the screen size, not the client area.
void OnPaint(HWND window) {
    PaintScope paint(window);
    HDC dc = paint.Dc();
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    uint16_t band = static_cast<uint16_t>(height / kBands + 1);
    for (int i = 0; i < kBands; ++i) {
        RECT rect = {0, i * band, width + 2, i * band + band};
        UniqueBrush brush(CreateSolidBrush(RGB(0, 0, 255 - 5 * i)));
        FillRect(dc, &rect, brush.Get());
    }
    SIZE logo = PictureSize(g_session.logoPicture);
    DrawPicture(dc, g_session.logoPicture, width - logo.cx - 4, 20);
    SIZE corner = PictureSize(g_session.cornerPicture);
    DrawPicture(dc, g_session.cornerPicture, width - corner.cx - 4, height - corner.cy - 10);
}

bool g_phasesStarted = false;
bool g_exiting = false;

}  // namespace

bool RegisterSetupWindowClasses(HINSTANCE instance, HINSTANCE previous) {
    if (!previous &&
        !RegisterWindowClass(instance, IDW_SETUP_CLASS, CS_VREDRAW | CS_HREDRAW | CS_OWNDC | CS_BYTEALIGNCLIENT,
                             SetupWndProc, LoadIconA(instance, IDI_SETUP_ICON), LoadCursorA(instance, IDC_SETUP_CURSOR),
                             CreateSolidBrush(RGB(0, 0, 255))))
        return false;
    return RegisterProgressWindowClasses(instance);
}

KVOX_EXPORTED LRESULT CALLBACK SetupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_COMMAND:
        // The phases run once, from the command that creation posts.
        if (!g_phasesStarted) {
            g_phasesStarted = true;
            PostMessageA(window, WM_DESTROY, RunSetupPhases(window), 0);
        }
        return 0;
    case WM_DESTROY:
        // The exit step runs once, whether the phases posted it or the window really goes.
        if (!g_exiting) {
            g_exiting = true;
            RunExitStep(window, wParam == 1);
        }
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_GETMINMAXINFO:
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
