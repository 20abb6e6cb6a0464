// The message dialog: button sets, default buttons, answers and layout.
#include <string>
#include <vector>

#include "base/message_dialog.h"
#include "test_support.h"

namespace {

using MessageDialog = SessionTest;
using Buttons = std::vector<std::string>;
using Act = std::function<void(HWND)>;

struct Seen {
    Buttons buttons;
    int defaultId = 0, focusId = 0;
    bool thirdReachable = false;  // the control that stands third in a set of three
    std::string caption, text;
};

// Runs `show`, records what the message dialog offers, then answers it with `act`.
int Watch(Seen& seen, const Act& act, const std::function<int()>& show) {
    ModalScript script;
    script.On("", [&](HWND dialog) {
        seen.buttons = VisibleButtonCaptions(dialog);
        seen.defaultId = LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0));
        seen.focusId = GetDlgCtrlID(GetFocus());
        HWND third = GetDlgItem(dialog, 5);
        seen.thirdReachable = IsWindowEnabled(third) || IsWindowVisible(third);
        seen.caption = WindowText(dialog);
        seen.text = MessageText(dialog);
        act(dialog);
    });
    int answer = show();
    EXPECT_EQ(script.StepsLeft(), 0u);
    return answer;
}

int ShowAndAct(UINT style, Seen& seen, const Act& act, const char* title = "K-VOX Setup") {
    return Watch(seen, act, [&] { return ShowMessageText("Question?", title, "", style); });
}

Act Key(WPARAM key) { return [key](HWND dialog) { PressKey(dialog, key); }; }
Act Click(int id) { return [id](HWND dialog) { ClickButton(dialog, id); }; }
// Mnemonic and stray keys of the third button first: none may answer a smaller set.
Act StrayKeysThen(WPARAM key) {
    return [key](HWND dialog) {
        HWND focus = GetFocus();
        for (WPARAM stray : {WPARAM{'i'}, WPARAM{'I'}}) {
            PostMessageA(focus, WM_CHAR, stray, 1);
            PostMessageA(focus, WM_SYSCHAR, stray, 1 | (1 << 29));
        }
        PressKey(dialog, key);
    };
}

// Enter answers by the default button, which has the focus; Escape acts as the second
// control; closing from the system menu answers by the default button; every button gives
// its own answer; buttons beyond the set cannot be reached.
TEST_F(MessageDialog, ButtonSetsDefaultsAndAnswers) {
    const Act enter = Key(VK_RETURN);
    struct Case {
        UINT style;
        Act act;
        int answer;
        Buttons buttons = {};  // checked with the default button when given
        int defaultId = 0;
    } cases[] = {
        {0x10, enter, kAnswerOk, {"OK"}, 1},
        {0x21, enter, kAnswerOk, {"OK", "Cancel"}, 1},        {0x101, enter, kAnswerCancel, {"OK", "Cancel"}, 2},
        {0x201, enter, kAnswerOk, {"OK", "Cancel"}, 1},  // no third button: the first is the default
        {0x112, enter, kAnswerRetry, {"Abort", "Retry", "Ignore"}, 2},
        {0x212, enter, kAnswerIgnore, {"Abort", "Retry", "Ignore"}, 5},
        {0x24, enter, kAnswerYes, {"Yes", "No"}, 1},          {0x144, enter, kAnswerNo, {"Yes", "No"}, 2},
        {0x37, enter, kAnswerYes, {"Yes", "Yes to All", "No"}, 1},
        {0x237, enter, kAnswerNo, {"Yes", "Yes to All", "No"}, 5},
        {0x03, enter, kAnswerOk, {"OK"}, 1},  // sets without a meaning show OK alone
        {0x105, enter, kAnswerOk, {"OK"}, 1},
        {0x37, Key(VK_ESCAPE), kAnswerYesToAll},      {0x24, Key(VK_ESCAPE), kAnswerNo},
        {0x112, Key(VK_ESCAPE), kAnswerRetry},        {0x21, Key(VK_ESCAPE), kAnswerCancel},
        {0x24, CloseFromSystemMenu, kAnswerYes},      {0x124, CloseFromSystemMenu, kAnswerNo},
        {0x12, CloseFromSystemMenu, kAnswerAbort},    {0x112, CloseFromSystemMenu, kAnswerRetry},
        {0x01, CloseFromSystemMenu, kAnswerOk},       {0x101, CloseFromSystemMenu, kAnswerCancel},
        {0x37, CloseFromSystemMenu, 1},               {0x10, CloseFromSystemMenu, 1},
        {0x37, Click(2), kAnswerYesToAll},            {0x37, Click(5), kAnswerNo},
        {0x112, Click(1), kAnswerAbort},              {0x112, Click(5), kAnswerIgnore},
        {0x10, StrayKeysThen(VK_RETURN), kAnswerOk},  {0x24, StrayKeysThen(VK_ESCAPE), kAnswerNo},
        {0x144, StrayKeysThen(VK_RETURN), kAnswerNo},
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

TEST_F(MessageDialog, TitleAndFormattedTextOfShowMessage) {
    Seen seen;
    EXPECT_EQ(ShowAndAct(0x10, seen, CloseFromSystemMenu, nullptr), 1);
    EXPECT_EQ(seen.caption, "K-VOX Setup");  // the template's caption stays
    EXPECT_EQ(ShowAndAct(0x10, seen, CloseFromSystemMenu, "Other"), 1);
    EXPECT_EQ(seen.caption, "Other");

    auto formatted = [] { return ShowMessage(nullptr, MB_ICONHAND, 30, "key", "value", "section"); };
    EXPECT_EQ(Watch(seen, Key(VK_RETURN), formatted), kAnswerOk);
    EXPECT_EQ(seen.text, "Can't write 'key' =  'value' in section 'section'");
    EXPECT_EQ(seen.caption, "K-VOX Setup");
}

// Creates the dialog modelessly to look at its layout.
class MessageLayout : public SessionTest {
protected:
    HWND Open(const char* text, UINT style) {
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
        return dialog_;
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
    HWND dialog = Open("Can't Find Windows Directory", 0x10);
    EXPECT_EQ(request_.textRect.bottom, 52);
    RECT ok = ChildRect(1);
    int width = ok.right - ok.left, height = ok.bottom - ok.top;
    EXPECT_EQ(client_.right, std::max<int>(request_.textRect.right + 20, width));
    EXPECT_EQ(client_.bottom, 52 + height + 20);
    EXPECT_EQ(ok.top, client_.bottom - height - 10);
    EXPECT_EQ(ok.left, (client_.right - width) / 2);
    EXPECT_EQ(ChildRect(2).top, 3000);
    EXPECT_EQ(ChildRect(5).top, 3000);

    // The stop icon is painted at (10, 10); the dialog around it is light grey.
    HDC dc = GetDC(dialog);
    int iconPixels = 0;
    for (int y = 10; y < 42; ++y)
        for (int x = 10; x < 42; ++x) iconPixels += GetPixel(dc, x, y) != RGB(192, 192, 192);
    EXPECT_GT(iconPixels, 100);
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(192, 192, 192));
    ReleaseDC(dialog, dc);
}

// The icon follows bits 4 to 7; without one the text starts at the left margin. The text
// is bold, 13 pixels high, whatever the style.
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
        EXPECT_EQ(request_.iconExtent, c.icon ? 32 : 0);
        EXPECT_EQ(request_.textRect.left, c.textLeft);
        EXPECT_EQ(request_.textRect.top, c.textTop);
        EXPECT_EQ(request_.font.lfHeight, -13);
        EXPECT_EQ(request_.font.lfWeight, FW_BOLD);
    }
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
    RECT b1 = ChildRect(1), b2 = ChildRect(2), b3 = ChildRect(5);
    int width = b1.right - b1.left;
    int gap = (client_.right - 3 * width) / 4;
    EXPECT_EQ(b1.left, gap);
    EXPECT_EQ(b2.left, 2 * gap + width);
    EXPECT_EQ(b3.left, 3 * gap + 2 * width);

    Open("first line", 0x00);
    LONG oneLine = TextHeight();
    Open("first\rsecond\nthird\r\nfourth", 0x00);
    EXPECT_EQ(TextHeight(), 4 * oneLine);
}

}  // namespace
