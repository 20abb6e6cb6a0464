// The message dialog: button sets, default buttons, answers and layout.
#include "base/message_dialog.h"
#include "test_support.h"

namespace {

using MessageDialog = SessionTest;
using Act = std::function<void(HWND)>;

struct Seen {
    std::vector<std::string> buttons;
    int defaultId = 0, focusId = 0;
    bool thirdReachable = false;  // the control that stands third in a set of three
    std::string caption;
};

// Shows a question, records what the message dialog offers, then answers it with `act`.
int ShowAndAct(UINT style, Seen& seen, const Act& act, const char* title = "K-VOX Setup") {
    ModalScript script;
    script.On("", [&](HWND dialog) {
        HWND third = GetDlgItem(dialog, 5);
        seen = {VisibleButtonCaptions(dialog), LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)),
                GetDlgCtrlID(GetFocus()), IsWindowEnabled(third) || IsWindowVisible(third), WindowText(dialog)};
        act(dialog);
    });
    int answer = ShowMessageText("Question?", title, "", style);
    EXPECT_EQ(script.StepsLeft(), 0u);
    return answer;
}

Act Key(WPARAM key) { return [key](HWND dialog) { PressKey(dialog, key); }; }

// Enter answers by the default button, which has the focus; Escape acts as the second
// control; closing from the system menu answers by the default button; buttons beyond the
// set cannot be reached.
TEST_F(MessageDialog, ButtonSetsDefaultsAndAnswers) {
    const Act enter = Key(VK_RETURN), escape = Key(VK_ESCAPE), close = CloseFromSystemMenu;
    struct Case {
        UINT style;
        Act act;
        int answer;
        std::vector<std::string> buttons = {};  // checked with the default button when given
        int defaultId = 0;
    } cases[] = {
        {0x10, enter, kAnswerOk, {"OK"}, 1},
        {0x21, enter, kAnswerOk, {"OK", "Cancel"}, 1},  {0x101, enter, kAnswerCancel, {"OK", "Cancel"}, 2},
        {0x201, enter, kAnswerOk, {"OK", "Cancel"}, 1},  // no third button: the first is the default
        {0x112, enter, kAnswerRetry, {"Abort", "Retry", "Ignore"}, 2},
        {0x212, enter, kAnswerIgnore, {"Abort", "Retry", "Ignore"}, 5},
        {0x24, enter, kAnswerYes, {"Yes", "No"}, 1},    {0x144, enter, kAnswerNo, {"Yes", "No"}, 2},
        {0x37, enter, kAnswerYes, {"Yes", "Yes to All", "No"}, 1},
        {0x237, enter, kAnswerNo, {"Yes", "Yes to All", "No"}, 5},
        {0x03, enter, kAnswerOk, {"OK"}, 1},  // sets without a meaning show OK alone
        {0x105, enter, kAnswerOk, {"OK"}, 1},
        {0x37, escape, kAnswerYesToAll},              {0x24, escape, kAnswerNo},
        {0x112, escape, kAnswerRetry},                {0x21, escape, kAnswerCancel},
        {0x24, close, kAnswerYes},                    {0x124, close, kAnswerNo},
        {0x12, close, kAnswerAbort},                  {0x112, close, kAnswerRetry},
        {0x01, close, kAnswerOk},                     {0x101, close, kAnswerCancel},
        {0x37, close, 1},                             {0x10, close, 1},
        {0x112, [](HWND dialog) { ClickButton(dialog, 1); }, kAnswerAbort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases) << ", style 0x" << std::hex << c.style);
        Seen seen;
        EXPECT_EQ(ShowAndAct(c.style, seen, c.act), c.answer);
        if (c.buttons.empty()) continue;
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.defaultId, c.defaultId);
        EXPECT_EQ(seen.focusId, c.defaultId);
        EXPECT_EQ(seen.thirdReachable, c.buttons.size() == 3);
    }
}

// Without a title the template's caption stays.
TEST_F(MessageDialog, TitleOfTheDialog) {
    Seen seen;
    EXPECT_EQ(ShowAndAct(0x10, seen, CloseFromSystemMenu, nullptr), 1);
    EXPECT_EQ(seen.caption, "K-VOX Setup");
    EXPECT_EQ(ShowAndAct(0x10, seen, CloseFromSystemMenu, "Other"), 1);
    EXPECT_EQ(seen.caption, "Other");
}

// Creates the dialog modelessly to look at its layout.
class MessageLayout : public SessionTest {
protected:
    void Open(const char* text, UINT style) {
        if (dialog_) DestroyWindow(dialog_);
        request_ = MessageDialogRequest{};
        request_.text = text;
        request_.style = style;
        request_.fontFace = "";
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), "MESSAGE", nullptr, MessageDlgProc,
                                     reinterpret_cast<LPARAM>(&request_));
        ShowWindow(dialog_, SW_SHOW);
        UpdateWindow(dialog_);
        GetClientRect(dialog_, &client_);
    }
    void TearDown() override { DestroyWindow(dialog_); }
    RECT ChildRect(int id) {
        RECT rect;
        GetWindowRect(GetDlgItem(dialog_, id), &rect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    LONG TextHeight() const { return request_.textRect.bottom - request_.textRect.top; }

    MessageDialogRequest request_;
    HWND dialog_ = nullptr;
    RECT client_{};
};

TEST_F(MessageLayout, AOneLineErrorSitsLevelWithItsIconOverOneCentredButton) {
    Open("Can't Find Windows Directory", 0x10);
    EXPECT_EQ(request_.textRect.bottom, 52);
    RECT ok = ChildRect(1);
    int width = ok.right - ok.left, height = ok.bottom - ok.top;
    EXPECT_EQ(client_.right, std::max<int>(request_.textRect.right + 20, width));
    EXPECT_EQ(client_.bottom, 52 + height + 20);
    EXPECT_EQ(ok.top, client_.bottom - height - 10);
    EXPECT_EQ(ok.left, (client_.right - width) / 2);

    // The stop icon is painted at (10, 10); the dialog around it is light grey.
    HDC dc = GetDC(dialog_);
    int iconPixels = 0;
    for (int y = 10; y < 42; ++y)
        for (int x = 10; x < 42; ++x) iconPixels += GetPixel(dc, x, y) != RGB(192, 192, 192);
    EXPECT_GT(iconPixels, 100);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(192, 192, 192));
    ReleaseDC(dialog_, dc);
}

// The icon follows bits 4 to 7; without one the text starts at the left margin. The text
// is bold, 13 pixels high.
TEST_F(MessageLayout, IconByStyleAndTheTextBesideIt) {
    struct Case {
        UINT style;
        LPCSTR icon;
        LONG textLeft, textTop;
    } cases[] = {
        {0x00, nullptr, 20, 10},         {0x10, IDI_HAND, 52, 20},     {0x21, IDI_QUESTION, 52, 20},
        {0x34, IDI_EXCLAMATION, 52, 20}, {0x40, IDI_ASTERISK, 52, 20}, {0x50, nullptr, 20, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
        Open("Registry error", c.style);
        EXPECT_EQ(request_.icon, c.icon);
        EXPECT_EQ(std::pair(request_.textRect.left, request_.textRect.top), std::pair(c.textLeft, c.textTop));
    }
    EXPECT_EQ(std::pair(request_.font.lfHeight, request_.font.lfWeight), std::pair(-13L, long{FW_BOLD}));
}

// A long text wraps at half the screen width; line breaks in the text break lines.
TEST_F(MessageLayout, TextWrapsAtHalfTheScreenAndAtLineBreaks) {
    std::string longText;
    for (int i = 0; i < 60; ++i) longText += "word ";
    Open(longText.c_str(), 0x37);
    int half = GetSystemMetrics(SM_CXSCREEN) / 2;
    EXPECT_LE(request_.textRect.right - request_.textRect.left, half);
    EXPECT_GT(request_.textRect.right - request_.textRect.left, half - 60);
    EXPECT_GE(TextHeight(), 3 * 13);
    EXPECT_EQ(client_.right, request_.textRect.right + 20);

    // Three buttons share the width in equal gaps.
    int width = ChildRect(1).right - ChildRect(1).left, gap = (client_.right - 3 * width) / 4;
    EXPECT_EQ(ChildRect(1).left, gap);
    EXPECT_EQ(ChildRect(2).left, 2 * gap + width);
    EXPECT_EQ(ChildRect(5).left, 3 * gap + 2 * width);

    Open("first line", 0x00);
    LONG oneLine = TextHeight();
    Open("first\rsecond\nthird\r\nfourth", 0x00);
    EXPECT_EQ(TextHeight(), 4 * oneLine);
}

}  // namespace
