// The night on one page, for the morning after: a timeline of the entries
// with what was heard of each, then a table of their outcomes and of the
// contacts. One self-contained HTML file that is well-formed XML too: inline
// CSS and SVG, no scripts, nothing fetched; old browsers without SVG still
// show the tables.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/night.h"

// "tavrix-night-2026-12-13.html", from the UTC date of `firstStartUtc`.
std::string NightFileName(std::int64_t firstStartUtc);
// The same for the night's first entry; "tavrix-night.html" with none.
std::string NightFileName(const Night& night);

// `text` as character data or an attribute value: the markup characters
// as references, and every byte that is not printable ASCII as '?' (the
// program's texts are single bytes of an unknown code page), so the page
// stays well-formed whatever a decode held.
void AppendPageText(std::string& out, std::string_view text);

// The whole page.
std::string NightPage(const Night& night);
