// TfmTavrix: window creation and the small click handlers that keep the
// enable rules while no run is armed.
#include "ui/sfmMain.h"

#include "ports/platform.h"
#include "engine/run_state.h"
#include "ui/settings.h"

TfmTavrix* fmTavrix = nullptr;

std::string FileName(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

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
    DecodedLines = std::make_unique<DecodedReading>();
    LogTokens[4] = " 27";
    LogTokens[5] = "R27";
    LogTokens[6] = "RRR";
    LogTokens[7] = "73";
    Progression[1] = "27";
    Progression[2] = "R27";
    Progression[3] = "RRR";
    Progression[4] = "73";

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

    FState = -1;
    LogOpen = false;
}

void TfmTavrix::rbSKedClick()
{
    eTRCS->SetEnabled(!eTRCS->Enabled());
    cbAutoCS->SetEnabled(!cbAutoCS->Enabled());
}

void TfmTavrix::cbDelayClick()
{
    dtpDelay->SetEnabled(cbDelay->Checked());
}

void TfmTavrix::cbStopClick()
{
    dtpStop->SetEnabled(cbStop->Checked());
}
