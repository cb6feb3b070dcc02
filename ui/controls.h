// The window's controls as the logic sees them: only the properties it reads
// and writes. The Win32 window implements them over real controls
// (ui/sfmMain_win32.cpp); tests use the in-memory model (tests/support).
// Every read goes to the control at that moment: there is no cached copy.
#pragma once
#include <string>
#include <vector>

class TControl {
public:
    virtual ~TControl() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// Edit box and file-name box: one line of single-byte text.
class TEdit : public TControl {
public:
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

// Check box or radio button.
class TCheck : public TControl {
public:
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};

// Push button.
class TButton : public TControl {
public:
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // Takes the keyboard focus, so that keys work on it without a click
    // (not while its page is hidden). Disabling a control loses its focus.
    virtual void Focus() = 0;
};

// Time picker: a time of day shown as HH:mm. Only hour and minute matter.
class TTimePicker : public TControl {
public:
    virtual int Hour() const = 0;
    virtual int Minute() const = 0;
    virtual void SetTime(int hour, int minute) = 0;
};

// Numeric box holding minutes, up to two decimals.
class TNumberEdit : public TControl {
public:
    virtual double Value() const = 0;
    virtual void SetValue(double value) = 0;
};

// List view in report style: rows of texts, one per column; the operator
// selects at most one row.
class TListView : public TControl {
public:
    // Replaces every row; the selection is lost.
    virtual void SetRows(const std::vector<std::vector<std::string>>& rows) = 0;
    virtual void SetCell(int row, int column, const std::string& text) = 0;
    // The selected row, or -1.
    virtual int Selected() const = 0;
    virtual void Select(int row) = 0;
};
