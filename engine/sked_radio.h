// The radio on each sked's frequency, through rigctld (engine/rig.h): the
// frequency the operator left it on, read at START (its home), each entry's
// frequency set at the entry's start, and the way home when the run ends.
// A sked is agreed on a frequency: an entry whose frequency could not be set
// is not worked at all, so nothing goes out where nobody listens for it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/rig.h"

// What an entry's start found of its frequency.
enum class EntryTuning {
    NotAsked,  // the entry names none, or the run has no radio: worked as the radio is
    Set,       // the radio reads the entry's frequency back: worked
    NotSet,    // asked and not confirmed: not worked, asked again a minute on
};
// `wantedHz` is the entry's frequency (0: none), `linked` whether the run
// has a radio, `setOk` whether setting it was confirmed (when asked).
EntryTuning TuningOf(std::int64_t wantedHz, bool linked, bool setOk);
// Whether the radio is asked at all.
inline bool AsksRadio(std::int64_t wantedHz, bool linked) { return wantedHz > 0 && linked; }

class SkedRadio {
public:
    // START, following skeds. An empty `address` (the Rig setting) is no
    // radio. Otherwise connects and reads the home frequency. False with
    // why when rigctld can't be read and `needed` (an entry names a
    // frequency); when not needed the run goes on without a radio and `note`
    // says why. `note` also tells the home frequency.
    bool Start(TcpPort* tcp, const std::string& address, bool needed, std::string& why, std::string& note);
    bool Linked() const { return link_ && link_->IsOpen(); }
    std::int64_t Home() const { return home_; }
    // An entry's start: its frequency set and read back, when asked; `got`
    // the frequency read, `why` the reason it is not set or a note.
    EntryTuning Tune(std::int64_t hz, std::int64_t& got, std::string& why);
    // The run ended: the radio goes back to its home frequency if an entry
    // moved it, and the link closes. The line for the activity log, or "".
    std::string ReturnHome();
    void Close();

private:
    std::optional<RigLink> link_;
    std::int64_t home_ = 0;
    bool moved_ = false;  // an entry's frequency was sent since START
};
