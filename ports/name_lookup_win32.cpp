// Names looked up by a thread of their own, so that a slow name server keeps
// the window waiting no longer than the caller's wait; see
// ports/name_lookup_win32.h.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <string>

#include "ports/name_lookup_win32.h"

namespace {

// One look-up, shared by the thread that makes it and the caller that may
// stop waiting for it: the last of the two to let go frees it.
struct Lookup {
    std::atomic<int> holders{2};
    std::string host;
    bool found = false;
    Ipv4 address = 0;
    int error = 0;
};

void LetGo(Lookup* lookup)
{
    if (--lookup->holders == 0)
        delete lookup;
}

DWORD WINAPI LookUp(void* context)
{
    auto* lookup = static_cast<Lookup*>(context);
    const hostent* host = gethostbyname(lookup->host.c_str());
    if (host && host->h_addrtype == AF_INET && host->h_length == 4 && host->h_addr_list[0]) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(host->h_addr_list[0]);
        lookup->address = Ipv4(bytes[0]) << 24 | Ipv4(bytes[1]) << 16 | Ipv4(bytes[2]) << 8 | bytes[3];
        lookup->found = true;
    } else {
        lookup->error = WSAGetLastError();
    }
    LetGo(lookup);
    return 0;
}

}  // namespace

bool LookUpIpv4(const std::string& host, int waitMs, Ipv4& address, std::string& why)
{
    auto* lookup = new Lookup;
    lookup->host = host;
    HANDLE thread = CreateThread(nullptr, 0, LookUp, lookup, 0, nullptr);
    if (!thread) {
        delete lookup;
        why = "cannot look the name up";
        return false;
    }
    const bool answered = WaitForSingleObject(thread, DWORD(waitMs)) == WAIT_OBJECT_0;
    CloseHandle(thread);
    const bool found = answered && lookup->found;
    if (found)
        address = lookup->address;
    else if (answered)
        why = WinsockErrorText("not found", lookup->error);
    else
        why = "no answer from the name server in " + std::to_string(waitMs / 1000) + " s";
    LetGo(lookup);
    return found;
}

std::string WinsockErrorText(const char* what, int error)
{
    return std::string(what) + " (Winsock error " + std::to_string(error) + ")";
}

in_addr InAddr(Ipv4 address)
{
    in_addr in{};
    auto* bytes = reinterpret_cast<unsigned char*>(&in.s_addr);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(address >> (24 - 8 * i));
    return in;
}

sockaddr_in SocketAddress(Ipv4 address, std::uint16_t port)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr = InAddr(address);
    auto* portBytes = reinterpret_cast<unsigned char*>(&to.sin_port);
    portBytes[0] = static_cast<unsigned char>(port >> 8);
    portBytes[1] = static_cast<unsigned char>(port);
    return to;
}

Winsock::Winsock()
{
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Winsock::~Winsock()
{
    if (started_)
        WSACleanup();
}

bool Winsock::Started(std::string& why) const
{
    if (!started_)
        why = "no network (Winsock did not start)";
    return started_;
}

bool Winsock::Resolve(const std::string& host, int waitMs, Ipv4& address, std::string& why) const
{
    return Started(why) && LookUpIpv4(host, waitMs, address, why);
}
