// Win32Udp: the UDP port (ports/udp.h) over Winsock 2 (ws2_32.dll). Names
// are looked up as ports/name_lookup_win32.h does, within the port's wait.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <string>

#include "ports/name_lookup_win32.h"
#include "ports/udp_win32.h"

Win32Udp::~Win32Udp()
{
    Close();
}

bool Win32Udp::Resolve(const std::string& host, int waitMs, Ipv4& address, std::string& why)
{
    return winsock_.Resolve(host, waitMs, address, why);
}

bool Win32Udp::Open(Ipv4 address, std::uint16_t port, std::string& why)
{
    Close();
    if (!winsock_.Started(why))
        return false;
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) {
        why = WinsockErrorText("no socket", WSAGetLastError());
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
        why = WinsockErrorText("cannot set the socket up", WSAGetLastError());
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
    const sockaddr_in to = SocketAddress(address_, port_);
    const int sent = sendto(socket_, datagram.data(), int(datagram.size()), 0, reinterpret_cast<const sockaddr*>(&to),
                            sizeof to);
    if (sent == int(datagram.size()))
        return true;
    const int error = WSAGetLastError();
    why = WinsockErrorText(error == WSAEWOULDBLOCK ? "no room, dropped" : "not sent", error);
    return false;
}

void Win32Udp::Close()
{
    if (socket_ == INVALID_SOCKET)
        return;
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
}
