#include "store/cipher.hpp"

#include <sodium.h>

#include <cstring>
#include <stdexcept>

namespace quorvel::store {

namespace {

constexpr unsigned char kFormat = 0x01;
constexpr size_t kNonce = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr size_t kTag = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr std::string_view kUserListPassPhrase = "zephyrquiltmonarch381";

static_assert(Key::kSize == crypto_aead_xchacha20poly1305_ietf_KEYBYTES);

} // namespace

Key Key::fromBytes(const unsigned char* bytes) {
    Key key;
    key.bytes_ = SecretBytes(kSize);
    std::memcpy(key.bytes_.data(), bytes, kSize);
    return key;
}

Key Key::forUserList(std::string_view installationCode) {
    ensureSodium();
    Key key;
    key.bytes_ = SecretBytes(kSize);
    static constexpr std::string_view kContext = "quorvel user list key v1";
    crypto_generichash_state state;
    crypto_generichash_init(&state, reinterpret_cast<const unsigned char*>(kContext.data()),
                            kContext.size(), kSize);
    crypto_generichash_update(&state,
                              reinterpret_cast<const unsigned char*>(kUserListPassPhrase.data()),
                              kUserListPassPhrase.size());
    crypto_generichash_update(&state,
                              reinterpret_cast<const unsigned char*>(installationCode.data()),
                              installationCode.size());
    crypto_generichash_final(&state, key.bytes_.data(), kSize);
    sodium_memzero(&state, sizeof state);
    return key;
}

Key Key::forUserData(std::string_view password, std::string_view installationCode) {
    ensureSodium();
    // The salt only has to differ between installations; the code is what differs.
    unsigned char salt[crypto_pwhash_SALTBYTES];
    static constexpr std::string_view kSaltContext = "quorvel user data salt v1";
    crypto_generichash(salt, sizeof salt,
                       reinterpret_cast<const unsigned char*>(installationCode.data()),
                       installationCode.size(),
                       reinterpret_cast<const unsigned char*>(kSaltContext.data()),
                       kSaltContext.size());
    SecretBytes input(password.size() + installationCode.size());
    if (!input.empty()) {
        std::memcpy(input.data(), password.data(), password.size());
        std::memcpy(input.data() + password.size(), installationCode.data(),
                    installationCode.size());
    }
    Key key;
    key.bytes_ = SecretBytes(kSize);
    if (crypto_pwhash(key.bytes_.data(), kSize, reinterpret_cast<const char*>(input.data()),
                      input.size(), salt, crypto_pwhash_OPSLIMIT_INTERACTIVE,
                      crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0) {
        throw std::runtime_error("out of memory while deriving a key");
    }
    return key;
}

std::string base64Encode(std::string_view bytes) {
    ensureSodium();
    const size_t len = sodium_base64_encoded_len(bytes.size(), sodium_base64_VARIANT_ORIGINAL);
    std::string out(len, '\0');
    sodium_bin2base64(out.data(), len, reinterpret_cast<const unsigned char*>(bytes.data()),
                      bytes.size(), sodium_base64_VARIANT_ORIGINAL);
    out.resize(len - 1); // drop the terminating NUL
    return out;
}

bool base64Decode(std::string_view text, std::string& out) {
    ensureSodium();
    out.assign(text.size() / 4 * 3 + 3, '\0');
    size_t len = 0;
    if (sodium_base642bin(reinterpret_cast<unsigned char*>(out.data()), out.size(), text.data(),
                          text.size(), nullptr, &len, nullptr,
                          sodium_base64_VARIANT_ORIGINAL) != 0) {
        out.clear();
        return false;
    }
    out.resize(len);
    return true;
}

std::string encryptLine(const Key& key, std::string_view plain) {
    if (!key.valid()) {
        throw std::logic_error("encryptLine without a key");
    }
    std::string raw(1 + kNonce + plain.size() + kTag, '\0');
    auto* p = reinterpret_cast<unsigned char*>(raw.data());
    p[0] = kFormat;
    randombytes_buf(p + 1, kNonce);
    unsigned long long clen = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(
        p + 1 + kNonce, &clen, reinterpret_cast<const unsigned char*>(plain.data()), plain.size(),
        p, 1, nullptr, p + 1, key.data());
    return base64Encode(raw);
}

std::string decryptLine(const Key& key, std::string_view line, bool* ok) {
    if (ok != nullptr) {
        *ok = false;
    }
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' ')) {
        line.remove_suffix(1);
    }
    if (!key.valid() || line.size() < 4) {
        return {};
    }
    std::string raw;
    if (!base64Decode(line, raw) || raw.size() < 1 + kNonce + kTag ||
        static_cast<unsigned char>(raw[0]) != kFormat) {
        return {};
    }
    const auto* p = reinterpret_cast<const unsigned char*>(raw.data());
    std::string plain(raw.size() - 1 - kNonce - kTag, '\0');
    unsigned long long plen = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(
            reinterpret_cast<unsigned char*>(plain.data()), &plen, nullptr, p + 1 + kNonce,
            raw.size() - 1 - kNonce, p, 1, p + 1, key.data()) != 0) {
        return {};
    }
    plain.resize(plen);
    if (ok != nullptr) {
        *ok = true;
    }
    return plain;
}

std::string makePasswordVerifier(std::string_view password) {
    ensureSodium();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, password.data(), password.size(),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
        throw std::runtime_error("out of memory while hashing a password");
    }
    return std::string(out);
}

bool checkPasswordVerifier(std::string_view verifier, std::string_view password) {
    ensureSodium();
    if (verifier.empty() || verifier.size() >= crypto_pwhash_STRBYTES) {
        return false;
    }
    char buf[crypto_pwhash_STRBYTES] = {};
    std::memcpy(buf, verifier.data(), verifier.size());
    return crypto_pwhash_str_verify(buf, password.data(), password.size()) == 0;
}

} // namespace quorvel::store
