// Win32Platform against the real kernel32 under Wine: file sharing, append,
// creation, deletion, the profile-file rules and collation.
#include <windows.h>

#include "ports/platform_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A fresh folder for each test, under the test's own folder.
class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* testDir = getenv("TEST_DIR");
        ASSERT_NE(testDir, nullptr);
        dir = "Z:" + std::string(testDir) + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : dir)
            if (c == '/')
                c = '\\';
        CreateDirectoryA(dir.c_str(), nullptr);
        dir += "\\";
    }
    void Put(const std::string& name, const std::string& content)
    {
        HANDLE file = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    std::string Get(const std::string& name)
    {
        std::string content;
        EXPECT_TRUE(platform.ReadWholeFile(dir + name, content)) << name;
        return content;
    }
    HANDLE Hold(const std::string& name, DWORD access, DWORD share)
    {
        return CreateFileA((dir + name).c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    Win32Platform platform;
    std::string dir;
};

TEST_F(PlatformTest, AFolderIsNotAFile)
{
    Put("f.txt", "x");
    CreateDirectoryA((dir + "sub").c_str(), nullptr);
    EXPECT_TRUE(platform.FileExists(dir + "f.txt"));
    EXPECT_FALSE(platform.FileExists(dir + "sub"));
    EXPECT_FALSE(platform.FileExists(dir + "missing.txt"));
    EXPECT_FALSE(platform.FileExists(""));
    std::string content;
    EXPECT_FALSE(platform.ReadWholeFile(dir + "sub", content));
    EXPECT_FALSE(platform.CreateEmptyFile(dir + "sub"));
}

TEST_F(PlatformTest, ReadsEveryByteAndKeepsWritersOut)
{
    const std::string bytes("a\r\nb\0c\rd\n\xff", 10);
    Put("d.cum", bytes);
    EXPECT_EQ(Get("d.cum"), bytes);
    Put("empty.cum", "");
    EXPECT_EQ(Get("empty.cum"), "");

    // Another reader is fine; a program holding the file open for writing
    // makes the read fail rather than see a half-written line.
    HANDLE reader = Hold("d.cum", GENERIC_READ, FILE_SHARE_READ);
    EXPECT_EQ(Get("d.cum"), bytes);
    CloseHandle(reader);
    HANDLE writer = Hold("d.cum", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    std::string content = "untouched";
    EXPECT_FALSE(platform.ReadWholeFile(dir + "d.cum", content));
    CloseHandle(writer);
    EXPECT_FALSE(platform.ReadWholeFile(dir + "missing.cum", content));
}

TEST_F(PlatformTest, ReadsAtOffsetsAndKeepsWritersOutUntilClosed)
{
    Put("d.cum", "0123456789");
    const FileHandle file = platform.OpenForReading(dir + "d.cum");
    ASSERT_NE(file, NoFile);
    EXPECT_EQ(Hold("d.cum", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE), INVALID_HANDLE_VALUE);
    struct Case { std::uint64_t offset; std::size_t size; const char* bytes; };
    const Case cases[] = {{6, 8, "6789"}, {2, 3, "234"}, {10, 8, ""}, {50, 8, ""}};  // the end, and past it
    for (const Case& c : cases) {
        char bytes[8];
        std::size_t got = 99;
        EXPECT_TRUE(platform.ReadFileAt(file, c.offset, bytes, c.size, got)) << c.offset;
        EXPECT_EQ(std::string(bytes, got), c.bytes) << c.offset;
    }
    platform.CloseFile(file);
    HANDLE writer = Hold("d.cum", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_NE(writer, INVALID_HANDLE_VALUE);
    CloseHandle(writer);
}

TEST_F(PlatformTest, AppendsAtTheEndWhileOthersReadAndWrite)
{
    EXPECT_EQ(platform.OpenForAppend(dir + "log.txt"), NoFile);  // not created here
    ASSERT_TRUE(platform.CreateEmptyFile(dir + "log.txt"));
    Put("log.txt", "old\r\n");
    ASSERT_TRUE(platform.CreateEmptyFile(dir + "log.txt"));  // an existing file stays as it is
    EXPECT_EQ(Get("log.txt"), "old\r\n");

    const FileHandle log = platform.OpenForAppend(dir + "log.txt");
    ASSERT_NE(log, NoFile);
    EXPECT_TRUE(platform.WriteFile(log, "one\r\n", 5));
    // Another program may read the log, and even append to it, meanwhile.
    HANDLE viewer = Hold("log.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_NE(viewer, INVALID_HANDLE_VALUE);
    CloseHandle(viewer);
    const FileHandle other = platform.OpenForAppend(dir + "log.txt");
    ASSERT_NE(other, NoFile);
    EXPECT_TRUE(platform.WriteFile(other, "two\r\n", 5));
    EXPECT_TRUE(platform.WriteFile(log, "three\r\n", 7));
    platform.CloseFile(other);
    platform.CloseFile(log);
    EXPECT_EQ(Get("log.txt"), "old\r\none\r\ntwo\r\nthree\r\n");

    EXPECT_FALSE(platform.CreateEmptyFile(dir + "no such folder\\log.txt"));
    EXPECT_FALSE(platform.CreateEmptyFile(""));
}

TEST_F(PlatformTest, DeletesOnlyWhatIsThere)
{
    Put("d.cum", "x");
    EXPECT_TRUE(platform.DeleteFile(dir + "d.cum"));
    EXPECT_FALSE(platform.FileExists(dir + "d.cum"));
    EXPECT_FALSE(platform.DeleteFile(dir + "d.cum"));
}

TEST_F(PlatformTest, SettingsFollowTheProfileRules)
{
    const std::string ini = dir + "tavrix.ini";
    Put("tavrix.ini", "; keep me\r\n[Other]\r\nCS=X\r\n[options]\r\nlog = \"c:\\my logs\\t.txt\" \r\nCS=\r\n"
                      "Decoded=" + std::string(3000, 'd') + "\r\n");
    EXPECT_EQ(platform.ReadSetting(ini, "Options", "Log", "def"), "c:\\my logs\\t.txt");
    EXPECT_EQ(platform.ReadSetting(ini, "Options", "CS", "def"), "");  // present but empty
    EXPECT_EQ(platform.ReadSetting(ini, "Options", "TLimit", "30"), "30");  // missing
    EXPECT_EQ(platform.ReadSetting(ini, "Options", "Decoded", ""), std::string(2047, 'd'));
    EXPECT_EQ(platform.ReadSetting(dir + "none.ini", "Options", "CS", "def"), "def");

    EXPECT_TRUE(platform.WriteSetting(ini, "Options", "CS", "Q1ABC"));
    EXPECT_TRUE(platform.WriteSetting(ini, "Options", "TLimit", "-5"));
    EXPECT_EQ(platform.ReadSetting(ini, "OPTIONS", "cs", ""), "Q1ABC");
    EXPECT_EQ(platform.ReadSetting(ini, "Options", "TLimit", ""), "-5");
    EXPECT_EQ(platform.ReadSetting(ini, "Other", "CS", ""), "X");
    EXPECT_EQ(Get("tavrix.ini").rfind("; keep me\r\n", 0), 0u);

    EXPECT_TRUE(platform.WriteSetting(dir + "new.ini", "Options", "CS", "Q9XYZ"));
    EXPECT_EQ(platform.ReadSetting(dir + "new.ini", "Options", "CS", ""), "Q9XYZ");
}

TEST_F(PlatformTest, ExeDirectoryIsTheFolderOfTheRunningProgram)
{
    const std::string exeDir = platform.ExeDirectory();
    ASSERT_FALSE(exeDir.empty());
    EXPECT_EQ(exeDir.back(), '\\');
    EXPECT_TRUE(platform.FileExists(exeDir + "platform_driver.exe"));
}

TEST_F(PlatformTest, ComparesIgnoringCase)
{
    EXPECT_EQ(platform.CompareNoCase("Q1ABC", "q1abc"), 0);
    EXPECT_LT(platform.CompareNoCase("abc", "ABD"), 0);
    EXPECT_GT(platform.CompareNoCase("b", "A"), 0);
    EXPECT_LT(platform.CompareNoCase("AB", "abc"), 0);
    EXPECT_EQ(platform.CompareNoCase("", ""), 0);
}

TEST_F(PlatformTest, ReportsTheLocalClock)
{
    SYSTEMTIME before;
    GetLocalTime(&before);
    const LocalTime now = platform.Now();
    EXPECT_EQ(now.year, before.wYear);
    EXPECT_GE(now.hour, 0);
    EXPECT_LE(now.hour, 23);
    EXPECT_LE(now.second, 59);
}

}  // namespace
