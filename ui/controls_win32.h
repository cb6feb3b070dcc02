// The control port (ui/controls.h) over real Win32 controls. Every read asks
// the control itself; the only value kept here is the numeric box's exact
// value while it shows its rounded, grouped text.
#pragma once
#include <string>

#include "ui/controls.h"

struct HWND__;
struct HFONT__;
struct tagSIZE;
using Hwnd = HWND__*;

// The size of a text drawn in `font` on `window`'s screen, for laying out
// controls and status bar parts around it.
tagSIZE TextSize(Hwnd window, HFONT__* font, const wchar_t* text);

template <class Port>
class Win32Control : public Port {
public:
    Hwnd hwnd = nullptr;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
};

class EditBox : public Win32Control<TEdit> {
public:
    std::string Text() const override;
    void SetText(const std::string& text) override;
};

// Radio button or check box.
class CheckBox : public Win32Control<TCheck> {
public:
    bool Checked() const override;
    void SetChecked(bool checked) override;
};

class PushButton : public Win32Control<TButton> {
public:
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    void Focus() override;
};

class TimePicker : public Win32Control<TTimePicker> {
public:
    int Hour() const override;
    int Minute() const override;
    void SetTime(int hour, int minute) override;
};

// A list view in report style.
class ListView : public Win32Control<TListView> {
public:
    // Gives the list full-row selection and its columns (widths in pixels);
    // call once after creating it.
    void AddColumns(const wchar_t* const titles[], const int widths[], int count);
    void SetRows(const std::vector<std::vector<std::string>>& rows) override;
    void SetCell(int row, int column, const std::string& text) override;
    int Selected() const override;
    void Select(int row) override;
};

// An edit box with a browse button at its right end.
class FileNameBox : public EditBox {
public:
    Hwnd browse = nullptr;
    void SetEnabled(bool enabled) override;
    // Opens the file-open dialog on the box's file; a chosen name goes into the box.
    void Browse(const char* title, const char* filter);
};

// An edit box that takes only number texts with up to two decimals; see
// ui/number_text.h for the rules.
class NumberBox : public Win32Control<TNumberEdit> {
public:
    // Subclasses the edit box; call once after creating it.
    void Attach(Hwnd edit);
    double Value() const override;
    void SetValue(double value) override;

    // Message handlers of the subclassed edit box.
    bool OnChar(unsigned ch);
    bool OnPaste();
    void OnSetFocus();
    void OnKillFocus();

private:
    bool Focused() const;
    bool Accepts(const std::string& inserted) const;
    double held = 0;
};
