#include "store/places.hpp"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::store {

namespace {

std::optional<std::string> optionValue(const std::vector<std::string>& args,
                                       std::string_view option) {
    std::optional<std::string> found;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == option && i + 1 < args.size()) {
            found = args[i + 1];
            ++i;
        } else if (a.size() > option.size() && a.compare(0, option.size(), option) == 0 &&
                   a[option.size()] == '=') {
            found = a.substr(option.size() + 1);
        }
    }
    return found;
}

std::optional<std::string> nonEmpty(std::optional<std::string> v) {
    if (v && v->empty()) {
        return std::nullopt;
    }
    return v;
}

fs::path homeFolder(const Environment& env) {
    if (auto home = nonEmpty(env("HOME"))) {
        return *home;
    }
    if (const passwd* pw = ::getpwuid(::getuid())) {
        return pw->pw_dir;
    }
    return "/";
}

// The XDG desktop folder: XDG_DESKTOP_DIR from the user-dirs file, else ~/Desktop.
fs::path desktopFolder(const Environment& env, const fs::path& home, const fs::path& config) {
    if (auto v = nonEmpty(env("XDG_DESKTOP_DIR"))) {
        return *v;
    }
    std::ifstream in(config / "user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        const std::string key = "XDG_DESKTOP_DIR=";
        if (line.rfind(key, 0) != 0) {
            continue;
        }
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        if (value.rfind("$HOME", 0) == 0) {
            value = home.string() + value.substr(5);
        }
        if (!value.empty() && value.front() == '/') {
            return value;
        }
    }
    return home / "Desktop";
}

fs::path place(const std::vector<std::string>& args, const Environment& env, const PlaceOption& opt,
               const fs::path& fallback) {
    if (auto v = nonEmpty(optionValue(args, opt.option))) {
        return *v;
    }
    if (auto v = nonEmpty(env(opt.variable))) {
        return *v;
    }
    return fallback;
}

} // namespace

Environment processEnvironment() {
    return [](std::string_view name) -> std::optional<std::string> {
        const char* v = std::getenv(std::string(name).c_str());
        if (v == nullptr) {
            return std::nullopt;
        }
        return std::string(v);
    };
}

Places resolvePlaces(const std::vector<std::string>& args, const Environment& env) {
    const fs::path home = homeFolder(env);
    const fs::path dataHome =
        nonEmpty(env("XDG_DATA_HOME")).value_or((home / ".local/share").string());
    const fs::path configHome =
        nonEmpty(env("XDG_CONFIG_HOME")).value_or((home / ".config").string());
    const fs::path temp = nonEmpty(env("TMPDIR")).value_or("/tmp");

    Places p;
    p.current = place(args, env, kCurrentOption, dataHome / "Quorvel");
    p.data = place(args, env, kDataOption, configHome / "Quorvel");
    p.desktop = place(args, env, kDesktopOption, desktopFolder(env, home, configHome));
    p.trash = place(args, env, kTrashOption, dataHome / "Trash");
    p.temp = place(args, env, kTempOption, temp);
    return p;
}

std::string findAccountName(const fs::path& desktop) {
    struct stat st {};
    uid_t uid = ::getuid();
    if (::stat(desktop.c_str(), &st) == 0) {
        uid = st.st_uid;
    }
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* result = nullptr;
    if (::getpwuid_r(uid, &pw, buf.data(), buf.size(), &result) == 0 && result != nullptr) {
        return result->pw_name;
    }
    if (uid != ::getuid() && ::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &result) == 0 &&
        result != nullptr) {
        return result->pw_name;
    }
    return {};
}

} // namespace quorvel::store
