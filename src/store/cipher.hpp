#pragma once
// The field cipher: every value the program stores enciphered becomes one line of standard
// Base64 holding a format byte, a random nonce and the XChaCha20-Poly1305 ciphertext with its
// tag. Two keys exist: the user-list key (the program's pass phrase and the installation code)
// and the user-data key (the signed-in user's password and the installation code).

#include "store/secret.hpp"

#include <string>
#include <string_view>

namespace quorvel::store {

class Key {
public:
    static constexpr size_t kSize = 32;

    Key() = default;
    bool valid() const { return !bytes_.empty(); }
    void clear() { bytes_.clear(); }
    const unsigned char* data() const { return bytes_.data(); }

    // The user-list key. Its pass phrase is written in the program, so a slow derivation would
    // buy nothing: a keyed generic hash keeps start-up instant.
    static Key forUserList(std::string_view installationCode);

    // The user-data key: Argon2id (interactive limits) over password + installation code, with a
    // salt derived from the code. Slow on purpose; derive it once per sign-in.
    static Key forUserData(std::string_view password, std::string_view installationCode);

    // A key from raw bytes (tests and tools).
    static Key fromBytes(const unsigned char* bytes);

private:
    SecretBytes bytes_;
};

// The stored form of plain under key: one Base64 line, a fresh nonce each time.
std::string encryptLine(const Key& key, std::string_view plain);

// Deciphers a stored line. Never fails: a line that does not authenticate (wrong key, damaged,
// never enciphered) gives the empty text, and *ok (when given) tells whether it authenticated.
std::string decryptLine(const Key& key, std::string_view line, bool* ok = nullptr);

// Standard Base64 without line breaks.
std::string base64Encode(std::string_view bytes);
// nullopt-like: returns false when the text is not valid Base64.
bool base64Decode(std::string_view text, std::string& out);

// Password verifiers (Argon2id password-hash strings with their own random salt).
std::string makePasswordVerifier(std::string_view password);
bool checkPasswordVerifier(std::string_view verifier, std::string_view password);

} // namespace quorvel::store
