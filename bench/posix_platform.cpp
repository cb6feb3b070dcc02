#include "bench/posix_platform.h"

#include <algorithm>

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

bool PosixPlatform::FileExists(const std::string& name)
{
    struct stat info;
    return stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PosixPlatform::ReadWholeFile(const std::string& name, std::string& out)
{
    return ReadFileInPieces(name, out, [](std::size_t) {});
}

// Pieces small enough to stay in the processor's cache until split.
constexpr std::size_t PieceBytes = 256 * 1024;

bool PosixPlatform::ReadFileInPieces(const std::string& name, std::string& out,
                                     const std::function<void(std::size_t)>& filled)
{
    const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0;
    // Sized once from the file, so the buffer never regrows; a file that
    // grows meanwhile is read up to the size seen here.
    const std::size_t size = ok ? static_cast<std::size_t>(info.st_size) : 0;
    if (size > out.capacity()) {
        std::string().swap(out);  // its bytes aren't needed: don't copy them
        out.reserve(size + size / 8);
    }
    out.resize(size);
    std::size_t got = 0;
    while (ok && got < size) {
        const ssize_t n = read(fd, out.data() + got, std::min(PieceBytes, size - got));
        if (n < 0)
            ok = false;
        else if (n == 0)
            break;
        else
            filled(got += static_cast<std::size_t>(n));
    }
    out.resize(got);
    close(fd);
    return ok;
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
