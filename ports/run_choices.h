// The operator's choices as the run reads them: a read-only view of the
// window's controls. Every call reads the control at that moment; nothing
// is copied at START, so a run follows what the window shows. TfmTavrix
// (ui/sfmMain.h) implements it over its controls.
#pragma once
#include <string>

class RunChoices {
public:
    virtual ~RunChoices() = default;

    // A run is armed: the run button reads "STOP".
    virtual bool Armed() const = 0;
    virtual bool SkedMode() const = 0;
    virtual bool CqMode() const = 0;
    // The sked partner's callsign box, as typed.
    virtual std::string PartnerText() const = 0;
    virtual std::string OwnCall() const = 0;
    virtual bool AutodetectCall() const = 0;
    // The step time limit in minutes, as the box holds it.
    virtual double TimeLimitMinutes() const = 0;
    virtual bool ClearDecoded() const = 0;

    virtual bool DelayTicked() const = 0;
    virtual int DelayHour() const = 0;
    virtual int DelayMinute() const = 0;
    virtual bool StopTicked() const = 0;
    virtual int StopHour() const = 0;
    virtual int StopMinute() const = 0;

    // The file-name boxes' texts, as they stand.
    virtual std::string DecodedText() const = 0;
    virtual std::string LogText() const = 0;
};
