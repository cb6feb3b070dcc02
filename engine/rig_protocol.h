// Hamlib rigctld's text protocol, as far as Tavrix speaks it: the commands
// that read and set the radio's frequency, and a reader of the answers.
// Pure functions of bytes; the connection is engine/rig.h's.
//
// The wire, one command a line, LF-ended:
//   "f\n"        answer: the frequency in Hz on a line of its own, e.g. "144366000\n"
//   "F 144366000\n"  answer: "RPRT 0\n"
// Either may instead be answered "RPRT -N\n", N a Hamlib error code.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The command that reads the frequency.
constexpr const char* RigReadCommand = "f\n";
// The command that sets it to `hz`.
std::string RigSetCommand(std::int64_t hz);

// What the bytes received so far hold.
struct RigAnswer {
    enum Kind {
        None,     // nothing yet
        Partial,  // part of a line: wait for more
        Value,    // a number: the frequency in Hz for f, 0 for F's RPRT 0
        Error,    // RPRT with a negative code
        Garbage,  // a whole line that is neither
    } kind = None;
    std::int64_t value = 0;  // Value's number, or Error's code (negative)
    std::size_t used = 0;    // bytes of the answer, line end included
    std::string line;        // Garbage's line, shortened, for the operator
};
// Reads the first answer line of `bytes`. A frequency line of "f" may carry
// decimals ("144366000.000000", as some versions write it): they are
// dropped. "RPRT 0" is a Value of 0.
RigAnswer ReadRigAnswer(std::string_view bytes);
