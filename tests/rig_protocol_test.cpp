// rigctld's answers read byte by byte: good, error, garbage, partial, none.
#include <gtest/gtest.h>

#include "engine/rig_protocol.h"

TEST(RigProtocol, AnswersOfEveryKind)
{
    using K = RigAnswer::Kind;
    const struct {
        std::string bytes;
        K kind;
        std::int64_t value;
        std::size_t used;
    } cases[] = {
        {"144366000\n", K::Value, 144366000, 10},
        {"144366000\r\nRPRT 0\n", K::Value, 144366000, 11},
        {"144366000.000000\n", K::Value, 144366000, 17},
        {"RPRT 0\n", K::Value, 0, 7},
        {"RPRT -1\n", K::Error, -1, 8},
        {"RPRT -11\n144\n", K::Error, -11, 9},
        {"RPRT 3\n", K::Garbage, 3, 7},
        {"RPRT\n", K::Garbage, 0, 5},
        {"hello\n", K::Garbage, 0, 6},
        {"\n", K::Garbage, 0, 1},
        {"144.366.1\n", K::Garbage, 0, 10},
        {"-144366000\n", K::Garbage, 0, 11},
        {std::string("14\0" "4\n", 5), K::Garbage, 0, 5},
        {"9999999999999\n", K::Garbage, 0, 14},
        {"14436", K::Partial, 0, 0},
        {"RPRT -", K::Partial, 0, 0},
        {std::string(300, '1'), K::Garbage, 0, 300},
        {"", K::None, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 20));
        const RigAnswer answer = ReadRigAnswer(c.bytes);
        EXPECT_EQ(answer.kind, c.kind);
        if (c.kind == K::Value || c.kind == K::Error) {
            EXPECT_EQ(answer.value, c.value);
        }
        EXPECT_EQ(answer.used, c.used);
        EXPECT_EQ(answer.kind == K::Garbage, !answer.line.empty() || c.bytes[0] == '\n');
    }
    EXPECT_EQ(RigSetCommand(144366000), "F 144366000\n");
}
