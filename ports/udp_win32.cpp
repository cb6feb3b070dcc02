// Win32Udp: the UDP port (ports/udp.h) over Winsock 2 (ws2_32.dll). Names
// are looked up as ports/name_lookup_win32.h does, within the port's wait.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <atomic>
#include <string>

#include "ports/name_lookup_win32.h"
#include "ports/udp_win32.h"

namespace {

std::string ErrorText(const char* what, int error)
{
    return std::string(what) + " (Winsock error " + std::to_string(error) + ")";
}

// In network byte order, without ws2_32's htonl.
in_addr InAddr(Ipv4 address)
{
    in_addr in{};
    auto* bytes = reinterpret_cast<unsigned char*>(&in.s_addr);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(address >> (24 - 8 * i));
    return in;
}

}  // namespace

Win32Udp::Win32Udp()
{
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Win32Udp::~Win32Udp()
{
    Close();
    if (started_)
        WSACleanup();
}

bool Win32Udp::Resolve(const std::string& host, int waitMs, Ipv4& address, std::string& why)
{
    if (!started_) {
        why = "no network (Winsock did not start)";
        return false;
    }
    return LookUpIpv4(host, waitMs, address, why);
}

bool Win32Udp::Open(Ipv4 address, std::uint16_t port, std::string& why)
{
    Close();
    if (!started_) {
        why = "no network (Winsock did not start)";
        return false;
    }
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) {
        why = ErrorText("no socket", WSAGetLastError());
        return false;
    }
    u_long nonBlocking = 1;
    bool ok = ioctlsocket(s, FIONBIO, &nonBlocking) == 0;
    if (ok && IsMulticast(address)) {
        const DWORD ttl = 1;
        const in_addr loopback = InAddr(0x7f000001);
        ok = setsockopt(s, IPPROTO_IP, IP_MULTICAST_TTL, reinterpret_cast<const char*>(&ttl), sizeof ttl) == 0 &&
             setsockopt(s, IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<const char*>(&loopback),
                        sizeof loopback) == 0;
    }
    if (!ok) {
        why = ErrorText("cannot set the socket up", WSAGetLastError());
        closesocket(s);
        return false;
    }
    socket_ = s;
    address_ = address;
    port_ = port;
    return true;
}

bool Win32Udp::Send(const std::string& datagram, std::string& why)
{
    if (socket_ == INVALID_SOCKET) {
        why = "no socket";
        return false;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr = InAddr(address_);
    auto* portBytes = reinterpret_cast<unsigned char*>(&to.sin_port);
    portBytes[0] = static_cast<unsigned char>(port_ >> 8);
    portBytes[1] = static_cast<unsigned char>(port_);
    const int sent = sendto(socket_, datagram.data(), int(datagram.size()), 0, reinterpret_cast<const sockaddr*>(&to),
                            sizeof to);
    if (sent == int(datagram.size()))
        return true;
    const int error = WSAGetLastError();
    why = ErrorText(error == WSAEWOULDBLOCK ? "no room, dropped" : "not sent", error);
    return false;
}

void Win32Udp::Close()
{
    if (socket_ == INVALID_SOCKET)
        return;
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
}
