// The Skeds page of another process's Tavrix window, read as an operator
// sees it: its list view's rows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The first descendant of `parent` of window class `cls`, or null.
HWND ChildOfClass(HWND parent, const char* cls);
// The text of one cell of a report-style list view of another process;
// "" when it does not answer.
std::string ListViewCell(HWND list, int row, int column);
// Each row's State (the fifth column: Date, From, To, Station, State) of the
// Skeds page's list view in `tavrixWindow`; empty when there is none.
std::vector<std::string> SkedStates(HWND tavrixWindow);
