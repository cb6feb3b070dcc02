// The TCP port: one connection to one server, for the radio's rigctld.
// Win32 implementation: ports/tcp_win32.cpp; tests use
// tests/support/fake_tcp.h. Nothing here blocks the caller for longer than
// the wait it is given.
#pragma once
#include <cstdint>
#include <string>

#include "ports/udp.h"  // Ipv4

class TcpPort {
public:
    virtual ~TcpPort() = default;

    // A dotted IPv4 address as it is, or a host name looked up, waiting at
    // most `waitMs`; false with `why` in a few words when it is no address,
    // the name is unknown or the answer did not come in time.
    virtual bool Resolve(const std::string& host, int waitMs, Ipv4& address, std::string& why) = 0;
    // Connects to `address`:`port`, closing any connection before, waiting
    // at most `waitMs`; false with `why` when refused or not answered.
    virtual bool Connect(Ipv4 address, std::uint16_t port, int waitMs, std::string& why) = 0;
    // Sends all of `bytes`, waiting at most `waitMs` for room; false with
    // `why` when not connected, the connection broke or the time ran out.
    virtual bool Send(const std::string& bytes, int waitMs, std::string& why) = 0;
    // Appends to `bytes` what has come, waiting at most `waitMs` for the
    // first of it: true with nothing appended when none came in time; false
    // with `why` when not connected or the far end closed or broke the
    // connection (the port is then closed).
    virtual bool Receive(std::string& bytes, int waitMs, std::string& why) = 0;
    // Closes the connection, if open.
    virtual void Close() = 0;
    virtual bool Connected() const = 0;
};
