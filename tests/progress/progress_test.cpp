// The progress gauge's arithmetic and the billboard's pages.
#include <string>

#include "base/text.h"
#include "progress/progress.h"
#include "test_support.h"

namespace {

TEST(Gauge, PercentageAndBarDivideByTheTotalPlusOne) {
    EXPECT_EQ(CopyPercentage(0, 0), 0);
    EXPECT_EQ(CopyPercentage(1000, 1000), 99);
    EXPECT_EQ(CopyPercentage(1001, 1000), 100);
    EXPECT_EQ(CopyPercentage(5000, 1000), 100);
    EXPECT_EQ(CopyPercentage(250, 999), 25);
    // Large packages: no overflow of the intermediate product.
    EXPECT_EQ(CopyPercentage(1500000000, 2000000000), 74);
    EXPECT_EQ(CopyPercentage(2000000000, 2000000000), 99);

    EXPECT_EQ(GaugeFill(350, 0, 0), 0);
    EXPECT_EQ(GaugeFill(350, 500, 999), 175);
    EXPECT_EQ(GaugeFill(350, 1001, 1000), 350);
    EXPECT_EQ(GaugeFill(350, 9000, 1000), 350);
    EXPECT_EQ(GaugeFill(350, 2000000000, 2000000000), 349);
}

// The two windows as children of a stand-in main window.
class Billboard : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        RegisterProgressWindowClasses(GetModuleHandleA(nullptr));
        CopyText(g_session.uiFontFace, "MS Sans Serif");
        main_ = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr, nullptr, nullptr);
        g_session.mainWindow = main_;
        CreateProgressWindows(main_, "K-VOX Setup");
        g_session.totalBytes = 1000;
    }
    void TearDown() override { DestroyWindow(main_); }
    void Report(int32_t bytesDone) {
        g_session.bytesDone = bytesDone;
        ShowCopyProgress("A:\\", "C:\\KVOX\\", "kvox.exe");
    }
    HWND main_ = nullptr;
};

TEST_F(Billboard, BothWindowsStartHiddenAndTheFirstReportShowsThem) {
    ASSERT_NE(ProgressWindow(), nullptr);
    ASSERT_NE(BillboardWindow(), nullptr);
    // The main window stands at (0, 0): screen positions are its client positions.
    struct Case {
        HWND window;
        LONG left, top;
        LONG frame;  // the style bits that make the frame
    } cases[] = {
        {BillboardWindow(), 20, 20, WS_DLGFRAME | WS_THICKFRAME},
        {ProgressWindow(), (GetSystemMetrics(SM_CXSCREEN) - 400) / 2, (GetSystemMetrics(SM_CYSCREEN) - 150) / 2,
         WS_CAPTION | WS_THICKFRAME},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window == ProgressWindow() ? "progress" : "billboard");
        EXPECT_FALSE(IsWindowVisible(c.window));
        RECT rect;
        GetWindowRect(c.window, &rect);
        EXPECT_EQ(rect.left, c.left);
        EXPECT_EQ(rect.top, c.top);
        EXPECT_EQ(rect.right - rect.left, 400);
        EXPECT_EQ(rect.bottom - rect.top, 150);
        EXPECT_EQ(GetWindowLongA(c.window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), c.frame);
    }

    Report(0);
    EXPECT_TRUE(IsWindowVisible(ProgressWindow()));
    EXPECT_TRUE(IsWindowVisible(BillboardWindow()));
    EXPECT_EQ(g_session.billboardShown, 0);
    EXPECT_STREQ(g_session.currentFileName, "kvox.exe");
    EXPECT_STREQ(g_session.currentTargetPath, "C:\\KVOX\\kvox.exe");
}

TEST_F(Billboard, MovesOnOnePageAtATimeAsQuartersArePassed) {
    Report(0);
    Report(100);
    EXPECT_EQ(g_session.billboardShown, 0);
    Report(800);  // a jump to 80 per cent: one page per report, up to page 3
    EXPECT_EQ(g_session.billboardShown, 1);
    Report(800);
    EXPECT_EQ(g_session.billboardShown, 2);
    Report(800);
    EXPECT_EQ(g_session.billboardShown, 3);
    Report(800);
    EXPECT_EQ(g_session.billboardShown, 3);
    Report(1001);  // the copy ends at 100 per cent
    EXPECT_EQ(g_session.billboardShown, 4);
    Report(1001);
    EXPECT_EQ(g_session.billboardShown, 4);
    EXPECT_EQ(g_session.billboardSwitches, 5);
    // A repaint of the billboard shows page 4 again and moves nothing on.
    InvalidateRect(BillboardWindow(), nullptr, TRUE);
    UpdateWindow(BillboardWindow());
    EXPECT_EQ(g_session.billboardShown, 4);
}

TEST_F(Billboard, LargeSystemFontsGetALargerBillboardText) {
    DestroyWindow(main_);
    char saved[260];
    GetPrivateProfileStringA("boot", "fonts.fon", "", saved, sizeof saved, "system.ini");
    for (auto [font, height] : {std::pair{"8514sys.fon", -13}, std::pair{"vgasys.fon", -11}}) {
        WritePrivateProfileStringA("boot", "fonts.fon", font, "system.ini");
        main_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        g_session.mainWindow = main_;
        CreateProgressWindows(main_, "K-VOX Setup");
        LOGFONTA billboardFont{}, progressFont{};
        GetObjectA(reinterpret_cast<HFONT>(GetWindowLongPtrA(BillboardWindow(), GWLP_USERDATA)), sizeof billboardFont,
                   &billboardFont);
        GetObjectA(reinterpret_cast<HFONT>(GetWindowLongPtrA(ProgressWindow(), GWLP_USERDATA)), sizeof progressFont,
                   &progressFont);
        EXPECT_EQ(billboardFont.lfHeight, height) << font;
        EXPECT_EQ(billboardFont.lfWeight, FW_BOLD);
        EXPECT_EQ(progressFont.lfHeight, -11);
        DestroyWindow(main_);
    }
    WritePrivateProfileStringA("boot", "fonts.fon", saved, "system.ini");
    main_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
