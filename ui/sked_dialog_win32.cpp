// The entry dialog over the resource IDD_SKED (ui/tavrix.rc). It stays open
// while what is typed is no entry, and says why under the boxes.
#include <windows.h>

#include "ports/platform_win32.h"  // first: it keeps the port's DeleteFile name

#include "ui/sked_dialog_win32.h"

#include "ui/sfmMain_win32.h"

namespace {

struct DialogState {
    const wchar_t* title;
    SkedFields fields;
    SkedEntry entry;
};

std::string ItemText(HWND dialog, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// The check box is read and set with its messages rather than
// IsDlgButtonChecked and CheckDlgButton, whose pages document them only from
// Vista on: the release build imports nothing newer than Windows XP.
bool EveryDayTicked(HWND dialog)
{
    return SendDlgItemMessageW(dialog, IDC_SKED_EVERYDAY, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The choices are in TxPeriod's order; none chosen leaves WSJT alone.
TxPeriod PeriodChosen(HWND dialog)
{
    const LRESULT chosen = SendDlgItemMessageW(dialog, IDC_SKED_PERIOD, CB_GETCURSEL, 0, 0);
    return chosen == 1 ? TxPeriod::First : chosen == 2 ? TxPeriod::Second : TxPeriod::AsWsjt;
}

void ShowEveryDay(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDC_SKED_DATE), !EveryDayTicked(dialog));
}

void OnInit(HWND dialog, DialogState& state)
{
    SetWindowLongPtrW(dialog, DWLP_USER, LONG_PTR(&state));
    SetWindowTextW(dialog, state.title);
    SetDlgItemTextA(dialog, IDC_SKED_DATE, state.fields.date.c_str());
    SendDlgItemMessageW(dialog, IDC_SKED_EVERYDAY, BM_SETCHECK,
                        state.fields.everyDay ? BST_CHECKED : BST_UNCHECKED, 0);
    SetDlgItemTextA(dialog, IDC_SKED_FROM, state.fields.from.c_str());
    SetDlgItemTextA(dialog, IDC_SKED_TO, state.fields.to.c_str());
    SetDlgItemTextA(dialog, IDC_SKED_STATION, state.fields.station.c_str());
    for (const char* choice : PeriodChoices)
        SendDlgItemMessageW(dialog, IDC_SKED_PERIOD, CB_ADDSTRING, 0, LPARAM(Wide(choice, CP_ACP).c_str()));
    SendDlgItemMessageW(dialog, IDC_SKED_PERIOD, CB_SETCURSEL, WPARAM(state.fields.period), 0);
    for (int id : {IDC_SKED_FROM, IDC_SKED_TO})
        SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, 5, 0);
    SendDlgItemMessageW(dialog, IDC_SKED_DATE, EM_LIMITTEXT, 10, 0);
    SendDlgItemMessageW(dialog, IDC_SKED_STATION, EM_LIMITTEXT, 32, 0);
    SetDlgItemTextA(dialog, IDC_SKED_FREQUENCY, state.fields.frequency.c_str());
    SendDlgItemMessageW(dialog, IDC_SKED_FREQUENCY, EM_LIMITTEXT, 16, 0);
    ShowEveryDay(dialog);
}

void OnOk(HWND dialog, DialogState& state)
{
    SkedFields typed{EveryDayTicked(dialog), ItemText(dialog, IDC_SKED_DATE),
                     ItemText(dialog, IDC_SKED_FROM), ItemText(dialog, IDC_SKED_TO),
                     ItemText(dialog, IDC_SKED_STATION), PeriodChosen(dialog),
                     ItemText(dialog, IDC_SKED_FREQUENCY)};
    std::string what;
    if (EntryOfFields(typed, state.entry, what)) {
        EndDialog(dialog, IDOK);
        return;
    }
    SetDlgItemTextW(dialog, IDC_SKED_PROBLEM, Wide(what, CP_ACP).c_str());
    MessageBeep(MB_ICONWARNING);
}

INT_PTR CALLBACK SkedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    // Nothing thrown by the checks may unwind through the dialog manager.
    try {
        switch (message) {
        case WM_INITDIALOG:
            OnInit(dialog, *reinterpret_cast<DialogState*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_SKED_EVERYDAY)
                ShowEveryDay(dialog);
            else if (LOWORD(wParam) == IDOK && state)
                OnOk(dialog, *state);
            else if (LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
    } catch (...) {
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool AskSkedEntry(HWND owner, const wchar_t* title, const SkedFields& fields, SkedEntry& entry)
{
    DialogState state{title, fields, {}};
    if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SKED), owner, SkedDialogProc,
                        LPARAM(&state)) != IDOK)
        return false;
    entry = state.entry;
    return true;
}
