// The Options page's settings for the loggers' feed: UdpServer and UdpPort
// of tavrix.ini, and the check box that turns the feed off. The check box
// has no key of its own: an empty UdpServer is the feed turned off. And the
// radio's rigctld, Rig, beside them, with its Test.
#include <string_view>

#include "ui/sfmMain.h"

static std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A missing key is the default, ticked as WSJT-X comes; an empty server
// unticks the box and shows the default for when it is ticked again.
void TfmTavrix::ReadLoggerSettings()
{
    const std::string path = SettingsPath();
    const std::string server = platform.ReadSetting(path, SettingsSection, UdpServerKey, DefaultUdpServer);
    cbUdp->SetChecked(!server.empty());
    eUdpServer->SetText(server.empty() ? DefaultUdpServer : server);
    eUdpPort->SetText(platform.ReadSetting(path, SettingsSection, UdpPortKey, DefaultUdpPort));
    eRig->SetText(platform.ReadSetting(path, SettingsSection, RigKey, ""));
    EnableLoggerControls(true);
}

LoggerSettings TfmTavrix::LoggerSettingsShown() const
{
    LoggerSettings settings;
    settings.send = cbUdp->Checked();
    settings.server = Trimmed(eUdpServer->Text());
    settings.port = Trimmed(eUdpPort->Text());
    return settings;
}

std::string TfmTavrix::UdpServerToSave() const
{
    return cbUdp->Checked() ? Trimmed(eUdpServer->Text()) : std::string();
}

void TfmTavrix::EnableLoggerControls(bool idle)
{
    cbUdp->SetEnabled(idle);
    eUdpServer->SetEnabled(idle && cbUdp->Checked());
    eUdpPort->SetEnabled(idle && cbUdp->Checked());
    eRig->SetEnabled(idle);
}

std::string TfmTavrix::RigAddressShown() const
{
    return Trimmed(eRig->Text());
}

void TfmTavrix::bRigTestClick()
{
    const std::string address = RigAddressShown();
    if (address.empty() || !rigPort) {
        platform.ShowMessage("Rig is empty: type rigctld's host:port, e.g. localhost:4532.");
        return;
    }
    RigLink rig(*rigPort);
    std::string why;
    std::int64_t hz = 0;
    if (rig.Open(address, why) && rig.ReadFrequency(hz, why))
        platform.ShowMessage("The radio is on " + MhzText(hz) + " MHz.");
    else
        platform.ShowMessage("The radio's frequency can't be read: " + why + ".");
    rig.Close();
}

void TfmTavrix::cbUdpClick()
{
    EnableLoggerControls(true);
}

void TfmTavrix::FormDestroy()
{
    run.loggers.Finish();
}
