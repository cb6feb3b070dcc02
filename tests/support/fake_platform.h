// In-process platform services for tests: settable clocks, files in memory
// (with folders, locks and failures), recorded message boxes and an
// in-memory settings file with the profile-file reading rules.
#pragma once
#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "engine/second_clock.h"
#include "ports/platform.h"

class FakePlatform : public Platform {
public:
    LocalTime now;
    UtcTime utcNow;
    int zoneSeconds = 0;  // local time minus UTC, for SetClocks
    std::map<std::string, std::string> files;
    std::set<std::string> folders;          // names that are folders, not files
    std::set<std::string> readLocked;       // held open for writing by another program
    std::set<std::string> cannotCreate;     // creating or opening fails
    std::set<std::string> cannotDelete;
    std::set<std::string> outOfMemory;      // reading throws std::bad_alloc
    std::map<FileHandle, std::string> openFiles;  // open for appending
    std::map<FileHandle, std::string> readers;    // open for reading
    FileHandle nextHandle = 100;
    int readCount = 0;                      // files opened for reading
    std::size_t pieceSize = 5;              // most bytes one read gives: small pieces find splitting faults
    std::size_t readFailsAt = std::string::npos;  // a read of a byte from here on fails
    std::size_t readThrowsAt = std::string::npos; // a read of a byte from here on throws std::bad_alloc
    std::uint64_t lowestRead = UINT64_MAX;  // the first byte any read asked for
    std::vector<std::string> deleted;       // every deletion asked for, in order
    std::set<std::string> cannotReplace;    // a full disk or a locked file: ReplaceFileWith fails
    std::vector<std::string> replaced;      // every file ReplaceFileWith rewrote, in order

    std::vector<std::string> messages;      // every ShowMessage text, in order
    std::vector<std::string> questions;
    std::vector<std::pair<std::string, std::string>> errors;
    bool answerOk = true;
    // Runs while a box is open, as the timer would inside its message loop.
    std::function<void()> whileBoxOpen;

    std::string exeDir = "C:\\tavrix\\";
    // path -> section -> key (lower-cased) -> raw value as stored in the file
    std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> ini;
    std::vector<std::string> settingReads;   // keys, in the order read
    std::vector<std::string> settingWrites;  // "key=value", in the order written
    std::set<std::string> unwritableKeys;

    // Both clocks at local hh:mm:ss of the local day.
    void SetClocks(int h, int m, int s)
    {
        now.hour = h, now.minute = m, now.second = s;
        utcNow = AddSeconds(now, -zoneSeconds);
    }

    LocalTime Now() override { return now; }
    UtcTime UtcNow() override { return utcNow; }

    bool FileExists(const std::string& name) override
    {
        return files.count(name) && !folders.count(name);
    }
    FileHandle OpenForReading(const std::string& name) override
    {
        ++readCount;
        if (outOfMemory.count(name))
            throw std::bad_alloc();
        if (!FileExists(name) || readLocked.count(name))
            return NoFile;
        readers[nextHandle] = name;
        return nextHandle++;
    }
    bool ReadFileAt(FileHandle file, std::uint64_t offset, char* into, std::size_t size,
                    std::size_t& got) override
    {
        got = 0;
        auto it = readers.find(file);
        if (it == readers.end())
            return false;
        const std::string& bytes = files[it->second];
        if (offset < bytes.size())
            got = std::min({size, pieceSize, bytes.size() - static_cast<std::size_t>(offset)});
        lowestRead = std::min(lowestRead, offset);
        if (got > 0 && offset + got > readFailsAt)
            return false;
        if (got > 0 && offset + got > readThrowsAt)
            throw std::bad_alloc();
        std::copy_n(bytes.data() + offset, got, into);
        return true;
    }
    bool FileSize(FileHandle file, std::uint64_t& size) override
    {
        auto it = readers.find(file);
        if (it == readers.end())
            return false;
        size = files[it->second].size();
        return true;
    }
    bool DeleteFile(const std::string& name) override
    {
        deleted.push_back(name);
        if (!FileExists(name) || cannotDelete.count(name) || readLocked.count(name))
            return false;
        files.erase(name);
        return true;
    }
    bool CreateEmptyFile(const std::string& name) override
    {
        if (name.empty() || cannotCreate.count(name) || folders.count(name))
            return false;
        files.emplace(name, std::string());
        return true;
    }
    FileHandle OpenForAppend(const std::string& name) override
    {
        if (!FileExists(name) || cannotCreate.count(name))
            return NoFile;
        openFiles[nextHandle] = name;
        return nextHandle++;
    }
    bool WriteFile(FileHandle file, const char* data, std::size_t size) override
    {
        auto it = openFiles.find(file);
        if (it == openFiles.end())
            return false;
        files[it->second].append(data, size);
        return true;
    }
    void CloseFile(FileHandle file) override
    {
        openFiles.erase(file);
        readers.erase(file);
    }

    bool ReplaceFileWith(const std::string& name, const std::string& bytes) override
    {
        if (cannotReplace.count(name) || readLocked.count(name) || folders.count(name))
            return false;
        files[name] = bytes;
        replaced.push_back(name);
        return true;
    }

    void ShowMessage(const std::string& text) override
    {
        messages.push_back(text);
        if (whileBoxOpen)
            whileBoxOpen();
    }
    bool AskOkCancel(const std::string& text) override
    {
        questions.push_back(text);
        if (whileBoxOpen)
            whileBoxOpen();
        return answerOk;
    }
    void ShowError(const std::string& title, const std::string& text) override
    {
        errors.emplace_back(title, text);
    }

    std::string ExeDirectory() override { return exeDir; }

    static std::string Lower(std::string s)
    {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    }
    std::string ReadSetting(const std::string& path, const std::string& section,
                            const std::string& key, const std::string& fallback) override
    {
        settingReads.push_back(key);
        auto file = ini.find(path);
        if (file == ini.end())
            return fallback;
        auto sect = file->second.find(Lower(section));
        if (sect == file->second.end())
            return fallback;
        auto it = sect->second.find(Lower(key));
        if (it == sect->second.end())
            return fallback;
        std::string v = it->second;
        const auto first = v.find_first_not_of(' ');
        v = first == std::string::npos ? std::string() : v.substr(first, v.find_last_not_of(' ') - first + 1);
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        if (v.size() > 2047)
            v.resize(2047);
        return v;
    }
    bool WriteSetting(const std::string& path, const std::string& section,
                      const std::string& key, const std::string& value) override
    {
        if (unwritableKeys.count(key))
            return false;
        settingWrites.push_back(key + "=" + value);
        ini[path][Lower(section)][Lower(key)] = value;
        return true;
    }

    std::vector<std::string> opened;    // every OpenDocument, in order
    bool OpenDocument(const std::string& path) override
    {
        opened.push_back(path);
        return files.count(path) != 0;
    }
    bool keptAwake = false;             // the request stands
    std::vector<bool> awakeRequests;    // every KeepSystemAwake, in order
    void KeepSystemAwake(bool awake) override
    {
        keptAwake = awake;
        awakeRequests.push_back(awake);
    }

    // Byte order ignoring ASCII case: a documented stand-in for the locale's
    // collation.
    int CompareNoCase(const std::string& a, const std::string& b) override
    {
        const std::string la = Lower(a), lb = Lower(b);
        return la < lb ? -1 : la > lb ? 1 : 0;
    }
};
