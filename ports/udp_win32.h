// Win32Udp: the UDP port (ports/udp.h) over Winsock 2.
#pragma once
#include <cstdint>

#include "ports/name_lookup_win32.h"
#include "ports/udp.h"

class Win32Udp : public UdpPort {
public:
    Win32Udp() = default;
    ~Win32Udp() override;
    Win32Udp(const Win32Udp&) = delete;
    Win32Udp& operator=(const Win32Udp&) = delete;

    bool Resolve(const std::string& host, int waitMs, Ipv4& address, std::string& why) override;
    bool Open(Ipv4 address, std::uint16_t port, std::string& why) override;
    bool Send(const std::string& datagram, std::string& why) override;
    void Close() override;

private:
    Winsock winsock_;
    std::uintptr_t socket_ = ~std::uintptr_t(0);  // INVALID_SOCKET
    Ipv4 address_ = 0;
    std::uint16_t port_ = 0;
};
