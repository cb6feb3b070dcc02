// Control adapters over Win32 controls, the numeric box's typing rule and
// the file-name box's browse dialog.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "ui/controls_win32.h"

#include "ports/platform_win32.h"
#include "ui/number_text.h"
#include "ui/sfmMain.h"

SIZE TextSize(Hwnd window, HFONT font, const wchar_t* text)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size;
}

static std::string WindowText(Hwnd hwnd)
{
    std::string text(GetWindowTextLengthA(hwnd) + 1, '\0');
    text.resize(GetWindowTextA(hwnd, text.data(), int(text.size())));
    return text;
}

template <class Port>
bool Win32Control<Port>::Enabled() const
{
    return IsWindowEnabled(hwnd) != 0;
}

template <class Port>
void Win32Control<Port>::SetEnabled(bool enabled)
{
    EnableWindow(hwnd, enabled);
}

template class Win32Control<TEdit>;
template class Win32Control<TCheck>;
template class Win32Control<TButton>;
template class Win32Control<TTimePicker>;
template class Win32Control<TNumberEdit>;
template class Win32Control<TListView>;

std::string EditBox::Text() const
{
    return WindowText(hwnd);
}

void EditBox::SetText(const std::string& text)
{
    SetWindowTextA(hwnd, text.c_str());
}

bool CheckBox::Checked() const
{
    return SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked)
{
    SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string PushButton::Caption() const
{
    return WindowText(hwnd);
}

void PushButton::SetCaption(const std::string& caption)
{
    SetWindowTextA(hwnd, caption.c_str());
}

void PushButton::Focus()
{
    if (IsWindowVisible(hwnd))
        SetFocus(hwnd);
}

static SYSTEMTIME PickerTime(Hwnd picker)
{
    SYSTEMTIME st{};
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, LPARAM(&st));
    return st;
}

int TimePicker::Hour() const
{
    return PickerTime(hwnd).wHour;
}

int TimePicker::Minute() const
{
    return PickerTime(hwnd).wMinute;
}

void TimePicker::SetTime(int hour, int minute)
{
    SYSTEMTIME st = PickerTime(hwnd);  // keeps the date, which nothing uses
    st.wHour = WORD(hour);
    st.wMinute = WORD(minute);
    st.wSecond = 0;
    st.wMilliseconds = 0;
    SendMessageW(hwnd, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&st));
}

void ListView::AddColumns(const wchar_t* const titles[], const int widths[], int count)
{
    SendMessageW(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < count; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(titles[i]);
        column.cx = widths[i];
        column.iSubItem = i;
        SendMessageW(hwnd, LVM_INSERTCOLUMNW, i, LPARAM(&column));
    }
}

// Row texts are the program's single-byte texts, like the edit boxes'.
static void SetItemText(Hwnd list, int row, int column, const std::string& text, bool insert)
{
    const std::wstring wide = Wide(text, CP_ACP);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(wide.c_str());
    SendMessageW(list, insert ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, insert ? 0 : row, LPARAM(&item));
}

void ListView::SetRows(const std::vector<std::vector<std::string>>& rows)
{
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (std::size_t column = 0; column < rows[row].size(); ++column)
            SetItemText(hwnd, int(row), int(column), rows[row][column], column == 0);
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void ListView::SetCell(int row, int column, const std::string& text)
{
    SetItemText(hwnd, row, column, text, false);
}

int ListView::Selected() const
{
    return int(SendMessageW(hwnd, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void ListView::Select(int row)
{
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd, LVM_SETITEMSTATE, row, LPARAM(&item));
    SendMessageW(hwnd, LVM_ENSUREVISIBLE, row, FALSE);
}

void FileNameBox::SetEnabled(bool enabled)
{
    EnableWindow(hwnd, enabled);
    EnableWindow(browse, enabled);
}

// comdlg32.dll brings the print spooler with it, and the spooler its
// libraries: loaded when a file is first browsed for, not at the start, so
// an unattended night never carries them. Kept once loaded; nullptr when it
// cannot be had.
using OpenFileNameCall = BOOL(WINAPI*)(OPENFILENAMEA*);
static OpenFileNameCall OpenFileNameDialog()
{
    static const OpenFileNameCall call = [] {
        const HMODULE dialogs = LoadLibraryA("comdlg32.dll");
        return dialogs ? reinterpret_cast<OpenFileNameCall>(
                             reinterpret_cast<void*>(GetProcAddress(dialogs, "GetOpenFileNameA")))
                       : nullptr;
    }();
    return call;
}

void FileNameBox::Browse(const char* title, const char* filter)
{
    const OpenFileNameCall open = OpenFileNameDialog();
    if (!open)
        return;
    // Start in the folder of the file the box names now.
    std::string current = FileName(Text());
    std::string chosen(32768, '\0');
    current.copy(chosen.data(), std::min(current.size(), chosen.size() - 1));
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetAncestor(hwnd, GA_ROOT);
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = DWORD(chosen.size());
    dialog.lpstrTitle = title;
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!open(&dialog))
        return;
    chosen.resize(chosen.find('\0'));
    SetText(ChosenFileText(chosen));
}

static LRESULT CALLBACK NumberBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR data)
{
    NumberBox& box = *reinterpret_cast<NumberBox*>(data);
    switch (message) {
    case WM_CHAR:
        if (!box.OnChar(unsigned(wParam)))
            return 0;
        break;
    case WM_PASTE:
        if (!box.OnPaste())
            return 0;
        break;
    case WM_SETFOCUS:
        box.OnSetFocus();
        break;
    case WM_KILLFOCUS:
        box.OnKillFocus();
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, NumberBoxProc, 0);
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

static std::string LocaleText(LCTYPE what, const char* fallback)
{
    char buffer[8];
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buffer, sizeof buffer);
    return length > 1 ? std::string(buffer, length - 1) : std::string(fallback);
}

static char DecimalSeparator()
{
    const std::string decimal = LocaleText(LOCALE_SDECIMAL, ".");
    return decimal == "," ? ',' : '.';
}

void NumberBox::Attach(Hwnd edit)
{
    hwnd = edit;
    SetWindowSubclass(hwnd, NumberBoxProc, 0, DWORD_PTR(this));
}

bool NumberBox::Focused() const
{
    return GetFocus() == hwnd;
}

double NumberBox::Value() const
{
    if (!Focused())
        return held;
    double value = 0;
    ParseNumberText(WindowText(hwnd), value);
    return value;
}

void NumberBox::SetValue(double value)
{
    held = value;
    const std::string text = Focused() ? FormatForEditing(value, DecimalSeparator())
                                       : FormatGrouped(value, LocaleText(LOCALE_STHOUSAND, ","));
    SetWindowTextA(hwnd, text.c_str());
}

// True when the box's text with its selection replaced by `inserted` is
// still a number text.
bool NumberBox::Accepts(const std::string& inserted) const
{
    DWORD start = 0, end = 0;
    SendMessageW(hwnd, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    std::string text = WindowText(hwnd);
    if (start > end)
        std::swap(start, end);
    end = std::min<DWORD>(end, DWORD(text.size()));
    start = std::min(start, end);
    text.replace(start, end - start, inserted);
    return AcceptsNumberText(text);
}

bool NumberBox::OnChar(unsigned ch)
{
    if (ch < 0x20)  // editing keys and Ctrl shortcuts
        return true;
    if (ch < 0x80 && Accepts(std::string(1, char(ch))))
        return true;
    MessageBeep(MB_OK);
    return false;
}

bool NumberBox::OnPaste()
{
    std::string pasted;
    if (OpenClipboard(hwnd)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char* text = static_cast<const char*>(GlobalLock(data))) {
                pasted = text;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    if (Accepts(pasted))
        return true;
    MessageBeep(MB_OK);
    return false;
}

void NumberBox::OnSetFocus()
{
    SetWindowTextA(hwnd, FormatForEditing(held, DecimalSeparator()).c_str());
}

void NumberBox::OnKillFocus()
{
    ParseNumberText(WindowText(hwnd), held);
    SetWindowTextA(hwnd, FormatGrouped(held, LocaleText(LOCALE_STHOUSAND, ",")).c_str());
}
