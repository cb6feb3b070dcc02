#include "tools/skeds_page_win32.h"

#include "tools/desk_win32.h"
#include "ui/sfmMain_win32.h"

std::vector<std::string> SkedStates(HWND tavrixWindow)
{
    constexpr int Columns = 5, State = 4;
    std::vector<std::string> states;
    for (const std::vector<std::string>& row : ListViewRows(Child(tavrixWindow, ID_lvSkeds), Columns))
        states.push_back(row[State]);
    return states;
}
