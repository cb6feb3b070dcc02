#include "tools/standin_partners.h"

#include <cstdio>

namespace {
constexpr int SecondsPerDay = 24 * 3600;
constexpr std::size_t NewsLines = 6;
}  // namespace

PartnersOnAir::PartnersOnAir(const std::vector<PartnerConfig>& partners, const std::string& decodedPath, bool fast,
                             HWND newsBox, Transmitted transmitted, TransmitsFirst transmitsFirst,
                             Journal journal)
    : partners_(partners.begin(), partners.end()), decodedPath_(decodedPath), fast_(fast), newsBox_(newsBox),
      transmitted_(transmitted), transmitsFirst_(transmitsFirst), journal_(journal)
{
}

void PartnersOnAir::Tick()
{
    SYSTEMTIME t;
    GetSystemTime(&t);
    const int now = (t.wHour * 60 + t.wMinute) * 60 + t.wSecond;
    const int behind = (now - lastSecond_ + SecondsPerDay) % SecondsPerDay;
    if (lastSecond_ < 0 || behind > 60)
        lastSecond_ = (now + SecondsPerDay - 1) % SecondsPerDay;
    while (lastSecond_ != now) {
        lastSecond_ = (lastSecond_ + 1) % SecondsPerDay;
        Second(lastSecond_);
    }
}

// Partners whose turns fall in the same second hear and write together,
// the decodes in one write, in the order the partners were given.
void PartnersOnAir::Second(int secondOfDay)
{
    std::vector<PartnerSim*> listeners, senders;
    for (PartnerSim& partner : partners_) {
        const PartnerTurn turn = TurnAt(partner.Config().period, fast_, secondOfDay % 60);
        if (turn.hear)
            listeners.push_back(&partner);
        if (turn.decode)
            senders.push_back(&partner);
    }
    if (!listeners.empty())
        Hear(listeners);
    if (!senders.empty())
        Decode(senders, (secondOfDay - DecodeDelay + SecondsPerDay) % SecondsPerDay);
}

// Journaled as heard when some partner was listening in the period we sent in.
void PartnersOnAir::Hear(const std::vector<PartnerSim*>& listeners)
{
    const std::string message = transmitted_();
    const bool first = transmitsFirst_();
    bool heard = false;
    for (PartnerSim* partner : listeners) {
        const bool hears = HearsUs(partner->Config().period, first);
        heard = heard || hears;
        partner->Hear(hears ? message : std::string());
    }
    if (heard && !message.empty()) {
        journal_("heard " + message);
        News("heard   " + message);
    }
}

// Opened and closed for each period, sharing reading, so Tavrix can read
// between our writes. A busy file is tried again for half a second.
HANDLE PartnersOnAir::OpenDecodedForAppending() const
{
    for (int attempt = 0; attempt < 10; ++attempt, Sleep(50)) {
        HANDLE file = CreateFileA(decodedPath_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

void PartnersOnAir::Decode(const std::vector<PartnerSim*>& senders, int stamp)
{
    std::vector<std::string> lines;
    for (PartnerSim* partner : senders)
        for (const std::string& message : partner->NextMessages())
            lines.push_back(DecodeLine(stamp / 3600, stamp / 60 % 60, stamp % 60, message, variation_++));
    HANDLE file = OpenDecodedForAppending();
    if (file == INVALID_HANDLE_VALUE) {
        journal_("decode failed " + std::to_string(lines.size()));
        return;
    }
    for (const std::string& line : lines) {
        const std::string withEnd = line + "\r\n";
        DWORD written = 0;
        WriteFile(file, withEnd.data(), static_cast<DWORD>(withEnd.size()), &written, nullptr);
        journal_("decode " + line);
        News("decoded " + line.substr(0, 6) + " " + line.substr(32, line.find_last_not_of(' ') - 31));
    }
    CloseHandle(file);
}

// The box shows the last few lines; the journal keeps them all.
void PartnersOnAir::News(const std::string& line)
{
    SYSTEMTIME t;
    GetSystemTime(&t);
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02u:%02u:%02u ", t.wHour, t.wMinute, t.wSecond);
    news_.push_back(stamp + line);
    if (news_.size() > NewsLines)
        news_.erase(news_.begin());
    std::string text;
    for (const std::string& news : news_)
        text += (text.empty() ? "" : "\r\n") + news;
    SetWindowTextA(newsBox_, text.c_str());
}
