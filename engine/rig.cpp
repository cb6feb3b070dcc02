// The link to rigctld; see engine/rig.h and, for the wire, engine/rig_protocol.h.
#include "engine/rig.h"

#include "engine/rig_protocol.h"

namespace {

constexpr int LookupMs = 3000, ConnectMs = 2000, SendMs = 1000;
// The answer's wait in slices, so that bytes that trickle in can't stretch it.
constexpr int AnswerSlices = 10;

}  // namespace

bool ParseRigAddress(const std::string& text, std::string& host, std::uint16_t& port, std::string& why)
{
    const std::size_t colon = text.rfind(':');
    host = text.substr(0, colon);
    port = 4532;
    if (colon != std::string::npos) {
        const std::string digits = text.substr(colon + 1);
        unsigned long value = 0;
        bool ok = !digits.empty() && digits.size() <= 5;
        for (char c : digits) {
            ok = ok && c >= '0' && c <= '9';
            value = value * 10 + unsigned(c - '0');
        }
        if (!ok || value == 0 || value > 65535) {
            why = "the port \"" + digits.substr(0, 8) + "\" is not a number from 1 to 65535";
            return false;
        }
        port = std::uint16_t(value);
    }
    if (host.empty() || host.find_first_of(" \t") != std::string::npos) {
        why = "the Rig setting is not host:port, e.g. localhost:4532";
        return false;
    }
    return true;
}

bool RigLink::Open(const std::string& address, std::string& why)
{
    Close();
    std::string host;
    std::uint16_t port = 0;
    Ipv4 ip = 0;
    if (!ParseRigAddress(address, host, port, why))
        return false;
    if (!tcp_.Resolve(host, LookupMs, ip, why)) {
        why = "the radio's host " + host + ": " + why;
        return false;
    }
    if (!tcp_.Connect(ip, port, ConnectMs, why)) {
        why = "rigctld at " + address + ": " + why;
        return false;
    }
    address_ = ip, port_ = port;
    return true;
}

void RigLink::Close()
{
    tcp_.Close();
    port_ = 0;
}

bool RigLink::ExchangeOnce(const std::string& command, std::int64_t& value, bool& broken, std::string& why)
{
    broken = false;
    if (!tcp_.Connected() && !tcp_.Connect(address_, port_, ConnectMs, why)) {
        why = "rigctld: " + why;
        return false;
    }
    std::string bytes;
    if (!tcp_.Send(command, SendMs, why)) {
        broken = true;
        return false;
    }
    for (int slice = 0; slice < AnswerSlices; ++slice) {
        if (!tcp_.Receive(bytes, RigAnswerMs / AnswerSlices, why)) {
            broken = true;
            return false;
        }
        const RigAnswer answer = ReadRigAnswer(bytes);
        if (answer.kind == RigAnswer::Value) {
            value = answer.value;
            return true;
        }
        if (answer.kind == RigAnswer::Error || answer.kind == RigAnswer::Garbage) {
            why = answer.kind == RigAnswer::Error ? "rigctld reports error " + std::to_string(answer.value)
                                                  : "rigctld answered \"" + answer.line + "\"";
            // What follows may belong to this answer: start afresh.
            tcp_.Close();
            return false;
        }
    }
    why = "no answer from rigctld in " + std::to_string(RigAnswerMs / 1000) + " s";
    tcp_.Close();
    return false;
}

bool RigLink::Exchange(const std::string& command, std::int64_t& value, std::string& why)
{
    if (!IsOpen()) {
        why = "no radio: the Rig setting is empty or rigctld was not reached at START";
        return false;
    }
    bool broken = false;
    if (ExchangeOnce(command, value, broken, why))
        return true;
    if (!broken)
        return false;
    tcp_.Close();
    return ExchangeOnce(command, value, broken, why);
}

bool RigLink::ReadFrequency(std::int64_t& hz, std::string& why)
{
    std::int64_t value = 0;
    if (!Exchange(RigReadCommand, value, why))
        return false;
    if (value <= 0) {
        why = "rigctld read no frequency";
        return false;
    }
    hz = value;
    return true;
}

bool RigLink::SetFrequency(std::int64_t hz, std::int64_t& got, std::string& why)
{
    std::int64_t ignored = 0;
    if (!Exchange(RigSetCommand(hz), ignored, why) || !ReadFrequency(got, why))
        return false;
    const std::int64_t off = got > hz ? got - hz : hz - got;
    if (off > RigToleranceHz) {
        why = "the radio reads " + std::to_string(got) + " Hz after being set to " + std::to_string(hz) + " Hz";
        return false;
    }
    why = off == 0 ? "" : "the radio reads " + std::to_string(got) + " Hz, " + std::to_string(off) + " Hz off";
    return true;
}
