#include "atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

[[noreturn]] void fail(int error, const std::string& what, const std::string& path)
{
    throw std::system_error(error, std::generic_category(), what + " '" + path + "'");
}

mode_t processUmask()
{
    // umask can only be read by setting it; do it once, before any thread writes files.
    static const mode_t mask = [] {
        const mode_t m = ::umask(022);
        ::umask(m);
        return m;
    }();
    return mask;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

void writeAll(int fd, const char* data, std::size_t size, const std::string& path)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno, "cannot write", path);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

} // namespace

void writeFileAtomically(const std::string& path, const void* data, std::size_t size)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // A hidden name keeps the temporary out of photo and file listings. It is cut so it
    // stays within the file system's limit even when the target's name is at it.
    long nameMax = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (nameMax < 16)
        nameMax = NAME_MAX;
    const std::size_t room = static_cast<std::size_t>(nameMax) - std::strlen("..XXXXXX");
    std::string temp = folder + "." + name.substr(0, room) + ".XXXXXX";
    std::vector<char> templ(temp.begin(), temp.end());
    templ.push_back('\0');
    FileDescriptor fd(::mkostemp(templ.data(), O_CLOEXEC));
    if (fd.get() < 0)
        fail(errno, "cannot create", path);
    temp.assign(templ.data());
    try {
        // mkstemp creates 0600; give the file the mode a plain create would.
        struct stat existing {};
        const mode_t mode = ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)
            ? (existing.st_mode & 07777)
            : (0666 & ~processUmask());
        if (::fchmod(fd.get(), mode) != 0)
            fail(errno, "cannot set the mode of", path);
        writeAll(fd.get(), static_cast<const char*>(data), size, path);
        if (::close(fd.release()) != 0)
            fail(errno, "cannot write", path);
        if (::rename(temp.c_str(), path.c_str()) != 0)
            fail(errno, "cannot replace", path);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

std::string readWholeFile(const std::string& path)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        fail(errno, "cannot open", path);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        fail(errno, "cannot read", path);
    if (!S_ISREG(info.st_mode))
        fail(S_ISDIR(info.st_mode) ? EISDIR : EINVAL, "not a regular file:", path);
    // Read straight into the result; a file that grows meanwhile is read to its end.
    std::string content(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == content.size())
            content.resize(content.size() + (1 << 16));
        const ssize_t n = ::read(fd.get(), content.data() + filled, content.size() - filled);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno, "cannot read", path);
        }
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    content.resize(filled);
    return content;
}

void copyFileAtomically(const std::string& from, const std::string& to)
{
    const std::string content = readWholeFile(from);
    writeFileAtomically(to, content.data(), content.size());
}

} // namespace common
