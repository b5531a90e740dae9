#pragma once
// Small services of the desktop: the browser, the beep, HTTP.

#include <functional>
#include <string>
#include <string_view>

namespace quorvel::platform {

class Services {
public:
    virtual ~Services() = default;
    // Hands a web address to the browser.
    virtual void openUrl(std::string_view url) = 0;
    // The system beep.
    virtual void beep() = 0;
};

// An asynchronous HTTP GET; the callback runs on the event thread with the status code (0 when
// the transfer failed) and the body.
class Http {
public:
    virtual ~Http() = default;
    using Done = std::function<void(int status, std::string body)>;
    virtual void get(std::string_view url, Done done) = 0;
};

} // namespace quorvel::platform
