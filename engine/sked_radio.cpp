// The radio on each sked's frequency; see engine/sked_radio.h.
#include "engine/sked_radio.h"

#include "engine/schedule.h"

EntryTuning TuningOf(std::int64_t wantedHz, bool linked, bool setOk)
{
    if (!AsksRadio(wantedHz, linked))
        return EntryTuning::NotAsked;
    return setOk ? EntryTuning::Set : EntryTuning::NotSet;
}

bool SkedRadio::Start(TcpPort* tcp, const std::string& address, bool needed, std::string& why, std::string& note)
{
    Close();
    why.clear();
    note.clear();
    if (address.empty() || !tcp) {
        if (needed)
            note = "Rig is empty: the skeds' frequencies are not set, the radio stays as it is tuned";
        return true;
    }
    link_.emplace(*tcp);
    std::int64_t hz = 0;
    if (!link_->Open(address, why) || !link_->ReadFrequency(hz, why)) {
        Close();
        if (needed)
            return false;
        note = "Radio not used, no entry names a frequency: " + why;
        why.clear();
        return true;
    }
    home_ = hz;
    note = "Radio on " + MhzText(hz) + " MHz, its home frequency for this run, through rigctld at " + address;
    return true;
}

EntryTuning SkedRadio::Tune(std::int64_t hz, std::int64_t& got, std::string& why)
{
    why.clear();
    if (!AsksRadio(hz, Linked()))
        return EntryTuning::NotAsked;
    moved_ = true;
    const bool set = link_->SetFrequency(hz, got, why);
    return TuningOf(hz, true, set);
}

std::string SkedRadio::ReturnHome()
{
    std::string line;
    if (Linked() && moved_) {
        std::int64_t got = 0;
        std::string why;
        if (link_->SetFrequency(home_, got, why))
            line = "Radio back on its home frequency, " + MhzText(got) + " MHz";
        else
            line = "Radio not back on its home frequency " + MhzText(home_) + " MHz: " + why;
    }
    Close();
    return line;
}

void SkedRadio::Close()
{
    if (link_)
        link_->Close();
    link_.reset();
    moved_ = false;
}
