// The link to the radio through Hamlib's rigctld, kept for a run: the
// Rig setting's host:port, reading the radio's frequency and setting it with
// a read-back. Every exchange is bounded: an answer that has not come in
// about RigAnswerMs is no answer.
#pragma once
#include <cstdint>
#include <string>

#include "ports/tcp.h"

constexpr const char* RigKey = "Rig";  // [Options] Rig=host:port; empty: no radio
constexpr int RigAnswerMs = 2000;
// A radio whose dial steps round the frequency asked for is set when it
// reads back this close.
constexpr std::int64_t RigToleranceHz = 10;

// "host:port" or "host" (rigctld's 4532): false with why for anything else.
bool ParseRigAddress(const std::string& text, std::string& host, std::uint16_t& port, std::string& why);

class RigLink {
public:
    explicit RigLink(TcpPort& tcp) : tcp_(tcp) {}

    // Looks the host up and connects; false with why, for the operator.
    bool Open(const std::string& address, std::string& why);
    bool IsOpen() const { return port_ != 0; }
    // The radio's frequency in Hz.
    bool ReadFrequency(std::int64_t& hz, std::string& why);
    // Sets `hz` and reads it back into `got`: true when within
    // RigToleranceHz, with `note` saying so when not exact; false with why.
    bool SetFrequency(std::int64_t hz, std::int64_t& got, std::string& why);
    void Close();

private:
    // One command and its answer line, reconnecting once when the
    // connection was closed or broke.
    bool Exchange(const std::string& command, std::int64_t& value, std::string& why);
    bool ExchangeOnce(const std::string& command, std::int64_t& value, bool& broken, std::string& why);

    TcpPort& tcp_;
    Ipv4 address_ = 0;
    std::uint16_t port_ = 0;
};
