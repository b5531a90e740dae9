#include "store/secret.hpp"

#include <sodium.h>

#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

namespace quorvel::store {

void ensureSodium() {
    static const int result = sodium_init();
    if (result < 0) {
        throw std::runtime_error("libsodium could not be initialised");
    }
}

SecretBytes::SecretBytes(size_t size) {
    ensureSodium();
    if (size == 0) {
        return;
    }
    data_ = static_cast<unsigned char*>(sodium_malloc(size));
    if (data_ == nullptr) {
        throw std::bad_alloc();
    }
    size_ = size;
}

SecretBytes::~SecretBytes() { clear(); }

SecretBytes::SecretBytes(SecretBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

SecretBytes& SecretBytes::operator=(SecretBytes&& other) noexcept {
    if (this != &other) {
        clear();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void SecretBytes::clear() {
    if (data_ != nullptr) {
        sodium_free(data_); // wipes before freeing
    }
    data_ = nullptr;
    size_ = 0;
}

void SecretText::assign(std::string_view text) {
    SecretBytes bytes(text.size());
    if (!text.empty()) {
        std::memcpy(bytes.data(), text.data(), text.size());
    }
    bytes_ = std::move(bytes);
}

void wipe(std::string& s) {
    if (!s.empty()) {
        sodium_memzero(s.data(), s.size());
    }
    s.clear();
}

} // namespace quorvel::store
