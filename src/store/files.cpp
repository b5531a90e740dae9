#include "store/files.hpp"

#include "text/text.hpp"

#include <sodium.h>

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::store {

namespace {

std::mutex g_hookMutex;
FaultHook g_hook;

bool injectFault(std::string_view step, const fs::path& path) {
    FaultHook hook;
    {
        std::lock_guard lock(g_hookMutex);
        hook = g_hook;
    }
    return hook && hook(step, path);
}

std::error_code lastError() {
    return {errno, std::generic_category()};
}
std::error_code injectedError() {
    return {EIO, std::generic_category()};
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

std::error_code writeAll(int fd, std::string_view data, const fs::path& path) {
    if (injectFault("write", path)) {
        return injectedError();
    }
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return {};
}

std::error_code syncFd(int fd, const fs::path& path) {
    if (injectFault("fsync", path)) {
        return injectedError();
    }
    if (::fsync(fd) != 0) {
        return lastError();
    }
    return {};
}

std::error_code syncFolder(const fs::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return lastError();
    }
    Fd guard(fd);
    if (::fsync(fd) != 0 && errno != EINVAL) {
        return lastError();
    }
    return {};
}

std::string randomSuffix() {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string s(12, 'x');
    for (char& c : s) {
        c = kChars[randombytes_uniform(sizeof(kChars) - 1)];
    }
    return s;
}

} // namespace

void setFaultHook(FaultHook hook) {
    std::lock_guard lock(g_hookMutex);
    g_hook = std::move(hook);
}

std::optional<std::string> readFile(const fs::path& path, std::error_code& ec) {
    ec.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        ec = lastError();
        return std::nullopt;
    }
    Fd guard(fd);
    std::string out;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        out.reserve(static_cast<size_t>(st.st_size));
    }
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ec = lastError();
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        out.append(buf, static_cast<size_t>(n));
    }
    return out;
}

std::optional<std::string> readFile(const fs::path& path) {
    std::error_code ec;
    return readFile(path, ec);
}

std::vector<std::string> readLines(const fs::path& path, bool* existed, bool dropUnterminated) {
    std::error_code ec;
    auto content = readFile(path, ec);
    if (existed != nullptr) {
        *existed = content.has_value();
    }
    if (!content) {
        return {};
    }
    return text::splitLines(*content, dropUnterminated);
}

bool exists(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::error_code replaceAtomically(const fs::path& path, std::string_view content) {
    const fs::path folder = path.parent_path();
    fs::path temp;
    int fd = -1;
    if (injectFault("open", path)) {
        return injectedError();
    }
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = folder / (std::string(kTempPrefix) + randomSuffix());
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) {
            return lastError();
        }
    }
    if (fd < 0) {
        return lastError();
    }
    Fd guard(fd);
    std::error_code ec = writeAll(fd, content, path);
    if (!ec) {
        ec = syncFd(fd, path);
    }
    if (!ec && ::close(guard.release()) != 0) {
        ec = lastError();
    }
    if (!ec && injectFault("rename", path)) {
        ec = injectedError();
    }
    if (!ec && ::rename(temp.c_str(), path.c_str()) != 0) {
        ec = lastError();
    }
    if (ec) {
        ::unlink(temp.c_str());
        return ec;
    }
    return syncFolder(folder);
}

std::error_code appendDurable(const fs::path& path, std::string_view content) {
    if (injectFault("open", path)) {
        return injectedError();
    }
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return lastError();
    }
    Fd guard(fd);
    if (auto ec = writeAll(fd, content, path)) {
        return ec;
    }
    if (auto ec = syncFd(fd, path)) {
        return ec;
    }
    if (::close(guard.release()) != 0) {
        return lastError();
    }
    return {};
}

std::error_code createIfMissing(const fs::path& path) {
    if (injectFault("open", path)) {
        return injectedError();
    }
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST) {
            return {};
        }
        return lastError();
    }
    Fd guard(fd);
    if (auto ec = syncFd(fd, path)) {
        return ec;
    }
    return syncFolder(path.parent_path());
}

std::optional<std::uintmax_t> fileSize(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uintmax_t>(st.st_size);
}

std::error_code truncateTo(const fs::path& path, std::uintmax_t size) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return lastError();
    }
    Fd guard(fd);
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        return lastError();
    }
    if (::fsync(fd) != 0) {
        return lastError();
    }
    return {};
}

std::error_code trimTornLastLine(const fs::path& path) {
    std::error_code ec;
    auto content = readFile(path, ec);
    if (!content) {
        return ec.value() == ENOENT ? std::error_code{} : ec;
    }
    if (content->empty() || content->back() == '\n' || content->back() == '\r') {
        return {};
    }
    size_t keep = content->find_last_of("\r\n");
    return truncateTo(path, keep == std::string::npos ? 0 : keep + 1);
}

std::error_code renameDurable(const fs::path& from, const fs::path& to) {
    if (injectFault("rename", to)) {
        return injectedError();
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return lastError();
    }
    return syncFolder(to.parent_path());
}

std::error_code removeFile(const fs::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return lastError();
    }
    return {};
}

std::error_code makeFolders(const fs::path& path) {
    if (path.empty()) {
        return {};
    }
    fs::path current;
    for (const auto& part : path) {
        current /= part;
        if (part == current.root_path() || part.empty()) {
            continue;
        }
        if (::mkdir(current.c_str(), 0700) != 0 && errno != EEXIST) {
            return lastError();
        }
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return std::make_error_code(std::errc::not_a_directory);
    }
    return {};
}

std::optional<fs::path> Folder::fileByName(std::string_view name) const {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos ||
        name.find('\0') != std::string_view::npos || name.size() > 255) {
        return std::nullopt;
    }
    return root_ / fs::path(std::string(name));
}

} // namespace quorvel::store

namespace quorvel::store {

std::error_code deleteDirectoryContents(const fs::path& folder, bool deleteSelf) {
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(folder, ec))) {
        return {};
    }
    std::vector<fs::path> items;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        items.push_back(it->path());
    }
    if (ec) {
        return ec;
    }
    std::error_code first;
    for (const fs::path& item : items) {
        std::error_code itemEc;
        if (fs::is_directory(fs::symlink_status(item, itemEc))) {
            if (auto e = deleteDirectoryContents(item, true); e && !first) {
                first = e;
            }
        } else if (!fs::remove(item, itemEc) && itemEc && !first) {
            first = itemEc;
        }
    }
    if (deleteSelf && !fs::remove(folder, ec) && ec && !first) {
        first = ec;
    }
    return first;
}

} // namespace quorvel::store
