#include "store/cipher.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvel;

namespace {

// The user-data key takes a quarter of a second to derive, so the suite derives each key once.
class Cipher : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        listKey = new store::Key(store::Key::forUserList("482915"));
        dataKey = new store::Key(store::Key::forUserData("Secret pass", "482915"));
    }
    static void TearDownTestSuite() {
        delete listKey;
        delete dataKey;
        listKey = dataKey = nullptr;
    }
    static store::Key* listKey;
    static store::Key* dataKey;
};

store::Key* Cipher::listKey = nullptr;
store::Key* Cipher::dataKey = nullptr;

const std::vector<std::string> kTexts = {
    "",
    "  spaces, punctuation: ;!?'\"&<>/\\ and trailing  ",
    "Zoë, Ærøskøbing, 日本語, Привет, 🔑",
    std::string(200, 'w'),
    "a note\nof several lines\r\nand a lone\rreturn\n",
};

bool isOneLine(const std::string& line) {
    return !line.empty() && line.find_first_of("\r\n") == std::string::npos;
}

} // namespace

TEST_F(Cipher, RoundTripsWithBothKeysAsOneLine) {
    for (const store::Key* key : {listKey, dataKey}) {
        for (const auto& text : kTexts) {
            SCOPED_TRACE(text);
            const std::string line = store::encryptLine(*key, text);
            EXPECT_TRUE(isOneLine(line));
            bool ok = false;
            EXPECT_EQ(store::decryptLine(*key, line, &ok), text);
            EXPECT_TRUE(ok);
            // A fresh nonce each time: the same text never gives the same line twice.
            EXPECT_NE(store::encryptLine(*key, text), line);
        }
    }
}

TEST_F(Cipher, LineOfOneKeyDoesNotOpenWithTheOther) {
    const std::string text = "same text";
    const std::string underList = store::encryptLine(*listKey, text);
    const std::string underData = store::encryptLine(*dataKey, text);
    EXPECT_NE(underList, underData);
    bool ok = true;
    EXPECT_EQ(store::decryptLine(*dataKey, underList, &ok), "");
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(store::decryptLine(*listKey, underData, &ok), "");
    EXPECT_FALSE(ok);
}

TEST_F(Cipher, ChangedCodeOrPasswordGivesEmptyTextAndFailure) {
    const std::string fromList = store::encryptLine(*listKey, "Ann");
    const std::string fromData = store::encryptLine(*dataKey, "entry");
    struct Case {
        const char* what;
        store::Key key;
        const std::string* line;
    };
    Case cases[] = {
        {"list key, other code", store::Key::forUserList("482916"), &fromList},
        {"data key, other code", store::Key::forUserData("Secret pass", "482916"), &fromData},
        {"data key, other letter case", store::Key::forUserData("secret pass", "482915"),
         &fromData},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bool ok = true;
        EXPECT_EQ(store::decryptLine(c.key, *c.line, &ok), "");
        EXPECT_FALSE(ok);
    }
    // The same password and code derive the same key again (the next sign-in reads the data).
    const store::Key again = store::Key::forUserData("Secret pass", "482915");
    EXPECT_EQ(store::decryptLine(again, fromData), "entry");
}

TEST_F(Cipher, DamagedOrForeignLinesGiveEmptyTextAndFailure) {
    const std::string line = store::encryptLine(*listKey, "a value worth keeping");
    std::string flipped = line;
    flipped[line.size() / 2] = flipped[line.size() / 2] == 'A' ? 'B' : 'A';
    std::string wrongFormat;
    ASSERT_TRUE(store::base64Decode(line, wrongFormat));
    wrongFormat[0] = '\x02';
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"one character changed", flipped},
        {"cut short", line.substr(0, line.size() - 8)},
        {"cut to the header", line.substr(0, 20)},
        {"garbage appended", line + "QUJD"},
        {"not Base64", "this was never enciphered!"},
        {"plain Base64 of a text", store::base64Encode("Ann")},
        {"unknown format byte", store::base64Encode(wrongFormat)},
        {"empty line", ""},
    };
    for (const auto& [what, bad] : damaged) {
        SCOPED_TRACE(what);
        bool ok = true;
        EXPECT_EQ(store::decryptLine(*listKey, bad, &ok), "");
        EXPECT_FALSE(ok);
    }
    // No key at all deciphers nothing either.
    bool ok = true;
    EXPECT_EQ(store::decryptLine(store::Key(), line, &ok), "");
    EXPECT_FALSE(ok);
    // A line end left on the line by a reader does not count as damage.
    EXPECT_EQ(store::decryptLine(*listKey, line + "\r\n"), "a value worth keeping");
}

TEST(CipherVerifier, ChecksExactPasswordOnly) {
    const std::string verifier = store::makePasswordVerifier("Tr0ub4dor & 3");
    EXPECT_EQ(verifier.find("Tr0ub4dor"), std::string::npos);
    EXPECT_NE(store::makePasswordVerifier("Tr0ub4dor & 3"), verifier); // own random salt
    EXPECT_TRUE(store::checkPasswordVerifier(verifier, "Tr0ub4dor & 3"));
    for (const char* wrong : {"tr0ub4dor & 3", "TR0UB4DOR & 3", "Tr0ub4dor & 3 ", "", "x"}) {
        EXPECT_FALSE(store::checkPasswordVerifier(verifier, wrong)) << wrong;
    }
    for (const std::string& broken : {std::string(), std::string("$argon2id$garbage"),
                                      verifier.substr(0, verifier.size() - 4)}) {
        EXPECT_FALSE(store::checkPasswordVerifier(broken, "Tr0ub4dor & 3")) << broken;
    }
}

TEST(CipherBase64, StandardAlphabetWithPaddingAndStrictDecoding) {
    const std::pair<std::string, std::string> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"\xfb\xff\xbf", "+/+/"},
    };
    for (const auto& [bytes, encoded] : vectors) {
        EXPECT_EQ(store::base64Encode(bytes), encoded);
        std::string decoded = "stale";
        EXPECT_TRUE(store::base64Decode(encoded, decoded)) << encoded;
        EXPECT_EQ(decoded, bytes);
    }
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    std::string decoded;
    ASSERT_TRUE(store::base64Decode(store::base64Encode(all), decoded));
    EXPECT_EQ(decoded, all);

    for (const char* bad : {"Zg=", "Zg", "Zh==", "Zm9=", "Zm9v\n", "Zm 9v", "Zm-_",
                            "====", "Z===", "Zg==Zg==", "=Zg="}) {
        decoded = "stale";
        EXPECT_FALSE(store::base64Decode(bad, decoded)) << bad;
        EXPECT_EQ(decoded, "") << bad;
    }
}
