#include "engine/io/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/core/TextParse.h"

namespace ReEng {

namespace {

// Closes the descriptor on every path out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

#ifdef _WIN32
// No FIFOs or terminals to guard against there; the bytes as they are, with
// no translation of line ends.
constexpr int kOpenFlags = O_RDONLY | O_BINARY;
#else
// Non-blocking, so opening a FIFO nobody writes to returns at once.
constexpr int kOpenFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
#endif

std::string Limit(std::size_t bytes) {
    return bytes % (1024 * 1024) == 0 ? std::to_string(bytes / (1024 * 1024)) + " MiB"
                                      : std::to_string(bytes) + " bytes";
}

}  // namespace

FileReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& text, std::string& error) {
    text.clear();
    const std::string name = "'" + Printable(path) + "'";
    auto fail = [&](FileReadResult result, const std::string& what) {
        text.clear();
        error = name + ": " + what;
        return result;
    };
    const FileDescriptor fd(open(path.c_str(), kOpenFlags));
    if (fd.Get() < 0) {
        const int why = errno;
        return fail(why == ENOENT || why == ENOTDIR ? FileReadResult::Missing : FileReadResult::Unreadable,
                    std::strerror(why));
    }
    struct stat info {};
    if (fstat(fd.Get(), &info) != 0) return fail(FileReadResult::Unreadable, std::strerror(errno));
    if (!S_ISREG(info.st_mode)) {
        return fail(FileReadResult::NotRegular, S_ISDIR(info.st_mode) ? "is a directory" : "is not a regular file");
    }
    const std::string tooLarge = "is larger than " + Limit(maxBytes);
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) return fail(FileReadResult::TooLarge, tooLarge);

    // The file may grow while it is read: never take more than the limit.
    text.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == text.size()) {
            if (got > maxBytes) return fail(FileReadResult::TooLarge, tooLarge);
            text.resize(std::min(maxBytes + 1, got * 2 + 4096));
        }
        const ssize_t n = read(fd.Get(), &text[got], text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(FileReadResult::Unreadable, std::strerror(errno));
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got > maxBytes) return fail(FileReadResult::TooLarge, tooLarge);
    text.resize(got);
    return FileReadResult::Ok;
}

}  // namespace ReEng
