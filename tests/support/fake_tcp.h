// The TCP port in memory: names it knows, a server that refuses, never
// answers or answers from a script, and every command sent, in order. With
// `radio` and no script left, it is rigctld with a dummy radio: "F hz" sets
// `dialHz`, "f" reads it.
#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "ports/tcp.h"
#include "tests/support/fake_udp.h"  // LookUpIn

class FakeTcp : public TcpPort {
public:
    std::map<std::string, Ipv4> names{{"127.0.0.1", 0x7f000001}, {"localhost", 0x7f000001}};
    bool refuses = false;         // Connect fails
    bool closesAfterSend = false;  // the far end closes once a command comes
    // Each send takes the next answer (empty: none ever comes).
    std::deque<std::string> answers;
    std::vector<std::string> sent;
    bool radio = false;
    std::int64_t dialHz = 0;
    // Where else each command goes as "rig <command>", e.g. a desktop's
    // journal, to see it in order among the presses; none when null.
    std::vector<std::string>* journal = nullptr;
    int connects = 0;
    bool open = false;
    std::string pending;

    bool Resolve(const std::string& host, int, Ipv4& found, std::string& why) override
    {
        return LookUpIn(names, host, found, why);
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
        if (journal)
            journal->push_back("rig " + bytes.substr(0, bytes.find('\n')));
        if (closesAfterSend) {
            closed = true;
        } else if (!answers.empty()) {
            pending += answers.front();
            answers.pop_front();
        } else if (radio) {
            pending += Dummy(bytes);
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
    std::string Dummy(const std::string& command)
    {
        if (command == "f\n")
            return std::to_string(dialHz) + "\n";
        if (command.starts_with("F ")) {
            dialHz = std::stoll(command.substr(2));
            return "RPRT 0\n";
        }
        return "RPRT -11\n";
    }

    bool closed = false;
};
