// What the UDP and TCP ports share of Winsock: its start and end, a name
// looked up in bounded time, an address in network byte order and the
// text of an error.
#pragma once
#include <winsock2.h>

#include <cstdint>
#include <string>

#include "ports/udp.h"  // Ipv4

// Waits at most `waitMs`; false with `why` when the name is unknown or the
// name server did not answer in time (the look-up then ends on its own).
bool LookUpIpv4(const std::string& host, int waitMs, Ipv4& address, std::string& why);

// "what (Winsock error N)", for the operator.
std::string WinsockErrorText(const char* what, int error);
// In network byte order, without ws2_32's htonl and htons.
in_addr InAddr(Ipv4 address);
sockaddr_in SocketAddress(Ipv4 address, std::uint16_t port);

// Winsock started for the lifetime of a port, and a name looked up once it
// has started.
class Winsock {
public:
    Winsock();
    ~Winsock();
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;

    // False with why when Winsock did not start.
    bool Started(std::string& why) const;
    bool Resolve(const std::string& host, int waitMs, Ipv4& address, std::string& why) const;

private:
    bool started_ = false;  // WSAStartup succeeded
};
