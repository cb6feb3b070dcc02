// The loggers' feed: its settings, its timing and its faults.
#include "engine/logger_feed.h"

bool ParseUdpPort(const std::string& text, std::uint16_t& port)
{
    if (text.empty() || text.size() > 5)
        return false;
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value == 0 || value > 65535)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

LoggedQso QsoOf(const CompletedContact& contact)
{
    LoggedQso qso;
    qso.timeOn = contact.firstHeard;
    qso.timeOff = contact.completed;
    qso.dxCall = contact.partner;
    qso.txFrequencyHz = FrequencyHz(contact.freq);
    qso.mode = "FSK441";
    qso.reportSent = "27";  // the report every contact sends
    qso.reportReceived = contact.report;
    qso.ownCall = contact.ownCall;
    return qso;
}

std::string LoggedAdifText(const CompletedContact& contact)
{
    return AdifHeader(contact.completed) + AdifRecord(contact);
}

// A fault is told when it first stands; the same one again is not, and a
// message that went clears it, so a fault met anew is told anew.
std::string LoggerFeed::Told(const std::string& fault)
{
    if (fault == fault_)
        return "";
    fault_ = fault;
    return fault;
}

std::string LoggerFeed::Send(const std::string& datagram)
{
    std::string why;
    if (udp_->Send(datagram, why)) {
        fault_.clear();
        return "";
    }
    return Told("cannot send: " + why);
}

static std::string TargetFault(const LoggerSettings& settings, UdpPort& udp, Ipv4& address, std::uint16_t& port)
{
    if (!ParseUdpPort(settings.port, port))
        return "port \"" + settings.port + "\" is not 1 to 65535";
    std::string why;
    if (!udp.Resolve(settings.server, ResolveWaitMs, address, why))
        return settings.server + ": " + why;
    return "";
}

std::string LoggerFeed::Start(const LoggerSettings& settings, std::int64_t utcSeconds)
{
    if (!udp_)
        return "";
    Ipv4 address = 0;
    std::uint16_t port = 0;
    const bool send = settings.send && !settings.server.empty();
    const std::string fault = send ? TargetFault(settings, *udp_, address, port) : "";
    const bool same = open_ && send && fault.empty() && address == address_ && port == port_;
    if (open_ && !same)
        Finish();
    fault_.clear();
    if (!send)
        return "";
    if (!fault.empty())
        return Told(fault);
    if (!same) {
        std::string why;
        if (!udp_->Open(address, port, why))
            return Told("cannot open a socket: " + why);
        open_ = true;
        address_ = address;
        port_ = port;
    }
    lastBeat_ = utcSeconds;
    return Send(HeartbeatMessage(AdifProgramVersion, ""));
}

// A clock set back makes a heartbeat due at once rather than never.
std::string LoggerFeed::Tick(std::int64_t utcSeconds)
{
    if (!open_)
        return "";
    const std::int64_t since = utcSeconds - lastBeat_;
    if (since >= 0 && since < LoggerProtocol::HeartbeatSeconds)
        return "";
    lastBeat_ = utcSeconds;
    return Send(HeartbeatMessage(AdifProgramVersion, ""));
}

std::string LoggerFeed::Contact(const CompletedContact& contact)
{
    if (!open_)
        return "";
    const std::string logged = Send(QsoLoggedMessage(QsoOf(contact)));
    const std::string adif = Send(LoggedAdifMessage(LoggedAdifText(contact)));
    return logged.empty() ? adif : logged;
}

void LoggerFeed::Finish()
{
    if (!open_)
        return;
    std::string why;
    udp_->Send(CloseMessage(), why);
    udp_->Close();
    open_ = false;
}
