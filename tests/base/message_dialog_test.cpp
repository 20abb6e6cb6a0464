// The message dialog: button sets, default buttons, answers and layout.
#include <string>
#include <vector>

#include "base/message_dialog.h"
#include "test_support.h"

namespace {

class MessageDialog : public SessionTest {};

struct Seen {
    std::vector<std::string> buttons;
    int defaultId = 0;
    int focusId = 0;
    std::string caption;
};

// Shows a message, records what the dialog offers, then answers it with `act`.
int ShowAndAct(UINT style, Seen& seen, const std::function<void(HWND)>& act,
               const char* title = "K-VOX Setup") {
    ModalScript script;
    script.On("", [&](HWND dialog) {
        seen.buttons = VisibleButtonCaptions(dialog);
        seen.defaultId = LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0));
        seen.focusId = GetDlgCtrlID(GetFocus());
        seen.caption = WindowText(dialog);
        act(dialog);
    });
    int answer = ShowMessageText("Question?", title, "", style);
    EXPECT_EQ(script.StepsLeft(), 0u);
    return answer;
}

using Buttons = std::vector<std::string>;

TEST_F(MessageDialog, ButtonSetsDefaultsAndTheAnswerToEnter) {
    struct Case {
        UINT style;
        Buttons buttons;
        int defaultId;
        int enterAnswer;
    } cases[] = {
        {0x10, {"OK"}, 1, kAnswerOk},
        {0x21, {"OK", "Cancel"}, 1, kAnswerOk},
        {0x101, {"OK", "Cancel"}, 2, kAnswerCancel},
        {0x201, {"OK", "Cancel"}, 1, kAnswerOk},  // no third button: the first is the default
        {0x112, {"Abort", "Retry", "Ignore"}, 2, kAnswerRetry},
        {0x212, {"Abort", "Retry", "Ignore"}, 5, kAnswerIgnore},
        {0x24, {"Yes", "No"}, 1, kAnswerYes},
        {0x144, {"Yes", "No"}, 2, kAnswerNo},
        {0x37, {"Yes", "Yes to All", "No"}, 1, kAnswerYes},
        {0x237, {"Yes", "Yes to All", "No"}, 5, kAnswerNo},
        {0x03, {"OK"}, 1, kAnswerOk},  // sets without a meaning show OK alone
        {0x105, {"OK"}, 1, kAnswerOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
        Seen seen;
        int answer = ShowAndAct(c.style, seen, [](HWND dialog) { PressKey(dialog, VK_RETURN); });
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.defaultId, c.defaultId);
        EXPECT_EQ(seen.focusId, c.defaultId);
        EXPECT_EQ(answer, c.enterAnswer);
    }
}

// Escape acts as the second control; closing from the system menu answers by the default
// button; every button gives its own answer.
TEST_F(MessageDialog, EscapeCloseAndEachButton) {
    auto key = [](WPARAM k) { return [k](HWND dialog) { PressKey(dialog, k); }; };
    auto click = [](int id) { return [id](HWND dialog) { ClickButton(dialog, id); }; };
    struct Case {
        UINT style;
        std::function<void(HWND)> act;
        int answer;
    } cases[] = {
        {0x37, key(VK_ESCAPE), kAnswerYesToAll}, {0x24, key(VK_ESCAPE), kAnswerNo},
        {0x112, key(VK_ESCAPE), kAnswerRetry},   {0x21, key(VK_ESCAPE), kAnswerCancel},
        {0x24, CloseFromSystemMenu, kAnswerYes}, {0x124, CloseFromSystemMenu, kAnswerNo},
        {0x12, CloseFromSystemMenu, kAnswerAbort}, {0x112, CloseFromSystemMenu, kAnswerRetry},
        {0x01, CloseFromSystemMenu, kAnswerOk},  {0x101, CloseFromSystemMenu, kAnswerCancel},
        {0x37, CloseFromSystemMenu, 1},          {0x10, CloseFromSystemMenu, 1},
        {0x37, click(2), kAnswerYesToAll},       {0x37, click(5), kAnswerNo},
        {0x112, click(1), kAnswerAbort},         {0x112, click(5), kAnswerIgnore},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        Seen seen;
        EXPECT_EQ(ShowAndAct(c.style, seen, c.act), c.answer);
    }
}

// Buttons beyond a message's set cannot answer: no mnemonic, Tab or stray key reaches them.
TEST_F(MessageDialog, ButtonsBeyondTheSetCannotAnswer) {
    struct Case {
        UINT style;
        WPARAM then;
        int answer;
    } cases[] = {{0x10, VK_RETURN, kAnswerOk}, {0x24, VK_ESCAPE, kAnswerNo}, {0x144, VK_RETURN, kAnswerNo}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
        bool ignoreReachable = true;
        Seen seen;
        int answer = ShowAndAct(c.style, seen, [&](HWND dialog) {
            HWND ignore = GetDlgItem(dialog, 5);
            ignoreReachable = IsWindowEnabled(ignore) || IsWindowVisible(ignore);
            HWND focus = GetFocus();
            for (WPARAM key : {WPARAM{'i'}, WPARAM{'I'}}) {
                PostMessageA(focus, WM_CHAR, key, 1);
                PostMessageA(focus, WM_SYSCHAR, key, 1 | (1 << 29));
            }
            PressKey(dialog, c.then);
        });
        EXPECT_FALSE(ignoreReachable);
        EXPECT_EQ(answer, c.answer);
    }
}

TEST_F(MessageDialog, TitleAndFormattedTextOfShowMessage) {
    Seen seen;
    EXPECT_EQ(ShowAndAct(0x10, seen, CloseFromSystemMenu, nullptr), 1);
    EXPECT_EQ(seen.caption, "K-VOX Setup");  // the template's caption stays
    EXPECT_EQ(ShowAndAct(0x10, seen, CloseFromSystemMenu, "Other"), 1);
    EXPECT_EQ(seen.caption, "Other");

    std::string text, caption;
    ModalScript script;
    script.On("", [&](HWND dialog) {
        text = MessageText(dialog);
        caption = WindowText(dialog);
        PressKey(dialog, VK_RETURN);
    });
    EXPECT_EQ(ShowMessage(nullptr, MB_ICONHAND, 30, "key", "value", "section"), kAnswerOk);
    EXPECT_EQ(text, "Can't write 'key' =  'value' in section 'section'");
    EXPECT_EQ(caption, "K-VOX Setup");
}

// Creates the dialog modelessly to look at its layout.
class MessageLayout : public SessionTest {
protected:
    HWND Open(const char* text, UINT style) {
        request_.text = text;
        request_.style = style;
        request_.fontFace = "";
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), "MESSAGE", nullptr, MessageDlgProc,
                                     reinterpret_cast<LPARAM>(&request_));
        ShowWindow(dialog_, SW_SHOW);
        UpdateWindow(dialog_);
        return dialog_;
    }
    void TearDown() override {
        if (dialog_) DestroyWindow(dialog_);
    }
    RECT ClientRectOf(HWND window) {
        RECT rect;
        GetClientRect(window, &rect);
        return rect;
    }
    RECT ChildRect(int id) {
        RECT rect;
        GetWindowRect(GetDlgItem(dialog_, id), &rect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    MessageDialogRequest request_;
    HWND dialog_ = nullptr;
};

TEST_F(MessageLayout, AOneLineErrorSitsLevelWithItsIconOverOneCentredButton) {
    HWND dialog = Open("Can't Find Windows Directory", 0x10);
    EXPECT_EQ(request_.iconExtent, 32);
    EXPECT_EQ(request_.textRect.left, 52);
    EXPECT_EQ(request_.textRect.top, 20);
    EXPECT_EQ(request_.textRect.bottom, 52);

    RECT client = ClientRectOf(dialog);
    RECT ok = ChildRect(1);
    int width = ok.right - ok.left, height = ok.bottom - ok.top;
    EXPECT_EQ(client.right, std::max<int>(request_.textRect.right + 20, width));
    EXPECT_EQ(client.bottom, 52 + height + 20);
    EXPECT_EQ(ok.top, client.bottom - height - 10);
    EXPECT_EQ(ok.left, (client.right - width) / 2);
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
        {0x00, nullptr, 20, 10},        {0x10, IDI_HAND, 52, 20},     {0x21, IDI_QUESTION, 52, 20},
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
        DestroyWindow(dialog_);
        dialog_ = nullptr;
    }
}

TEST_F(MessageLayout, ALongTextWrapsAtHalfTheScreenWidth) {
    std::string longText;
    for (int i = 0; i < 60; ++i) longText += "word ";
    HWND dialog = Open(longText.c_str(), 0x37);
    int half = GetSystemMetrics(SM_CXSCREEN) / 2;
    int lineHeight = 13;
    EXPECT_LE(request_.textRect.right - request_.textRect.left, half);
    EXPECT_GT(request_.textRect.right - request_.textRect.left, half - 60);
    EXPECT_GE(request_.textRect.bottom - request_.textRect.top, 3 * lineHeight);
    RECT client = ClientRectOf(dialog);
    EXPECT_EQ(client.right, request_.textRect.right + 20);

    // Three buttons share the width in equal gaps.
    RECT b1 = ChildRect(1), b2 = ChildRect(2), b3 = ChildRect(5);
    int width = b1.right - b1.left;
    int gap = (client.right - 3 * width) / 4;
    EXPECT_EQ(b1.left, gap);
    EXPECT_EQ(b2.left, 2 * gap + width);
    EXPECT_EQ(b3.left, 3 * gap + 2 * width);
}

TEST_F(MessageLayout, LineBreaksInTheTextBreakLines) {
    Open("first line", 0x00);
    LONG oneLine = request_.textRect.bottom - request_.textRect.top;
    DestroyWindow(dialog_);
    Open("first\rsecond\nthird\r\nfourth", 0x00);
    EXPECT_EQ(request_.textRect.bottom - request_.textRect.top, 4 * oneLine);
}

}  // namespace
