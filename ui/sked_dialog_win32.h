// The Skeds page's entry dialog: Date or every day, From, To and Station,
// checked with the schedule's own entry rules before it closes.
#pragma once
#include "ui/skeds.h"

struct HWND__;

// Opens the dialog over `owner`, titled `title`, with `fields` filled in.
// True when OK closed it: `entry` is then what was typed.
bool AskSkedEntry(HWND__* owner, const wchar_t* title, const SkedFields& fields, SkedEntry& entry);
