#include "tools/standin_options.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::vector<std::string> SplitCommas(const std::string& list)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t comma; (comma = list.find(',', start)) != std::string::npos; start = comma + 1)
        parts.push_back(list.substr(start, comma - start));
    parts.push_back(list.substr(start));
    return parts;
}

// The switches that shape the last partner added: the number of values
// taken, or -1 for any other switch.
int ParsePartnerSwitch(const std::string& name, const char* value, StandInOptions& o)
{
    if (o.partners.empty())
        return -1;
    PartnerConfig& partner = o.partners.back();
    if (name == "/oncall") {
        partner.waitsForCall = true;
        return 0;
    }
    if (!value)
        return -1;
    if (name == "/behaviour")
        ParsePartnerBehaviour(value, partner.behaviour);
    else if (name == "/misses")
        partner.missesOneIn = std::atoi(value);
    else if (name == "/period")
        ParsePartnerPeriod(value, partner.period);
    else
        return -1;
    return 1;
}

}  // namespace

StandInOptions ParseStandInOptions(int argc, const char* const* argv)
{
    StandInOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "/autostuck")
            o.autoStuck = true;
        else if (a == "/txfirst")
            o.txFirst = true;
        else if (a == "/txfirststuck")
            o.txFirstStuck = true;
        else if (a == "/mycall" && hasValue)
            o.myCall = argv[++i];
        else if (a == "/journal" && hasValue)
            o.journal = argv[++i];
        else if (a == "/missing" && hasValue)
            o.missing = SplitCommas(argv[++i]);
        else if (a == "/hang" && hasValue)
            o.hangSeconds = std::atoi(argv[++i]);
        else if (a == "/hangafter" && hasValue)
            o.hangAfter = std::atoi(argv[++i]);
        else if (a == "/holddecoded" && hasValue)
            o.holdDecoded = argv[++i];
        else if (a == "/decoded" && hasValue)
            o.decoded = argv[++i];
        else if (a == "/partner" && hasValue)
            o.partners.emplace_back().partnerCall = argv[++i];
        else if (a == "/noise" && hasValue)
            o.noise = std::atoi(argv[++i]);
        else if (a == "/fast")
            o.fast = true;
        else if (a == "/at" && hasValue)
            std::sscanf(argv[++i], "%d,%d", &o.x, &o.y);
        else if (const int values = ParsePartnerSwitch(a, hasValue ? argv[i + 1] : nullptr, o); values > 0)
            i += values;
    }
    // The noise comes once per period, whatever the number of partners.
    for (std::size_t p = 0; p < o.partners.size(); ++p) {
        o.partners[p].operatorCall = o.myCall;
        o.partners[p].noiseLines = p == 0 ? o.noise : 0;
        o.partners[p].seed = static_cast<std::uint32_t>(p + 1);
    }
    return o;
}
