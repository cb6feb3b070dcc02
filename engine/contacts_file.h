// The contacts file: one ADIF record for each completed contact, so that a
// night of unattended runs can be imported into the operator's logbook.
// The text is built by pure functions; the file is written through the
// Platform port, created with its header when missing and otherwise only
// ever appended to.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/platform.h"

// The version a new contacts file names in its header; the same as the
// window caption's.
constexpr const char* AdifProgramVersion = "0.13.3.1";
constexpr const char* ContactsFileName = "tavrix.adi";

struct CompletedContact {
    std::string partner;        // CALL: the sked partner or the CQ caller taken up
    std::string ownCall;        // STATION_CALLSIGN; left out when empty
    std::string report = "27";  // RST_RCVD: the report decoded
    UtcTime firstHeard;         // QSO_DATE, TIME_ON: the stamp of the decode that left calling
    UtcTime completed;          // QSO_DATE_OFF, TIME_OFF: the step to state 4
    bool cq = false;            // worked after calling CQ, not on a sked
    std::string band, freq;     // BAND, FREQ as the settings give them; left out when empty
};

// A word as the station of a record: upper-cased, and empty unless it holds
// only the characters a callsign has (letters, digits and '/'). A word the
// decodes brought that is no callsign is then never recorded as one.
std::string RecordedCall(std::string_view word);

// ADIF's band of a frequency in Hz, "2m", "70cm"; "" outside every
// amateur band from 160 m to 23 cm.
std::string AdifBand(std::int64_t hz);

// What tavrix.ini says about the contacts file, read at START.
struct ContactsSettings {
    std::string path;        // the contacts file
    std::string band, freq;  // for every record; empty when not set
};

// One record: `<NAME:length>value` fields (length in bytes) separated by
// blanks, then <EOR> and CR LF. A field with an empty value is left out.
std::string AdifRecord(const CompletedContact& contact);

// The header that opens a new contacts file: a line of free text, the
// header fields one a line, then <EOH> and CR LF.
std::string AdifHeader(const UtcTime& created);

// Appends the record with a single write, the file open only for that write
// and shared for reading and writing. A missing file is created and gets the
// header (stamped with the UTC clock) in the same write. An existing file is
// never truncated or rewritten. False when the record could not be written;
// a file made here that stayed empty is removed again, so a later contact
// starts it with its header. Never throws.
bool AppendContact(Platform& platform, const std::string& path, const CompletedContact& contact);

// [Options] of the settings file: `ADIF` names the contacts file, by default
// tavrix.adi in the activity log's folder (the current folder when the log
// name has none); `Band` and `Freq` are passed into every record as written.
// Tavrix reads these keys and never writes them.
ContactsSettings ReadContactsSettings(Platform& platform, const std::string& iniPath,
                                      const std::string& logFileName);
