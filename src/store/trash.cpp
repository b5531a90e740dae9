#include "store/trash.hpp"

#include "store/files.hpp"

#include <cctype>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace quorvel::store {

namespace {

std::string percentEncodePath(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string nowText() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &tm);
    return buf;
}

} // namespace

std::optional<std::string> moveToTrash(const fs::path& trash, const fs::path& item) {
    std::error_code ec;
    const fs::path files = trash / "files";
    const fs::path info = trash / "info";
    if (store::makeFolders(files) || store::makeFolders(info)) {
        return std::nullopt;
    }
    const fs::path absolute = fs::absolute(item, ec);
    if (ec) {
        return std::nullopt;
    }
    const std::string stem = item.stem().string();
    const std::string ext = item.extension().string();
    const std::string base = item.filename().string();
    for (int n = 1; n < 10000; ++n) {
        const std::string name = n == 1 ? base : stem + "." + std::to_string(n) + ext;
        const fs::path infoPath = info / (name + ".trashinfo");
        // Claim the name by creating its info file exclusively, as the trash rules require.
        int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return std::nullopt;
        }
        if (fs::exists(files / name, ec)) {
            ::close(fd);
            ::unlink(infoPath.c_str());
            continue;
        }
        std::string body = "[Trash Info]\nPath=" + percentEncodePath(absolute.string()) +
                           "\nDeletionDate=" + nowText() + "\n";
        bool written = ::write(fd, body.data(), body.size()) == static_cast<ssize_t>(body.size());
        ::close(fd);
        if (!written) {
            ::unlink(infoPath.c_str());
            return std::nullopt;
        }
        fs::rename(item, files / name, ec);
        if (ec) {
            // Another file system: copy, then remove the original.
            ec.clear();
            fs::copy(item, files / name, fs::copy_options::recursive, ec);
            if (!ec) {
                fs::remove_all(item, ec);
            }
        }
        if (ec) {
            ::unlink(infoPath.c_str());
            return std::nullopt;
        }
        return name;
    }
    return std::nullopt;
}

} // namespace quorvel::store
