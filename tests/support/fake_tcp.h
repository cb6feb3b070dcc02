// The TCP port in memory: names it knows, a server that refuses, never
// answers or answers from a script, and every command sent, in order.
#pragma once
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "ports/tcp.h"

class FakeTcp : public TcpPort {
public:
    std::map<std::string, Ipv4> names{{"127.0.0.1", 0x7f000001}, {"localhost", 0x7f000001}};
    bool refuses = false;         // Connect fails
    bool closesAfterSend = false;  // the far end closes once a command comes
    // Each send takes the next answer (empty: none ever comes).
    std::deque<std::string> answers;
    std::vector<std::string> sent;
    int connects = 0;
    bool open = false;
    std::string pending;

    bool Resolve(const std::string& host, int, Ipv4& found, std::string& why) override
    {
        const auto name = names.find(host);
        if (name == names.end()) {
            why = "not found";
            return false;
        }
        found = name->second;
        return true;
    }
    bool Connect(Ipv4, std::uint16_t, int, std::string& why) override
    {
        ++connects;
        if (refuses) {
            why = "refused";
            return false;
        }
        open = true;
        return true;
    }
    bool Send(const std::string& bytes, int, std::string& why) override
    {
        if (!open) {
            why = "not connected";
            return false;
        }
        sent.push_back(bytes);
        if (closesAfterSend) {
            closed = true;
        } else if (!answers.empty()) {
            pending += answers.front();
            answers.pop_front();
        }
        return true;
    }
    bool Receive(std::string& bytes, int, std::string& why) override
    {
        if (!open || closed) {
            open = closed = false;
            why = "closed by the far end";
            return false;
        }
        bytes += pending;
        pending.clear();
        return true;
    }
    void Close() override { open = false, pending.clear(); }
    bool Connected() const override { return open; }

private:
    bool closed = false;
};
