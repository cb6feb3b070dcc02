// The Skeds page of another process's Tavrix window, read as an operator
// sees it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Each row's State (Date, From, To, Station, State) of the Skeds page's list
// view in `tavrixWindow`, in order; empty when it does not answer.
std::vector<std::string> SkedStates(HWND tavrixWindow);
