// The feed to the operator's loggers: where the messages go, when a
// heartbeat is due, what a contact gives, and which faults are worth telling.
// The run owns one; it sends through the UDP port it is given (none: the
// feed stays silent). A fault never stops anything: the feed tells it once
// and goes on trying with the next message.
#pragma once
#include <cstdint>
#include <string>

#include "engine/contacts_file.h"
#include "engine/logger_messages.h"
#include "ports/udp.h"

// The Options page's three settings as they stand at START.
struct LoggerSettings {
    bool send = true;                 // "Send contacts to loggers (UDP)"
    std::string server = "127.0.0.1";  // UdpServer: an address, a host name or a multicast group
    std::string port = "2237";        // UdpPort, as typed
};
constexpr const char* UdpServerKey = "UdpServer";
constexpr const char* UdpPortKey = "UdpPort";
constexpr const char* DefaultUdpServer = "127.0.0.1";
constexpr const char* DefaultUdpPort = "2237";
// A name is looked up at START for at most this long.
constexpr int ResolveWaitMs = 2000;

// A port number: decimal digits only, 1 to 65535. False for anything else;
// `port` is then left alone.
bool ParseUdpPort(const std::string& text, std::uint16_t& port);

// What the loggers get of a contact: the QSO Logged message's fields, with
// the Tx frequency from the Freq setting, and the Logged ADIF message's
// text, the record as the contacts file holds it behind a header of its own.
LoggedQso QsoOf(const CompletedContact& contact);
std::string LoggedAdifText(const CompletedContact& contact);

class LoggerFeed {
public:
    void SetPort(UdpPort* udp) { udp_ = udp; }

    // START: the settings say where the messages go from now on. A target
    // other than the last one is told Close first. The first heartbeat goes
    // at once. Returns the fault to tell, or "" (also when sending is off).
    std::string Start(const LoggerSettings& settings, std::int64_t utcSeconds);
    // Every tick: a heartbeat when one is due. Returns a fault not told
    // yet, or "".
    std::string Tick(std::int64_t utcSeconds);
    // A contact recorded: QSO Logged, then Logged ADIF.
    std::string Contact(const CompletedContact& contact);
    // The program ends: Close, and the socket goes.
    void Finish();

    bool Sending() const { return open_; }
    // The fault that stands, "" when the last message went.
    const std::string& Fault() const { return fault_; }

private:
    std::string Send(const std::string& datagram);
    std::string Told(const std::string& fault);

    UdpPort* udp_ = nullptr;
    bool open_ = false;
    Ipv4 address_ = 0;
    std::uint16_t port_ = 0;
    std::int64_t lastBeat_ = 0;
    std::string fault_;
};
