// The progress gauge's arithmetic and the billboard's pages.
#include "base/text.h"
#include "progress/progress.h"
#include "test_support.h"

namespace {

TEST(Gauge, PercentageAndBarDivideByTheTotalPlusOne) {
    // The last two rows are large packages: no overflow of the intermediate product.
    struct Case {
        int32_t done, total, percent, fillOf350;
    } cases[] = {{0, 0, 0, 0},         {1000, 1000, 99, 349}, {1001, 1000, 100, 350},
                 {5000, 1000, 100, 350}, {250, 999, 25, 87},  {1500000000, 2000000000, 74, 262},
                 {2000000000, 2000000000, 99, 349}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.done << "/" << c.total);
        EXPECT_EQ(CopyPercentage(c.done, c.total), c.percent);
        EXPECT_EQ(GaugeFill(350, c.done, c.total), c.fillOf350);
    }
}

LOGFONTA FontOf(HWND window) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(GetWindowLongPtrA(window, GWLP_USERDATA)), sizeof font, &font);
    return font;
}

// The two windows as children of a stand-in main window.
class Billboard : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        RegisterProgressWindowClasses(GetModuleHandleA(nullptr));
        CopyText(g_session.uiFontFace, "MS Sans Serif");
        MakeMainWindow(WS_VISIBLE, 1024, 768);
        g_session.totalBytes = 1000;
    }
    void TearDown() override { DestroyWindow(main_); }
    void MakeMainWindow(DWORD visible, int width, int height) {
        main_ = CreateWindowA("STATIC", "", WS_POPUP | visible, 0, 0, width, height, nullptr, nullptr, nullptr,
                              nullptr);
        g_session.mainWindow = main_;
        CreateProgressWindows(main_, "K-VOX Setup");
    }
    void Report(int32_t bytesDone) {
        g_session.bytesDone = bytesDone;
        ShowCopyProgress("A:\\", "C:\\KVOX\\", "kvox.exe");
    }
    HWND main_ = nullptr;
};

TEST_F(Billboard, HiddenUntilTheFirstReportThenOnePageAtATimeAsQuartersArePassed) {
    // The main window stands at (0, 0): screen positions are its client positions.
    int centreX = (GetSystemMetrics(SM_CXSCREEN) - 400) / 2, centreY = (GetSystemMetrics(SM_CYSCREEN) - 150) / 2;
    for (auto [window, left, top] : {std::tuple{BillboardWindow(), 20, 20}, {ProgressWindow(), centreX, centreY}}) {
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(IsWindowVisible(window));
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(std::tuple(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                  std::tuple(LONG(left), LONG(top), 400L, 150L));
    }
    Report(0);
    EXPECT_TRUE(IsWindowVisible(ProgressWindow()));
    EXPECT_TRUE(IsWindowVisible(BillboardWindow()));
    EXPECT_STREQ(g_session.currentFileName, "kvox.exe");
    EXPECT_STREQ(g_session.currentTargetPath, "C:\\KVOX\\kvox.exe");
    EXPECT_EQ(g_session.billboardShown, 0);
    // A jump to 80 per cent moves on one page per report, up to page 3; page 4 waits for
    // the end of the copy at 100 per cent.
    std::pair<int32_t, int32_t> steps[] = {{100, 0}, {800, 1}, {800, 2}, {800, 3}, {800, 3}, {1001, 4}, {1001, 4}};
    for (auto [bytesDone, page] : steps) {
        Report(bytesDone);
        EXPECT_EQ(g_session.billboardShown, page) << "at " << bytesDone;
    }
    // A repaint of the billboard shows page 4 again and moves nothing on.
    InvalidateRect(BillboardWindow(), nullptr, TRUE);
    UpdateWindow(BillboardWindow());
    EXPECT_EQ(g_session.billboardShown, 4);
}

TEST_F(Billboard, LargeSystemFontsGetALargerBillboardText) {
    char saved[260];
    GetPrivateProfileStringA("boot", "fonts.fon", "", saved, sizeof saved, "system.ini");
    for (auto [font, height] : {std::pair{"8514sys.fon", -13}, std::pair{"vgasys.fon", -11}}) {
        SCOPED_TRACE(font);
        DestroyWindow(main_);
        WritePrivateProfileStringA("boot", "fonts.fon", font, "system.ini");
        MakeMainWindow(0, 10, 10);
        EXPECT_EQ(FontOf(BillboardWindow()).lfHeight, height);
        EXPECT_EQ(FontOf(BillboardWindow()).lfWeight, FW_BOLD);
        EXPECT_EQ(FontOf(ProgressWindow()).lfHeight, -11);
    }
    WritePrivateProfileStringA("boot", "fonts.fon", saved, "system.ini");
}

}  // namespace
