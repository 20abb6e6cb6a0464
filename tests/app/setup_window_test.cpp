// The main window: its class, what creation makes and queues, and the blue setup screen.
#include "app/setup_window.h"
#include "progress/progress.h"
#include "test_support.h"

namespace {

class SetupWindow : public SessionTest {};

TEST_F(SetupWindow, CreationQueuesThePhasesAndThePaintingBandsTheScreenBlue) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_TRUE(RegisterSetupWindowClasses(instance, nullptr));
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND window =
        CreateWindowExA(0, "SetupClass", "", WS_POPUP, 0, 0, width, height, nullptr, nullptr, instance, nullptr);
    ASSERT_NE(window, nullptr);
    // The phases are not run here: the command that starts them is taken off the queue.
    MSG command;
    EXPECT_TRUE(PeekMessageA(&command, window, WM_COMMAND, WM_COMMAND, PM_REMOVE));

    // The children are made after the face of the setup's texts is settled.
    LOGFONTA progressFont{};
    GetObjectA(reinterpret_cast<HFONT>(GetWindowLongPtrA(ProgressWindow(), GWLP_USERDATA)), sizeof progressFont,
               &progressFont);
    EXPECT_STRNE(g_session.uiFontFace, "");
    EXPECT_STREQ(progressFont.lfFaceName, g_session.uiFontFace);

    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    HDC dc = GetDC(window);
    int band = height / 48 + 1;
    for (int i : {0, 1, 20, 40})
        EXPECT_EQ(GetPixel(dc, 2, i * band + band / 2), RGB(0, 0, 255 - 5 * i)) << "band " << i;
    ReleaseDC(window, dc);

    // Gone without the exit step, which only the phases start.
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
    DestroyWindow(window);
}

}  // namespace
