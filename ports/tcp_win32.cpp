// Win32Tcp: the TCP port (ports/tcp.h) over Winsock 2 (ws2_32.dll). The
// socket is non-blocking and every wait is select's, so that a radio
// server that hangs keeps the window waiting no longer than the port's wait.
// select's sets hold this one socket only, so its count says which is ready
// without FD_ISSET.
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "ports/name_lookup_win32.h"
#include "ports/tcp_win32.h"

namespace {

timeval Wait(int waitMs)
{
    timeval wait{};
    wait.tv_sec = waitMs / 1000;
    wait.tv_usec = (waitMs % 1000) * 1000;
    return wait;
}

enum class Ready { Yes, TimedOut, Failed };

// Waits for the socket to be readable, or writable (`write`), at most `waitMs`.
Ready WaitFor(SOCKET s, bool write, int waitMs)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait = Wait(waitMs);
    const int count = select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &wait);
    return count > 0 ? Ready::Yes : count == 0 ? Ready::TimedOut : Ready::Failed;
}

}  // namespace

Win32Tcp::~Win32Tcp()
{
    Close();
}

bool Win32Tcp::Resolve(const std::string& host, int waitMs, Ipv4& address, std::string& why)
{
    return winsock_.Resolve(host, waitMs, address, why);
}

bool Win32Tcp::Connect(Ipv4 address, std::uint16_t port, int waitMs, std::string& why)
{
    Close();
    if (!winsock_.Started(why))
        return false;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        why = WinsockErrorText("no socket", WSAGetLastError());
        return false;
    }
    u_long nonBlocking = 1;
    const sockaddr_in to = SocketAddress(address, port);
    if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0 ||
        (connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0 && WSAGetLastError() != WSAEWOULDBLOCK)) {
        why = WinsockErrorText("cannot connect", WSAGetLastError());
        closesocket(s);
        return false;
    }
    // A refused connect shows in the exception set, a made one in the write
    // set: either way SO_ERROR then says which.
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval wait = Wait(waitMs);
    const int count = select(0, nullptr, &writable, &failed, &wait);
    int error = 0;
    int size = sizeof error;
    if (count > 0 && getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == 0 && error == 0) {
        socket_ = s;
        return true;
    }
    if (count == 0)
        why = "no answer in " + std::to_string(waitMs / 1000) + " s";
    else
        why = error == WSAECONNREFUSED ? std::string("refused: nothing listens on that port")
                                       : WinsockErrorText("cannot connect", error ? error : WSAGetLastError());
    closesocket(s);
    return false;
}

bool Win32Tcp::Send(const std::string& bytes, int waitMs, std::string& why)
{
    std::size_t done = 0;
    while (socket_ != INVALID_SOCKET && done < bytes.size()) {
        const int sent = send(socket_, bytes.data() + done, int(bytes.size() - done), 0);
        if (sent > 0) {
            done += std::size_t(sent);
            continue;
        }
        const int error = WSAGetLastError();
        const Ready ready = error == WSAEWOULDBLOCK ? WaitFor(socket_, true, waitMs) : Ready::Failed;
        if (ready == Ready::Yes)
            continue;
        why = ready == Ready::TimedOut ? std::string("no room to send") : WinsockErrorText("connection broken", error);
        Close();
        return false;
    }
    if (done < bytes.size())
        why = "not connected";
    return done == bytes.size();
}

bool Win32Tcp::Receive(std::string& bytes, int waitMs, std::string& why)
{
    if (socket_ == INVALID_SOCKET) {
        why = "not connected";
        return false;
    }
    const Ready ready = WaitFor(socket_, false, waitMs);
    if (ready == Ready::TimedOut)
        return true;
    char buffer[512];
    const int got = ready == Ready::Yes ? recv(socket_, buffer, sizeof buffer, 0) : -1;
    if (got > 0) {
        bytes.append(buffer, std::size_t(got));
        return true;
    }
    const int error = got == 0 ? 0 : WSAGetLastError();
    if (error == WSAEWOULDBLOCK)
        return true;
    why = got == 0 ? std::string("closed by the far end") : WinsockErrorText("connection broken", error);
    Close();
    return false;
}

void Win32Tcp::Close()
{
    if (socket_ == INVALID_SOCKET)
        return;
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
}

bool Win32Tcp::Connected() const
{
    return socket_ != INVALID_SOCKET;
}
