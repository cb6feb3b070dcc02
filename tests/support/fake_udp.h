// The UDP port in memory: names it knows, failures on demand, and every
// datagram sent, in order.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "ports/udp.h"

// A name the fake ports know, or "not found".
inline bool LookUpIn(const std::map<std::string, Ipv4>& names, const std::string& host, Ipv4& found, std::string& why)
{
    const auto name = names.find(host);
    if (name == names.end()) {
        why = "not found";
        return false;
    }
    found = name->second;
    return true;
}

class FakeUdp : public UdpPort {
public:
    std::map<std::string, Ipv4> names{{"127.0.0.1", 0x7f000001}, {"239.255.0.1", 0xefff0001},
                                      {"logger.local", 0xc0a80102}};
    bool openFails = false;
    bool sendFails = false;
    bool open = false;
    Ipv4 address = 0;
    std::uint16_t port = 0;
    int opens = 0;
    std::vector<std::string> sent;  // the datagrams, while open

    bool Resolve(const std::string& host, int, Ipv4& found, std::string& why) override
    {
        return LookUpIn(names, host, found, why);
    }
    bool Open(Ipv4 to, std::uint16_t toPort, std::string& why) override
    {
        if (openFails) {
            why = "refused";
            return false;
        }
        open = true, address = to, port = toPort;
        ++opens;
        return true;
    }
    bool Send(const std::string& datagram, std::string& why) override
    {
        if (!open || sendFails) {
            why = "network down";
            return false;
        }
        sent.push_back(datagram);
        return true;
    }
    void Close() override { open = false; }

    // The message type of each datagram sent, in order.
    std::vector<std::uint32_t> Types() const
    {
        std::vector<std::uint32_t> types;
        for (const std::string& d : sent)
            types.push_back(d.size() < 12 ? 0xffffffffu
                                          : std::uint32_t(std::uint8_t(d[8])) << 24 | std::uint32_t(std::uint8_t(d[9])) << 16 |
                                                std::uint32_t(std::uint8_t(d[10])) << 8 | std::uint8_t(d[11]));
        return types;
    }
};
