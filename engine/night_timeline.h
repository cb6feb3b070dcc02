// The night's timeline: one row per entry on a UTC time axis, a mark per
// decode of its partner shaped by the step it reached, the contacts, and
// hatching where WSJT was missing. Inline SVG, part of the night's page
// (engine/night_page.h), left out by browsers that have no SVG.
#pragma once
#include <string>

#include "engine/night.h"

void AppendNightTimeline(std::string& out, const Night& night);
// The Tx First an entry asks for: "1st", "2nd" or "as WSJT".
const char* TxFirstWord(TxPeriod period);
