#include "bench/posix_platform.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

bool PosixPlatform::FileExists(const std::string& name)
{
    struct stat info;
    return stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Handles are descriptors plus one, so that descriptor 0 is not NoFile.
FileHandle PosixPlatform::OpenForReading(const std::string& name)
{
    const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
    return fd < 0 ? NoFile : static_cast<FileHandle>(fd) + 1;
}

bool PosixPlatform::ReadFileAt(FileHandle file, std::uint64_t offset, char* into, std::size_t size,
                               std::size_t& got)
{
    const ssize_t n = pread(static_cast<int>(file - 1), into, size, static_cast<off_t>(offset));
    got = n > 0 ? static_cast<std::size_t>(n) : 0;
    return n >= 0;
}

bool PosixPlatform::FileSize(FileHandle file, std::uint64_t& size)
{
    struct stat info;
    if (fstat(static_cast<int>(file - 1), &info) != 0)
        return false;
    size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool PosixPlatform::DeleteFile(const std::string& name) { return unlink(name.c_str()) == 0; }

bool PosixPlatform::CreateEmptyFile(const std::string& name)
{
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

FileHandle PosixPlatform::OpenForAppend(const std::string& name)
{
    const int fd = open(name.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    return fd < 0 ? NoFile : static_cast<FileHandle>(fd) + 1;
}

bool PosixPlatform::WriteFile(FileHandle file, const char* data, std::size_t size)
{
    return write(static_cast<int>(file - 1), data, size) == static_cast<ssize_t>(size);
}

void PosixPlatform::CloseFile(FileHandle file) { close(static_cast<int>(file - 1)); }

int PosixPlatform::CompareNoCase(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str());
}
