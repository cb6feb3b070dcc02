// The main window's status bar: one line along its bottom edge telling the
// operator where the run stands. engine/status.h writes the text; this only
// shows it.
#pragma once
#include <string>
#include <string_view>

struct HWND__;
struct HFONT__;

class StatusBar {
public:
    // Creates the bar along the bottom of `parent`'s client area in `font`,
    // and makes `parent` taller by the bar's height, so that nothing already
    // in it moves.
    void Create(HWND__* parent, int id, HFONT__* font);
    // Shows a status text: up to a tab in the first part, after it in a
    // second part at the right, as wide as its text (no second part when
    // nothing follows a tab). A part whose text is unchanged is not touched,
    // so an unchanged status costs a comparison and draws nothing.
    void Show(std::string_view text);

    HWND__* hwnd = nullptr;

private:
    void SetSecondPart(std::string_view text);
    void SetText(int part, std::string_view text);

    HFONT__* font_ = nullptr;
    std::string shown_[2];
};
