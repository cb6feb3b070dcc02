#include "tools/partner_sim.h"

#include <cstdio>

bool ParsePartnerBehaviour(const std::string& name, PartnerBehaviour& behaviour)
{
    static const std::pair<const char*, PartnerBehaviour> names[] = {
        {"normal", PartnerBehaviour::Normal},         {"never", PartnerBehaviour::NeverAnswers},
        {"halfway", PartnerBehaviour::StopsHalfway},  {"ahead", PartnerBehaviour::OneStepAhead},
        {"cq-listed", PartnerBehaviour::CqListed},    {"cq-repeats", PartnerBehaviour::CqRepeats},
    };
    for (const auto& [text, value] : names) {
        if (name == text) {
            behaviour = value;
            return true;
        }
    }
    return false;
}

bool ParsePartnerPeriod(const std::string& name, PartnerPeriod& period)
{
    if (name == "1st")
        period = PartnerPeriod::First;
    else if (name == "2nd")
        period = PartnerPeriod::Second;
    else
        return false;
    return true;
}

PartnerTurn TurnAt(PartnerPeriod period, bool fast, int secondOfMinute)
{
    const int s = secondOfMinute;
    switch (period) {
    case PartnerPeriod::First: return {s == 0, s == 31};
    case PartnerPeriod::Second: return {s == 30, s == 1};
    case PartnerPeriod::Any: break;
    }
    if (fast)
        return {s == 1 || s == 31, s == 1 || s == 31};
    return {s == 0, s == 31};
}

bool HearsUs(PartnerPeriod period, bool weTransmitFirst)
{
    switch (period) {
    case PartnerPeriod::First: return !weTransmitFirst;
    case PartnerPeriod::Second: return weTransmitFirst;
    case PartnerPeriod::Any: break;
    }
    return true;
}

PartnerSim::PartnerSim(const PartnerConfig& config) : config_(config), random_(config.seed ? config.seed : 1) {}

static bool Contains(const std::string& text, const std::string& part)
{
    return !part.empty() && text.find(part) != std::string::npos;
}

void PartnerSim::Hear(const std::string& message)
{
    if (config_.missesOneIn > 0 && ++periodsHeard_ % config_.missesOneIn == 0)
        return;
    const std::string& me = config_.partnerCall;
    const std::string& them = config_.operatorCall;
    const bool cqCaller = config_.behaviour == PartnerBehaviour::CqListed ||
                          config_.behaviour == PartnerBehaviour::CqRepeats;
    if (cqCaller && Contains(message, "CQ") && Contains(message, them))
        heardCq_ = true;

    // The step this message asks the partner to answer with.
    int wanted = 0;
    if (Contains(message, "73") || Contains(message, "RRRR"))
        wanted = 5;
    else if (Contains(message, "R27") && Contains(message, me))
        wanted = 4;
    else if (Contains(message, "27") && Contains(message, me))
        wanted = 3;
    else if (Contains(message, me) && Contains(message, them))
        wanted = 2;
    // Reports count only when they name this partner, and a bare "73" or
    // "RRRR" only once it has been called by name: another station's
    // exchange on the frequency does not start a contact.
    if (wanted == 5 && step_ < 2)
        wanted = 0;
    if (wanted && config_.behaviour == PartnerBehaviour::OneStepAhead)
        wanted = wanted + 1 > 5 ? 5 : wanted + 1;
    if (wanted > step_)
        step_ = wanted;
}

std::string PartnerSim::PartnerMessage(int step) const
{
    const std::string& me = config_.partnerCall;
    const std::string& them = config_.operatorCall;
    switch (step) {
    case 1:
        return config_.behaviour == PartnerBehaviour::CqRepeats ? them + " " + me + " " + me : them + " " + me;
    case 2: return them + " " + me + " 27 27";
    case 3: return them + " " + me + " R27 R27";
    case 4: return "RRRR RRRR " + me;
    case 5: return "73 " + me;
    default: return {};
    }
}

std::string PartnerSim::NoiseMessage()
{
    static const char* const noise[] = {"Q3DEF CQ Q3DEF CQ", "E.5 /Y", "CQ Q4GHI Q4GHI", "Q5JKL Q6MNO", "TT 3 #"};
    random_ = random_ * 1664525u + 1013904223u;
    return noise[(random_ >> 16) % (sizeof noise / sizeof noise[0])];
}

std::vector<std::string> PartnerSim::NextMessages()
{
    std::vector<std::string> out;
    for (int i = 0; i < config_.noiseLines; ++i)
        out.push_back(NoiseMessage());

    switch (config_.behaviour) {
    case PartnerBehaviour::NeverAnswers:
        return out;
    case PartnerBehaviour::CqListed:
    case PartnerBehaviour::CqRepeats:
        if (!heardCq_ && step_ == 0)
            return out;
        break;
    default:
        break;
    }
    // After its second 73 a station goes quiet, so a later contact on the
    // same frequency does not keep hearing it.
    if (Done())
        return out;
    if (step_ == 0 && config_.waitsForCall)
        return out;
    if (step_ == 0)
        step_ = 1;  // a sked partner, or a CQ answer, starts by calling
    if (config_.behaviour == PartnerBehaviour::StopsHalfway && step_ > 3)
        silent_ = true;
    if (silent_)
        return out;
    if (step_ == 5)
        ++sent73_;
    out.push_back(PartnerMessage(step_));
    return out;
}

std::string DecodeLine(int hour, int minute, int second, const std::string& message, std::uint32_t variation)
{
    char head[40];
    std::snprintf(head, sizeof head, "%02d%02d%02d%5.1f%5d%3d%3d%5d     ", hour, minute, second,
                  1.0 + variation % 280 / 10.0, 20 + static_cast<int>(variation % 9) * 20,
                  1 + static_cast<int>(variation % 7), 26, -40 + static_cast<int>(variation % 80));
    std::string line = head;
    line.resize(32, ' ');
    line += message;
    if (line.size() < 79)
        line.resize(79, ' ');
    return line;
}
