#include "tools/skeds_page_win32.h"

#include "tools/desk_win32.h"
#include "ui/sfmMain_win32.h"
#include "ui/skeds.h"

std::vector<std::string> SkedStates(HWND tavrixWindow)
{
    std::vector<std::string> states;
    for (const std::vector<std::string>& row : ListViewRows(Child(tavrixWindow, ID_lvSkeds), SkedColumnCount))
        states.push_back(row[ColState]);
    return states;
}
