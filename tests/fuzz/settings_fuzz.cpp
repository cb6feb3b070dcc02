// Whole numbers and flags of the settings file: a parse either fails and
// leaves the value alone, or gives a value that prints back to an
// equivalent text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::int32_t value = 0x5A5A5A5A;
    if (!ParseWholeNumber(text, value)) {
        if (value != 0x5A5A5A5A || ReadWholeNumber(text, 77) != 77)
            std::abort();
        if (ReadFlag(text, true) != true || ReadFlag(text, false) != false)
            std::abort();
        return 0;
    }
    // A decimal rendering of the value parses back to the same value.
    std::int32_t again = 0;
    if (!ParseWholeNumber(std::to_string(value), again) || again != value)
        std::abort();
    if (ReadFlag(text, value == 0) != (value != 0))
        std::abort();
    return 0;
}
