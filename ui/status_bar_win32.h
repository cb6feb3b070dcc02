// The main window's status bar: one line along its bottom edge telling the
// operator where the run stands. engine/status.h writes the text and decides
// how it is shortened to fit; this only measures and shows it.
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
    // nothing follows a tab); texts too long for the bar are shortened by
    // FitStatusParts. An unchanged status costs a comparison and draws
    // nothing, and a part whose text is unchanged is not touched.
    void Show(std::string_view text);

    HWND__* hwnd = nullptr;

private:
    void SetParts(int secondWidth);
    void SetText(int part, const std::string& text);

    HFONT__* font_ = nullptr;
    std::string text_;       // the status last shown, before fitting
    std::string shown_[2];   // each part's text as shown
    int secondWidth_ = -1;   // the second part's width; 0 none, -1 not set yet
};
