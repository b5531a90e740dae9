#pragma once
// Memory for secrets: keys and passwords live in sodium-allocated memory (guarded, kept out of
// swap where the system allows) and are wiped when cleared or destroyed.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::store {

// Makes sure libsodium is initialised; cheap after the first call.
void ensureSodium();

class SecretBytes {
public:
    SecretBytes() = default;
    explicit SecretBytes(size_t size);
    ~SecretBytes();
    SecretBytes(SecretBytes&& other) noexcept;
    SecretBytes& operator=(SecretBytes&& other) noexcept;
    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;

    unsigned char* data() { return data_; }
    const unsigned char* data() const { return data_; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear();

private:
    unsigned char* data_ = nullptr;
    size_t size_ = 0;
};

// A text secret such as a password.
class SecretText {
public:
    SecretText() = default;
    explicit SecretText(std::string_view text) { assign(text); }
    void assign(std::string_view text);
    std::string_view view() const {
        return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()};
    }
    bool empty() const { return bytes_.empty(); }
    void clear() { bytes_.clear(); }

private:
    SecretBytes bytes_;
};

// Overwrites a std::string's buffer before it is cleared (for transient copies of secrets).
void wipe(std::string& s);

} // namespace quorvel::store
