#include "records/web_address.hpp"

#include "text/text.hpp"

namespace quorvel::records {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && isSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool hasSpaceOrControl(std::string_view s) {
    for (unsigned char c : s) {
        if (c <= 0x20 || c == 0x7f) {
            return true;
        }
    }
    return false;
}

bool startsWithIgnoreCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && text::equalsIgnoreCase(s.substr(0, prefix.size()), prefix);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLabelChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '-' ||
           static_cast<unsigned char>(c) >= 0x80; // letters of international host names
}

// A host name of at least two dot-separated labels (none empty, none starting or ending with
// "-"), optionally followed by ":port".
bool isBareHost(std::string_view host) {
    if (auto colon = host.find(':'); colon != std::string_view::npos) {
        std::string_view port = host.substr(colon + 1);
        if (port.empty() || port.size() > 5) {
            return false;
        }
        for (char c : port) {
            if (!isDigit(c)) {
                return false;
            }
        }
        host = host.substr(0, colon);
    }
    size_t labels = 0;
    while (true) {
        const size_t dot = host.find('.');
        std::string_view label = host.substr(0, dot);
        if (label.empty() || label.front() == '-' || label.back() == '-') {
            return false;
        }
        for (char c : label) {
            if (!isLabelChar(c)) {
                return false;
            }
        }
        ++labels;
        if (dot == std::string_view::npos) {
            break;
        }
        host.remove_prefix(dot + 1);
    }
    return labels >= 2;
}

} // namespace

std::optional<std::string> webAddressToOpen(std::string_view input) {
    const std::string_view s = trimmed(input);
    if (s.empty() || hasSpaceOrControl(s)) {
        return std::nullopt;
    }
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (startsWithIgnoreCase(s, scheme)) {
            if (s.size() == scheme.size() || s[scheme.size()] == '/') {
                return std::nullopt; // no host
            }
            return std::string(s);
        }
    }
    const std::string_view host = s.substr(0, s.find_first_of("/?#"));
    if (!isBareHost(host)) {
        return std::nullopt;
    }
    return "http://" + std::string(s);
}

} // namespace quorvel::records
