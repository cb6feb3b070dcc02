// TfmTavrix: window creation, the small click handlers that keep the
// enable rules while no run is armed, and the view of the operator's
// choices that the run reads.
#include "ui/sfmMain.h"

#include "ports/platform.h"
#include "ui/settings.h"

std::string ChosenFileText(const std::string& name)
{
    if (name.find(' ') != std::string::npos && (name.empty() || name.front() != '"'))
        return '"' + name + '"';
    return name;
}

std::string TfmTavrix::SettingsPath() const
{
    return platform.ExeDirectory() + SettingsFileName;
}

void TfmTavrix::FormCreate()
{
    const std::string path = SettingsPath();
    auto read = [&](const char* key, const std::string& fallback) {
        return platform.ReadSetting(path, SettingsSection, key, fallback);
    };
    feDecoded->SetText(read("Decoded", feDecoded->Text()));
    feCSList->SetText(read("CSList", feCSList->Text()));
    feLog->SetText(read("Log", feLog->Text()));
    eCS->SetText(read("CS", eCS->Text()));
    const std::int32_t minutes = RoundMinutes(eTLimit->Value());
    eTLimit->SetValue(ReadWholeNumber(read("TLimit", std::to_string(minutes)), minutes));
    const bool clear = cbCLDec->Checked();
    cbCLDec->SetChecked(ReadFlag(read("ClearDecoded", clear ? "1" : "0"), clear));
    FSkedsPath = SkedsFilePath(platform.ExeDirectory(), read(SkedsKey, ""));
    cbFollow->SetChecked(ReadFlag(read(FollowSkedsKey, "0"), false));
    ReadLoggerSettings();

    run.FState = -1;
    run.LogOpen = false;
    LoadSkeds();
}

void TfmTavrix::rbSKedClick()
{
    eTRCS->SetEnabled(!eTRCS->Enabled());
    cbAutoCS->SetEnabled(!cbAutoCS->Enabled());
    // A sked run's idle look disables the list box; selecting CQ must give
    // it back, or a wrong list path could not be corrected.
    feCSList->SetEnabled(rbCQ->Checked());
}

void TfmTavrix::cbDelayClick()
{
    dtpDelay->SetEnabled(cbDelay->Checked());
}

void TfmTavrix::cbStopClick()
{
    dtpStop->SetEnabled(cbStop->Checked());
}

void TfmTavrix::OnTimer()
{
    // A schedule's end ends the run even when a stop time would park it.
    if (run.OnTimer())
        StopRun(!run.skeds.Entries().empty());
    RefreshSkedStates();
}

bool TfmTavrix::Armed() const { return bRun->Caption() == "STOP"; }
bool TfmTavrix::SkedMode() const { return rbSKED->Checked(); }
bool TfmTavrix::CqMode() const { return rbCQ->Checked(); }
std::string TfmTavrix::PartnerText() const { return eTRCS->Text(); }
std::string TfmTavrix::OwnCall() const { return eCS->Text(); }
bool TfmTavrix::AutodetectCall() const { return cbAutoCS->Checked(); }
double TfmTavrix::TimeLimitMinutes() const { return eTLimit->Value(); }
bool TfmTavrix::ClearDecoded() const { return cbCLDec->Checked(); }
bool TfmTavrix::DelayTicked() const { return cbDelay->Checked(); }
int TfmTavrix::DelayHour() const { return dtpDelay->Hour(); }
int TfmTavrix::DelayMinute() const { return dtpDelay->Minute(); }
bool TfmTavrix::StopTicked() const { return cbStop->Checked(); }
int TfmTavrix::StopHour() const { return dtpStop->Hour(); }
int TfmTavrix::StopMinute() const { return dtpStop->Minute(); }
std::string TfmTavrix::DecodedText() const { return feDecoded->Text(); }
std::string TfmTavrix::LogText() const { return feLog->Text(); }

const std::string& TfmTavrix::StatusLine()
{
    run.StatusLine(FStatusLine);
    return FStatusLine;
}
