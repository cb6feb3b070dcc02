// Run control: START and STOP, and the question asked when the window is
// closed during a run.
#include "ui/run_control.h"

#include <algorithm>
#include <new>

#include "ports/platform.h"
#include "ui/sfmMain.h"
#include "ui/skeds.h"

static bool IsAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string UpperCaseAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string ReduceCallsign(std::string_view line)
{
    std::size_t n = 0;
    while (n < line.size() && IsAsciiAlnum(line[n]))
        ++n;
    return UpperCaseAscii(std::string(line.substr(0, n)));
}

// The file-name boxes lose one enclosing pair of double quotes. A text that
// only begins with a quote is a real name and stays whole.
static void StripQuotes(TEdit* box)
{
    const std::string text = box->Text();
    const std::string name = FileName(text);
    if (name != text)
        box->SetText(name);
}

// Loads the callsign list for CQ calls: nullptr, or the message that tells
// why not (a list that can't be read is left empty).
static const char* LoadCallList(Run& run, Platform& platform, const std::string& listName)
{
    if (!platform.FileExists(listName))
        return RunMessages::ListNotFound;
    auto& callList = run.CallList;
    if (callList)
        callList->clear();
    else
        callList.emplace();
    TextLines list;
    bool loaded;
    try {
        loaded = ReadTextLines(platform, listName, list);
    } catch (const std::bad_alloc&) {
        loaded = false;  // a list too large for memory can't be loaded either
    }
    if (!loaded)
        return RunMessages::ListLoadFailure;
    callList->reserve(list.size());
    for (std::string_view line : list.lines)
        callList->push_back(ReduceCallsign(line));
    return nullptr;
}

void TfmTavrix::bRunClick()
{
    if (bRun->Caption() != "START") {
        StopRun(true);
        return;
    }
    // Whatever fails inside START (memory, say, while a huge callsign list
    // loads) must not leave the button dead or a log open behind an idle
    // look: the operator can always press START again.
    FStarting = true;
    try {
        Start();
    } catch (...) {
        if (bRun->Caption() == "START")
            run.Stop();
        bRun->SetEnabled(true);
    }
    FStarting = false;
    // START disabled the button under the focus: the keyboard would do
    // nothing until a click. It goes to STOP, or back to START.
    bRun->Focus();
}

void TfmTavrix::Start()
{
    eCS->SetText(UpperCaseAscii(eCS->Text()));
    eTRCS->SetText(UpperCaseAscii(eTRCS->Text()));
    StripQuotes(feDecoded);
    StripQuotes(feCSList);
    StripQuotes(feLog);

    // Kept disabled while a message below is open, so a second START can't
    // begin inside the first one's message loop.
    bRun->SetEnabled(false);
    auto fail = [&](const char* message) {
        platform.ShowMessage(message);
        run.radio.Close();
        bRun->SetEnabled(true);
    };

    // Followed skeds name their stations: the partner box is not used, and
    // the callsign list only when an entry calls CQ.
    const bool follow = cbFollow->Checked();
    std::vector<SkedEntry> skeds;
    if (follow && !ReadSkedsForStart(skeds)) {
        bRun->SetEnabled(true);
        return;
    }
    bool callsCq = rbCQ->Checked();
    if (follow) {
        callsCq = false;
        for (const SkedEntry& entry : skeds)
            callsCq = callsCq || entry.Cq();
    } else if (rbSKED->Checked()) {
        const std::string partner = eTRCS->Text();
        if (partner.empty())
            return fail(RunMessages::PartnerEmpty);
        run.SetPartner(partner);
    }
    if (callsCq) {
        if (const char* failure = LoadCallList(run, platform, feCSList->Text()))
            return fail(failure);
    }

    const std::string ownCall = eCS->Text();
    if (ownCall.empty() && callsCq)
        return fail(RunMessages::OwnCallMissing);
    run.SetOwnCall(ownCall);

    // The radio is reached before WSJT is touched: a schedule whose
    // frequencies can't be set is no night to start.
    std::string radioNote;
    if (follow && !StartRadio(skeds, radioNote)) {
        bRun->SetEnabled(true);
        return;
    }

    if (!run.FindWSJT())
        return fail(RunMessages::PeerNotFound);
    run.Arm();

    if (!run.OpenActivityLog())
        platform.ShowMessage(RunMessages::LogOpenFailure);
    if (!radioNote.empty())
        run.LogNote(radioNote);
    run.contacts = ReadContactsSettings(platform, SettingsPath(), FileName(feLog->Text()));
    run.localStamps = ReadLocalStamps(platform, SettingsPath());
    run.StartLoggers(LoggerSettingsShown());

    run.DecodedLines.clear();

    bRun->SetCaption("STOP");
    platform.KeepSystemAwake(true);
    feDecoded->SetEnabled(false);
    eCS->SetEnabled(false);
    eTLimit->SetEnabled(false);
    feLog->SetEnabled(false);
    eTRCS->SetEnabled(false);
    bRun->SetEnabled(true);
    cbDelay->SetEnabled(false);
    dtpDelay->SetEnabled(false);
    cbCLDec->SetEnabled(false);
    feCSList->SetEnabled(false);
    rbCQ->SetEnabled(false);
    rbSKED->SetEnabled(false);
    cbAutoCS->SetEnabled(false);
    cbStop->SetEnabled(false);
    dtpStop->SetEnabled(false);
    cbFollow->SetEnabled(false);
    EnableLoggerControls(false);

    if (follow) {
        // START may have taken long enough, behind a message box or a slow
        // WSJT, for the last entry to end meanwhile.
        if (!run.skeds.Follow(std::move(skeds), UtcSeconds(platform.UtcNow()))) {
            StopRun(true);
            platform.ShowError(AppTitle, ScheduleProblemText(FSkedsPath, {0, NothingLeftToFollow}));
            return;
        }
        ShowSkeds();
    } else if (!cbDelay->Checked()) {
        if (cbCLDec->Checked())
            platform.DeleteFile(FileName(feDecoded->Text()));
        run.CallStation(run.CallText());
    }

    SaveSettings();
}

bool TfmTavrix::StartRadio(const std::vector<SkedEntry>& skeds, std::string& note)
{
    const bool needed = std::any_of(skeds.begin(), skeds.end(), [](const SkedEntry& e) { return e.frequency > 0; });
    std::string why;
    if (run.radio.Start(rigPort, RigAddressShown(), needed, why, note))
        return true;
    platform.ShowError(AppTitle, "The radio's frequency can't be read, and the skeds name frequencies: " + why +
                                     ".\n\nStart rigctld, or check Rig on the Options page (Test), then press "
                                     "START again.");
    return false;
}

void TfmTavrix::SaveSettings()
{
    const std::string path = SettingsPath();
    const std::pair<const char*, std::string> keys[] = {
        {"Decoded", feDecoded->Text()},
        {"CSList", feCSList->Text()},
        {"Log", feLog->Text()},
        {"CS", eCS->Text()},
        {"TLimit", std::to_string(RoundMinutes(eTLimit->Value()))},
        {"ClearDecoded", cbCLDec->Checked() ? "1" : "0"},
        {FollowSkedsKey, cbFollow->Checked() ? "1" : "0"},
        {UdpServerKey, UdpServerToSave()},
        {UdpPortKey, eUdpPort->Text()},
        {RigKey, eRig->Text()},
    };
    for (const auto& [key, value] : keys) {
        if (!platform.WriteSetting(path, SettingsSection, key, value)) {
            platform.ShowError(AppTitle, "Unable to write to " + path + ".");
            return;
        }
    }
}

void TfmTavrix::StopRun(bool force)
{
    if (!cbDelay->Checked() || !cbStop->Checked() || force) {
        bRun->SetCaption("START");
        platform.KeepSystemAwake(false);
        feDecoded->SetEnabled(true);
        eCS->SetEnabled(true);
        eTLimit->SetEnabled(true);
        feLog->SetEnabled(true);
        cbDelay->SetEnabled(true);
        cbCLDec->SetEnabled(true);
        dtpDelay->SetEnabled(cbDelay->Checked());
        feCSList->SetEnabled(rbCQ->Checked());
        cbAutoCS->SetEnabled(rbCQ->Checked());
        eTRCS->SetEnabled(rbSKED->Checked());
        rbCQ->SetEnabled(true);
        rbSKED->SetEnabled(true);
        cbStop->SetEnabled(true);
        dtpStop->SetEnabled(cbStop->Checked());
        cbFollow->SetEnabled(true);
        EnableLoggerControls(true);
    }
    run.Stop();
    ShowSkeds();
}

void TfmTavrix::FormCloseQuery(bool& CanClose)
{
    if (bRun->Caption() != "STOP")
        return;
    if (!platform.AskOkCancel(RunMessages::CloseQuestion)) {
        CanClose = false;
        return;
    }
    // The stop time may have ended the run while the question was open.
    if (bRun->Caption() == "STOP")
        bRunClick();
}

void TfmTavrix::FormEndSession()
{
    if (bRun->Caption() == "STOP")
        StopRun(true);
    FormDestroy();
}

bool TfmTavrix::DeferClose()
{
    if (FStarting)
        FClosePending = true;
    return FStarting;
}

bool TfmTavrix::TakePendingClose()
{
    const bool pending = FClosePending;
    FClosePending = false;
    return pending;
}
