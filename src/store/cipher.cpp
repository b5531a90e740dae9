#include "store/cipher.hpp"

#include <sodium.h>

#include <cstdint>
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
    crypto_generichash(
        salt, sizeof salt, reinterpret_cast<const unsigned char*>(installationCode.data()),
        installationCode.size(), reinterpret_cast<const unsigned char*>(kSaltContext.data()),
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

// Base64 is written here rather than taken from libsodium: sodium's codec runs in constant time,
// which costs about 0.5 microseconds per stored line and would alone use half of the time a line
// may take to decipher. What it codes is ciphertext, not a secret, so a table lookup is safe.
namespace {

constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

struct Base64Table {
    unsigned char value[256];
    constexpr Base64Table() : value() {
        for (auto& v : value) {
            v = 0xff;
        }
        for (unsigned i = 0; i < 64; ++i) {
            value[static_cast<unsigned char>(kBase64Alphabet[i])] = static_cast<unsigned char>(i);
        }
    }
};
constexpr Base64Table kBase64Values;

} // namespace

std::string base64Encode(std::string_view bytes) {
    std::string out((bytes.size() + 2) / 3 * 4, '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    char* o = out.data();
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t v = (uint32_t{in[i]} << 16) | (uint32_t{in[i + 1]} << 8) | in[i + 2];
        *o++ = kBase64Alphabet[v >> 18];
        *o++ = kBase64Alphabet[(v >> 12) & 63];
        *o++ = kBase64Alphabet[(v >> 6) & 63];
        *o++ = kBase64Alphabet[v & 63];
    }
    if (const size_t rest = bytes.size() - i; rest > 0) {
        const uint32_t v = (uint32_t{in[i]} << 16) | (rest == 2 ? uint32_t{in[i + 1]} << 8 : 0);
        *o++ = kBase64Alphabet[v >> 18];
        *o++ = kBase64Alphabet[(v >> 12) & 63];
        *o++ = rest == 2 ? kBase64Alphabet[(v >> 6) & 63] : '=';
        *o++ = '=';
    }
    return out;
}

bool base64Decode(std::string_view text, std::string& out) {
    out.clear();
    if (text.size() % 4 != 0) {
        return false;
    }
    size_t padding = 0;
    if (!text.empty() && text.back() == '=') {
        padding = text[text.size() - 2] == '=' ? 2 : 1;
    }
    out.resize(text.size() / 4 * 3 - padding);
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    auto* o = reinterpret_cast<unsigned char*>(out.data());
    const size_t whole = text.size() - (padding > 0 ? 4 : 0);
    uint32_t bad = 0;
    size_t i = 0;
    for (; i < whole; i += 4) {
        const uint32_t a = kBase64Values.value[in[i]], b = kBase64Values.value[in[i + 1]],
                       c = kBase64Values.value[in[i + 2]], d = kBase64Values.value[in[i + 3]];
        bad |= a | b | c | d;
        const uint32_t v = (a << 18) | (b << 12) | (c << 6) | d;
        *o++ = static_cast<unsigned char>(v >> 16);
        *o++ = static_cast<unsigned char>(v >> 8);
        *o++ = static_cast<unsigned char>(v);
    }
    if (padding > 0) {
        const uint32_t a = kBase64Values.value[in[i]], b = kBase64Values.value[in[i + 1]];
        const uint32_t c = padding == 1 ? kBase64Values.value[in[i + 2]] : 0;
        bad |= a | b | c;
        const uint32_t v = (a << 18) | (b << 12) | (c << 6);
        // The bits after the last byte must be zero, so that every value has one text only.
        bad |= (padding == 2 ? v & 0xffff : v & 0xff) != 0 ? 0xff : 0;
        *o++ = static_cast<unsigned char>(v >> 16);
        if (padding == 1) {
            *o++ = static_cast<unsigned char>(v >> 8);
        }
    }
    if (bad > 63) {
        out.clear();
        return false;
    }
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
    crypto_aead_xchacha20poly1305_ietf_encrypt(p + 1 + kNonce, &clen,
                                               reinterpret_cast<const unsigned char*>(plain.data()),
                                               plain.size(), p, 1, nullptr, p + 1, key.data());
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
    if (crypto_pwhash_str(out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
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
