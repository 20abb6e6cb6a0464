// The message dialog "Message": button sets, icon, bold text sized to fit, answers.
#include "base/message_dialog.h"

#include <algorithm>
#include <cstdarg>

#include "base/handles.h"
#include "base/session.h"
#include "base/text.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kMaxOwners = 8;
HWND g_owners[kMaxOwners];
int g_ownerCount = 0;

constexpr int kButtonIds[3] = {IDC_MESSAGE_BUTTON1, IDC_MESSAGE_BUTTON2, IDC_MESSAGE_BUTTON3};
constexpr const char* kFallbackCaptions[3] = {"OK", "Cancel", "Ignore"};

struct ButtonSet {
    int count;
    UINT captions[3];  // string ids of the captions of controls 1, 2 and 5
    int answers[3];    // answers of controls 1, 2 and 5
};

const ButtonSet& ButtonSetFor(int set) {
    static const ButtonSet kOk = {1, {IDS_BUTTON_OK, 0, 0}, {kAnswerOk, kAnswerCancel, kAnswerIgnore}};
    static const ButtonSet kOkCancel = {
        2, {IDS_BUTTON_OK, IDS_BUTTON_CANCEL, 0}, {kAnswerOk, kAnswerCancel, kAnswerIgnore}};
    static const ButtonSet kAbortRetryIgnore = {
        3, {IDS_BUTTON_ABORT, IDS_BUTTON_RETRY, IDS_BUTTON_IGNORE}, {kAnswerAbort, kAnswerRetry, kAnswerIgnore}};
    static const ButtonSet kYesNo = {2, {IDS_BUTTON_YES, IDS_BUTTON_NO, 0}, {kAnswerYes, kAnswerNo, kAnswerIgnore}};
    static const ButtonSet kYesYesToAllNo = {
        3, {IDS_BUTTON_YES, IDS_BUTTON_YES_TO_ALL, IDS_BUTTON_NO}, {kAnswerYes, kAnswerYesToAll, kAnswerNo}};
    switch (set) {
    case MB_OKCANCEL: return kOkCancel;
    case MB_ABORTRETRYIGNORE: return kAbortRetryIgnore;
    case MB_YESNO: return kYesNo;
    case MB_YESYESTOALLNO: return kYesYesToAllNo;
    default: return kOk;
    }
}

int NormalisedSet(UINT style) {
    int set = static_cast<int>(style & 0x0F);
    switch (set) {
    case MB_OKCANCEL:
    case MB_ABORTRETRYIGNORE:
    case MB_YESNO:
    case MB_YESYESTOALLNO:
        return set;
    default:
        return MB_OK;
    }
}

LPCSTR IconFor(UINT style) {
    switch (style & 0xF0) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
    }
}

int DefaultButtonIdFor(UINT style, int count) {
    UINT choice = style & 0xF00;
    if (choice == MB_DEFBUTTON3 && count == 3) return IDC_MESSAGE_BUTTON3;
    if (choice == MB_DEFBUTTON2 && count >= 2) return IDC_MESSAGE_BUTTON2;
    return IDC_MESSAGE_BUTTON1;
}

MessageDialogRequest* RequestOf(HWND dialog) {
    return reinterpret_cast<MessageDialogRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Text rectangle of the wrapped text, placed right of the icon.
RECT MeasureText(HWND dialog, const MessageDialogRequest& request) {
    RECT rect = {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    {
        UniqueFont font(CreateFontIndirectA(&request.font));
        WindowDc dc(dialog);
        SelectedObject selected(dc.Dc(), font.Get());
        DrawTextA(dc.Dc(), request.text, -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    }
    int extent = request.iconExtent;
    if (rect.bottom - rect.top < extent) {
        // A one-line text sits level with the middle of the icon.
        rect.top = extent / 3;
        rect.bottom = extent / 3 + extent;
    }
    OffsetRect(&rect, extent + 20, 10);
    return rect;
}

struct ButtonExtent {
    int width;
    int height;
};

// Buttons take the size of control 1, in pixels.
ButtonExtent ButtonSize(HWND dialog) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, IDC_MESSAGE_BUTTON1), &rect);
    return {static_cast<int>(rect.right - rect.left), static_cast<int>(rect.bottom - rect.top)};
}

void ResizeToClient(HWND dialog, int clientWidth, int clientHeight) {
    RECT window, client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    int frameWidth = (window.right - window.left) - client.right;
    int frameHeight = (window.bottom - window.top) - client.bottom;
    POINT position = {window.left, window.top};
    if (HWND parent = GetParent(dialog); parent && (GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD))
        ScreenToClient(parent, &position);
    MoveWindow(dialog, position.x, position.y, clientWidth + frameWidth, clientHeight + frameHeight, FALSE);
}

void PlaceButtons(HWND dialog, const MessageDialogRequest& request, int clientWidth, int clientHeight, ButtonExtent button) {
    const ButtonSet& set = ButtonSetFor(request.buttonSet);
    int count = set.count;
    int gap = std::max(1, (clientWidth - count * button.width) / (count + 1));
    int y = clientHeight - button.height - 10;
    for (int k = 1; k <= 3; ++k) {
        HWND control = GetDlgItem(dialog, kButtonIds[k - 1]);
        if (k > count) {
            // Out of sight and out of reach: no mnemonic, Tab or stray key can answer with it.
            MoveWindow(control, 0, 3000, 20, 20, FALSE);
            ShowWindow(control, SW_HIDE);
            EnableWindow(control, FALSE);
            continue;
        }
        MoveWindow(control, k * gap + (k - 1) * button.width, y, button.width, button.height, FALSE);
        char caption[32];
        if (LoadText(set.captions[k - 1], caption) == 0) CopyText(caption, kFallbackCaptions[k - 1]);
        SetWindowTextA(control, caption);
    }
}

void MakeDefault(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    SendMessageA(dialog, DM_SETDEFID, id, 0);
    SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    SetFocus(button);
}

INT_PTR OnInitDialog(HWND dialog, MessageDialogRequest* request) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(request));
    request->buttonSet = NormalisedSet(request->style);
    request->buttonCount = ButtonSetFor(request->buttonSet).count;
    request->icon = IconFor(request->style);
    request->iconExtent = request->icon ? 32 : 0;
    request->font = LOGFONTA{};
    request->font.lfHeight = -13;
    request->font.lfWeight = FW_BOLD;
    CopyText(request->font.lfFaceName, request->fontFace);

    request->textRect = MeasureText(dialog, *request);
    ButtonExtent button = ButtonSize(dialog);
    int clientWidth = std::max(static_cast<int>(request->textRect.right) + 20, request->buttonCount * button.width);
    int clientHeight = request->textRect.bottom + button.height + 20;
    ResizeToClient(dialog, clientWidth, clientHeight);
    PlaceButtons(dialog, *request, clientWidth, clientHeight, button);

    if (request->title && request->title[0]) SetWindowTextA(dialog, request->title);
    request->defaultButtonId = DefaultButtonIdFor(request->style, request->buttonCount);
    MakeDefault(dialog, request->defaultButtonId);
    return FALSE;  // the focus is set
}

void OnPaint(HWND dialog, const MessageDialogRequest& request) {
    PaintScope paint(dialog);
    const RECT& text = request.textRect;
    if (request.icon) {
        int y = (text.bottom - request.iconExtent - text.top) / 2 + 10;
        DrawIcon(paint.Dc(), 10, y, LoadIconA(nullptr, request.icon));
    }
    UniqueFont font(CreateFontIndirectA(&request.font));
    SelectedObject selected(paint.Dc(), font.Get());
    SetBkColor(paint.Dc(), kSetupGrey);
    RECT rect = text;
    DrawTextA(paint.Dc(), request.text, -1, &rect, DT_WORDBREAK);
}

int AnswerForControl(const MessageDialogRequest& request, int id) {
    const ButtonSet& set = ButtonSetFor(request.buttonSet);
    for (int k = 0; k < 3; ++k)
        if (kButtonIds[k] == id) return set.answers[k];
    return 0;
}

int AnswerForClose(const MessageDialogRequest& request) {
    bool secondIsDefault = request.defaultButtonId == IDC_MESSAGE_BUTTON2;
    switch (request.buttonSet) {
    case MB_YESNO: return secondIsDefault ? kAnswerNo : kAnswerYes;
    case MB_ABORTRETRYIGNORE: return secondIsDefault ? kAnswerRetry : kAnswerAbort;
    case MB_OKCANCEL: return secondIsDefault ? kAnswerCancel : kAnswerOk;
    default: return 1;
    }
}

INT_PTR OnCommand(HWND dialog, const MessageDialogRequest& request, int id, int code) {
    if (code != BN_CLICKED) return FALSE;
    int answer = AnswerForControl(request, id);
    if (answer == 0) return FALSE;
    EndDialog(dialog, answer);
    return TRUE;
}

INT_PTR OnControlColour(HDC dc) {
    SetBkColor(dc, kSetupGrey);
    return reinterpret_cast<INT_PTR>(SetupGreyBrush());
}

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK MessageDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return OnInitDialog(dialog, reinterpret_cast<MessageDialogRequest*>(lParam));
    MessageDialogRequest* request = RequestOf(dialog);
    if (!request) return FALSE;
    switch (message) {
    case WM_PAINT:
        OnPaint(dialog, *request);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, *request, LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
        EndDialog(dialog, AnswerForClose(*request));
        return TRUE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return OnControlColour(reinterpret_cast<HDC>(wParam));
    default:
        return FALSE;
    }
}

int ShowMessageText(const char* text, const char* title, const char* fontFace, UINT style) {
    MessageDialogRequest request;
    request.text = text;
    request.title = title;
    request.fontFace = fontFace ? fontFace : "";
    request.style = style;
    INT_PTR answer = DialogBoxParamA(g_session.instance, IDD_MESSAGE, DialogOwner(), MessageDlgProc,
                                     reinterpret_cast<LPARAM>(&request));
    if (g_session.mainWindow) UpdateWindow(g_session.mainWindow);
    return static_cast<int>(answer);
}

int ShowMessage(HWND /*owner*/, UINT style, UINT stringId, ...) {
    char format[512];
    LoadText(stringId, format);
    char text[1024];
    va_list arguments;
    va_start(arguments, stringId);
    wvsprintfA(text, format, arguments);
    va_end(arguments);
    char title[128];
    UINT titleId = g_session.fallbackCaptions ? IDS_SETUP_TITLE_FALLBACK : IDS_SETUP_TITLE;
    LoadText(g_session.programTitle ? g_session.programTitle : titleId, title);
    return ShowMessageText(text, title, g_session.uiFontFace, style);
}

HWND DialogOwner() {
    for (int i = g_ownerCount - 1; i >= 0; --i)
        if (IsWindow(g_owners[i])) return g_owners[i];
    return g_session.mainWindow;
}

void EnterDialogOwner(HWND dialog) {
    if (g_ownerCount < kMaxOwners) g_owners[g_ownerCount++] = dialog;
}

void LeaveDialogOwner(HWND dialog) {
    int kept = 0;
    for (int i = 0; i < g_ownerCount; ++i)
        if (g_owners[i] != dialog) g_owners[kept++] = g_owners[i];
    g_ownerCount = kept;
}
