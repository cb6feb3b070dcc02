// The UDP port: one socket that sends datagrams to one IPv4 address, for the
// loggers that take contacts as they happen. Win32 implementation:
// ports/udp_win32.cpp; tests use tests/support/fake_udp.h. Nothing here
// blocks the caller for longer than the wait it is given, and nothing is
// ever read from the socket.
#pragma once
#include <cstdint>
#include <string>

// An IPv4 address in host byte order: 127.0.0.1 is 0x7f000001.
using Ipv4 = std::uint32_t;

// True for the multicast range 224.0.0.0/4.
constexpr bool IsMulticast(Ipv4 address)
{
    return (address >> 28) == 0xe;
}

class UdpPort {
public:
    virtual ~UdpPort() = default;

    // A dotted IPv4 address as it is, or a host name looked up, waiting at
    // most `waitMs`; false when it is no address, the name is unknown or the
    // answer did not come in time, with `why` saying which in a few words.
    virtual bool Resolve(const std::string& host, int waitMs, Ipv4& address, std::string& why) = 0;
    // Opens the socket for sending to `address`:`port`, closing any open
    // before: non-blocking, never connected (so a closed port at the far end
    // is no error), and for a multicast group with TTL 1 on the loopback
    // interface. False with `why` when the system refuses.
    virtual bool Open(Ipv4 address, std::uint16_t port, std::string& why) = 0;
    // One datagram, without waiting: true once the system took it. A
    // datagram the system has no room for at once is dropped (false).
    virtual bool Send(const std::string& datagram, std::string& why) = 0;
    // Closes the socket, if open.
    virtual void Close() = 0;
};
