// Win32Tcp: the TCP port (ports/tcp.h) over Winsock 2.
#pragma once
#include <cstdint>

#include "ports/name_lookup_win32.h"
#include "ports/tcp.h"

class Win32Tcp : public TcpPort {
public:
    Win32Tcp() = default;
    ~Win32Tcp() override;
    Win32Tcp(const Win32Tcp&) = delete;
    Win32Tcp& operator=(const Win32Tcp&) = delete;

    bool Resolve(const std::string& host, int waitMs, Ipv4& address, std::string& why) override;
    bool Connect(Ipv4 address, std::uint16_t port, int waitMs, std::string& why) override;
    bool Send(const std::string& bytes, int waitMs, std::string& why) override;
    bool Receive(std::string& bytes, int waitMs, std::string& why) override;
    void Close() override;
    bool Connected() const override;

private:
    Winsock winsock_;
    std::uintptr_t socket_ = ~std::uintptr_t(0);  // INVALID_SOCKET
};
