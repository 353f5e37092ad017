#include "platform/FileIO.h"

#include "platform/ArchiveException.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace FileIO {
namespace {

std::atomic<long long> g_failAfter{-1};

std::string ErrnoText(const std::string& what, const std::string& path)
{
    return what + " \"" + path + "\": " + std::strerror(errno);
}

}  // namespace

std::vector<BYTE> ReadWholeFile(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw CFileException(path, ErrnoText("Cannot open", path));
    std::vector<BYTE> data;
    BYTE buf[65536];
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, f);
        data.insert(data.end(), buf, buf + n);
        if (n < sizeof buf) {
            const bool failed = std::ferror(f) != 0;
            std::fclose(f);
            if (failed)
                throw CFileException(path, "Cannot read \"" + path + "\".");
            break;
        }
    }
    return data;
}

void WriteFileSafely(const std::string& path, const std::vector<BYTE>& bytes)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    // The rename would replace a read-only file (it needs only the folder's
    // permission): refuse as a write into that file would.
    std::error_code ec;
    const bool refused = FileExists(path) ? !CanReplaceFile(path)
                                          : fs::is_directory(dir, ec) && !IsWritableByPermissionBits(dir.string());
    if (refused) {
        errno = EACCES;
        throw CFileException(path, ErrnoText("Cannot write", path));
    }
    std::string hidden = ".";
    hidden += target.filename().string();
    hidden += ".XXXXXX";
    std::string tmpl = (dir / hidden).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        throw CFileException(path, ErrnoText("Cannot create a file beside", path));

    auto fail = [&](const std::string& msg) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        throw CFileException(path, msg);
    };

    // Keep the permissions of the file being replaced, or the usual ones.
    struct stat st {};
    const mode_t mode = (::stat(path.c_str(), &st) == 0) ? (st.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);

    std::size_t written = 0;
    const long long failAfter = g_failAfter.load();
    while (written < bytes.size()) {
        std::size_t chunk = bytes.size() - written;
        if (failAfter >= 0) {
            if (static_cast<long long>(written) >= failAfter) {
                errno = ENOSPC;
                fail(ErrnoText("Cannot write", path));
            }
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(failAfter - static_cast<long long>(written)));
        }
        const ssize_t n = ::write(fd, bytes.data() + written, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(ErrnoText("Cannot write", path));
        }
        written += static_cast<std::size_t>(n);
    }
    if (failAfter >= 0 && static_cast<long long>(bytes.size()) > failAfter) {
        errno = ENOSPC;
        fail(ErrnoText("Cannot write", path));
    }
    if (::fsync(fd) != 0)
        fail(ErrnoText("Cannot write", path));
    if (::close(fd) != 0) {
        ::unlink(tmpl.c_str());
        throw CFileException(path, ErrnoText("Cannot write", path));
    }
    if (std::rename(tmpl.c_str(), path.c_str()) != 0) {
        const std::string msg = ErrnoText("Cannot replace", path);
        ::unlink(tmpl.c_str());
        throw CFileException(path, msg);
    }
}

void SetWriteFaultForTesting(long long failAfterBytes)
{
    g_failAfter.store(failAfterBytes);
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool IsWritableByPermissionBits(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    const uid_t uid = ::geteuid();
    mode_t bit;
    if (uid == st.st_uid) {
        bit = S_IWUSR;
    } else if (uid == 0) {
        bit = S_IWUSR | S_IWGRP | S_IWOTH;
    } else {
        bool member = ::getegid() == st.st_gid;
        if (!member) {
            const int n = ::getgroups(0, nullptr);
            if (n > 0) {
                std::vector<gid_t> groups(static_cast<std::size_t>(n));
                const int got = ::getgroups(n, groups.data());
                for (int i = 0; i < got && !member; ++i)
                    member = groups[static_cast<std::size_t>(i)] == st.st_gid;
            }
        }
        bit = member ? S_IWGRP : S_IWOTH;
    }
    return (st.st_mode & bit) != 0 && ::access(path.c_str(), W_OK) == 0;
}

bool CanReplaceFile(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::path(path).parent_path();
    if (dir.empty())
        dir = ".";
    if (!IsWritableByPermissionBits(dir.string()))
        return false;
    std::error_code ec;
    return !fs::exists(path, ec) || IsWritableByPermissionBits(path);
}

}  // namespace FileIO
