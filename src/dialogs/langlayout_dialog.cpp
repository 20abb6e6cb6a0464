// LANGLAYOUT: the keyboard layouts to install, and the two the layout switch toggles.
// Every layout stands in exactly one of the two lists; both drop-down lists hold exactly
// the entries of "Selected Layouts".
#include "base/handles.h"
#include "base/message_dialog.h"
#include "base/session.h"
#include "base/text.h"
#include "dialogs/dialog_common.h"
#include "dialogs/dialog_states.h"
#include "dialogs/dialogs.h"
#include "dialogs/layout_table.h"
#include "resources/resource_ids.h"
#include "setupinfo/profile.h"
#include "setupinfo/setup_info.h"

namespace {

// The drop-down lists of layout 1 and layout 2.
constexpr int kCurrentLayoutCombos[2] = {IDC_LAYOUTS_FIRST, IDC_LAYOUTS_SECOND};

LayoutsState& StateOf(HWND dialog) { return DialogState<LayoutsState>(dialog); }

constexpr int kGreyBoxes[] = {IDC_LAYOUTS_GROUP_LAYOUTS, IDC_LAYOUTS_GROUP_CURRENT};

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

char* LayoutName(int which) { return which == 0 ? g_session.firstLayout : g_session.secondLayout; }

int Count(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }

void ListText(HWND list, int index, char (&text)[128]) {
    text[0] = '\0';
    if (SendMessageA(list, LB_GETTEXTLEN, index, 0) < static_cast<LRESULT>(sizeof text))
        SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
}

void AddToSelected(HWND dialog, const char* name) {
    SendMessageA(Item(dialog, IDC_LAYOUTS_SELECTED), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    for (int combo : kCurrentLayoutCombos)
        SendMessageA(Item(dialog, combo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

// Moves entry `index` of one list to the other; moving into "Selected Layouts" adds it to
// the drop-down lists as well.
void MoveToSelected(HWND dialog, int index) {
    HWND supported = Item(dialog, IDC_LAYOUTS_SUPPORTED);
    char name[128];
    ListText(supported, index, name);
    AddToSelected(dialog, name);
    SendMessageA(supported, LB_DELETESTRING, index, 0);
}

// The remembered entry of a drop-down list after one of its entries went away.
void ForgetEntry(HWND dialog, int which, int deleted) {
    HWND combo = Item(dialog, kCurrentLayoutCombos[which]);
    int& remembered = StateOf(dialog).remembered[which];
    if (deleted == remembered) {
        remembered = SendMessageA(combo, CB_GETCOUNT, 0, 0) > 0 ? 0 : -1;
    } else if (deleted < remembered) {
        --remembered;
    } else {
        return;
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(remembered), 0);
}

void MoveToSupported(HWND dialog, int index) {
    HWND selected = Item(dialog, IDC_LAYOUTS_SELECTED);
    char name[128];
    ListText(selected, index, name);
    SendMessageA(Item(dialog, IDC_LAYOUTS_SUPPORTED), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessageA(selected, LB_DELETESTRING, index, 0);
    for (int which = 0; which < 2; ++which) {
        HWND combo = Item(dialog, kCurrentLayoutCombos[which]);
        int entry = static_cast<int>(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(name)));
        if (entry < 0) continue;
        SendMessageA(combo, CB_DELETESTRING, entry, 0);
        ForgetEntry(dialog, which, entry);
    }
}

void UpdateMoveButtons(HWND dialog) {
    bool anySelected = Count(Item(dialog, IDC_LAYOUTS_SELECTED)) > 0;
    bool anySupported = Count(Item(dialog, IDC_LAYOUTS_SUPPORTED)) > 0;
    EnableButton(dialog, IDC_LAYOUTS_REMOVE, anySelected);
    EnableButton(dialog, IDC_LAYOUTS_REMOVE_ALL, anySelected);
    EnableButton(dialog, IDC_LAYOUTS_ADD, anySupported);
    EnableButton(dialog, IDC_LAYOUTS_ADD_ALL, anySupported);
}

// OK stands for a choice of both layouts.
void UpdateOk(HWND dialog) {
    const LayoutsState& state = StateOf(dialog);
    EnableButton(dialog, IDOK, state.remembered[0] >= 0 && state.remembered[1] >= 0);
}

// Each drop-down list takes up the layout of its name again; with `show` it also shows it.
void RememberLayoutNames(HWND dialog, bool show) {
    for (int which = 0; which < 2; ++which) {
        HWND combo = Item(dialog, kCurrentLayoutCombos[which]);
        StateOf(dialog).remembered[which] =
            show ? SelectByName(combo, LayoutName(which)) : FindByName(combo, LayoutName(which));
    }
}

bool PlaceChosenLayouts(HWND dialog) {
    GlobalLockScope<LayoutRecord> table(g_session.layoutTable);
    if (!table) return ReportLayoutTableNotLocked();
    HWND supported = Item(dialog, IDC_LAYOUTS_SUPPORTED);
    for (int32_t i = 0; i < g_session.layoutCount; ++i) {
        const char* name = table.Get()[i].name;
        int entry = static_cast<int>(
            SendMessageA(supported, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name)));
        if (entry >= 0) SendMessageA(supported, LB_DELETESTRING, entry, 0);
        AddToSelected(dialog, name);
    }
    return true;
}

void OnOpen(HWND dialog) {
    g_session.dialogResult = 0;
    if (!FillListFromSection(Item(dialog, IDC_LAYOUTS_SUPPORTED), ResourceText<32>(IDS_SECTION_KEYBOARD_LAYOUTS),
                             ResourceText<16>(g_session.countryStepDefault), g_session.setupInfPath) ||
        !PlaceChosenLayouts(dialog)) {
        EndWizardDialog(dialog, 0);
        return;
    }
    UpdateMoveButtons(dialog);
    RememberLayoutNames(dialog, true);
}

// The indices of the selected entries of a list, from a local memory block ("hMem").
class SelectedEntries {
public:
    explicit SelectedEntries(HWND list) {
        int count = static_cast<int>(SendMessageA(list, LB_GETSELCOUNT, 0, 0));
        if (count <= 0) {
            ok_ = true;
            return;
        }
        block_ = LocalAlloc(LMEM_MOVEABLE, static_cast<UINT>(count) * sizeof(int));
        if (!block_) {
            ShowMessage(nullptr, MB_ICONHAND, IDS_NO_MEMORY, "Alloc hMem");
            return;
        }
        indices_ = static_cast<int*>(LocalLock(block_));
        if (!indices_) {
            ShowMessage(nullptr, MB_ICONHAND, IDS_NO_LOCK, "hMem");
            return;
        }
        count_ = static_cast<int>(SendMessageA(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(indices_)));
        if (count_ < 0) count_ = 0;
        ok_ = true;
    }
    ~SelectedEntries() {
        if (indices_) LocalUnlock(block_);
        if (block_) LocalFree(block_);
    }
    SelectedEntries(const SelectedEntries&) = delete;
    SelectedEntries& operator=(const SelectedEntries&) = delete;

    bool Ok() const { return ok_; }
    int Count() const { return count_; }
    int operator[](int i) const { return indices_[i]; }

private:
    HLOCAL block_ = nullptr;
    int* indices_ = nullptr;
    int count_ = 0;
    bool ok_ = false;
};

void OnAdd(HWND dialog) {
    SelectedEntries entries(Item(dialog, IDC_LAYOUTS_SUPPORTED));
    if (!entries.Ok()) return;
    for (int i = entries.Count() - 1; i >= 0; --i) MoveToSelected(dialog, entries[i]);
    RememberLayoutNames(dialog, true);
}

void OnAddAll(HWND dialog) {
    for (int i = Count(Item(dialog, IDC_LAYOUTS_SUPPORTED)) - 1; i >= 0; --i) MoveToSelected(dialog, i);
    RememberLayoutNames(dialog, false);
}

void OnRemove(HWND dialog) {
    SelectedEntries entries(Item(dialog, IDC_LAYOUTS_SELECTED));
    if (!entries.Ok()) return;
    for (int i = entries.Count() - 1; i >= 0; --i) MoveToSupported(dialog, entries[i]);
}

void OnRemoveAll(HWND dialog) {
    for (int i = Count(Item(dialog, IDC_LAYOUTS_SELECTED)) - 1; i >= 0; --i) MoveToSupported(dialog, i);
    for (int which = 0; which < 2; ++which) {
        SendMessageA(Item(dialog, kCurrentLayoutCombos[which]), CB_RESETCONTENT, 0, 0);
        StateOf(dialog).remembered[which] = -1;
    }
}

// Writes the chosen layouts into a table resized to hold exactly them, in the order of
// "Selected Layouts". False after a reported failure.
bool StoreChosenLayouts(HWND dialog) {
    SetupSession& s = g_session;
    HWND selected = Item(dialog, IDC_LAYOUTS_SELECTED);
    int32_t count = Count(selected);
    // The count changes with the table, so that a failed resize leaves both as they were.
    if (!ResizeLayoutTable(static_cast<size_t>(count), "ReAlloc hLang")) return false;
    s.layoutCount = count;
    GlobalLockScope<LayoutRecord> table(s.layoutTable);
    if (!table) return ReportLayoutTableNotLocked();
    ResourceText<32> section(IDS_SECTION_KEYBOARD_LAYOUTS);
    for (int i = s.layoutCount - 1; i >= 0; --i) {
        LayoutRecord& record = table.Get()[i];
        ClearBytes(&record, sizeof record);
        char name[128];
        ListText(selected, i, name);
        CopyText(record.name, name);
        char value[1024];
        ReadProfileValue(s.setupInfPath, section, record.name, nullptr, value);
        GetListMember(value, 5, record.countryKey, ",", true);
    }
    return true;
}

void StoreCurrentLayouts(HWND dialog) {
    for (int which = 0; which < 2; ++which) {
        int remembered = StateOf(dialog).remembered[which];
        if (remembered < 0) continue;
        char text[128];
        ComboEntryText(Item(dialog, kCurrentLayoutCombos[which]), remembered, text);
        CopyText(LayoutName(which), sizeof g_session.firstLayout, text);
    }
}

void OnOk(HWND dialog) {
    if (!IsButtonEnabled(dialog, IDOK)) return;
    g_session.dialogResult = 0;
    if (!StoreChosenLayouts(dialog)) {
        EndWizardDialog(dialog, 0);
        return;
    }
    StoreCurrentLayouts(dialog);
    EndWizardDialog(dialog, 1);
}

void OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_LAYOUTS_ADD:
        OnAdd(dialog);
        break;
    case IDC_LAYOUTS_ADD_ALL:
        OnAddAll(dialog);
        break;
    case IDC_LAYOUTS_REMOVE:
        OnRemove(dialog);
        break;
    case IDC_LAYOUTS_REMOVE_ALL:
        OnRemoveAll(dialog);
        break;
    case IDC_LAYOUTS_FIRST:
    case IDC_LAYOUTS_SECOND:
        if (!IsComboChoice(dialog, id, code)) return;
        StateOf(dialog).remembered[id == IDC_LAYOUTS_FIRST ? 0 : 1] = CurrentEntry(Item(dialog, id));
        break;
    case IDOK:
        OnOk(dialog);
        return;
    case IDCANCEL:
        EndWizardDialog(dialog, 0);
        return;
    case IDC_WIZARD_EXIT:
        if (ConfirmExit(dialog)) EndWizardDialog(dialog, 2);
        return;
    default:
        return;
    }
    UpdateMoveButtons(dialog);
    UpdateOk(dialog);
}

constexpr WizardDialog kLayouts = {
    IDS_CAPTION_LANGLAYOUT, true, kGreyBoxes, sizeof kGreyBoxes / sizeof kGreyBoxes[0], OnOpen, OnCommand, nullptr};

}  // namespace

KVOX_EXPORTED INT_PTR CALLBACK LanguageLayoutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleWizardMessage(kLayouts, dialog, message, wParam, lParam);
}

uint16_t RunLayoutsDialog() {
    LayoutsState state;
    return RunWizardDialog(IDD_LANGLAYOUT, LanguageLayoutProc, &state);
}
