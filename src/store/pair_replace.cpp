#include "store/pair_replace.hpp"

#include "store/secret.hpp"
#include "text/text.hpp"

#include <sodium.h>

#include <cerrno>
#include <vector>

namespace quorvel::store {

namespace {

std::error_code badName() {
    return std::make_error_code(std::errc::invalid_argument);
}

// Renames the side file over its target when it is still there.
std::error_code settle(const fs::path& side, const fs::path& target) {
    if (!store::exists(side)) {
        return {};
    }
    return renameDurable(side, target);
}

} // namespace

std::string pairSideName(std::string_view target) {
    // A digest of the target keeps the name short whatever the target's length: a user name
    // may already take a file name to its 255-byte limit.
    ensureSodium();
    unsigned char digest[12];
    crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(target.data()),
                       target.size(), nullptr, 0);
    char hex[sizeof digest * 2 + 1];
    sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
    return std::string(kTempPrefix) + "pair-" + hex;
}

std::error_code replacePair(const Folder& folder, std::string_view markerName, const PairPart& a,
                            const PairPart& b) {
    const auto marker = folder.fileByName(markerName);
    const auto targetA = folder.fileByName(a.name);
    const auto targetB = folder.fileByName(b.name);
    const auto sideA = folder.fileByName(pairSideName(a.name));
    const auto sideB = folder.fileByName(pairSideName(b.name));
    if (!marker || !targetA || !targetB || !sideA || !sideB || a.name == b.name) {
        return badName();
    }
    // A marker left by an earlier run must be settled first, or its renames would mix with ours.
    if (auto ec = finishPair(folder, markerName, a.name, b.name)) {
        return ec;
    }
    if (auto ec = replaceAtomically(*sideA, a.content)) {
        removeFile(*sideA);
        return ec;
    }
    if (auto ec = replaceAtomically(*sideB, b.content)) {
        removeFile(*sideA);
        removeFile(*sideB);
        return ec;
    }
    if (auto ec = replaceAtomically(*marker, text::joinLines({a.name, b.name}))) {
        removeFile(*marker);
        removeFile(*sideA);
        removeFile(*sideB);
        return ec;
    }
    // From here on the new state is decided; a failure leaves the marker for finishPair.
    if (auto ec = settle(*sideA, *targetA)) {
        return ec;
    }
    if (auto ec = settle(*sideB, *targetB)) {
        return ec;
    }
    return removeFile(*marker);
}

std::error_code finishPair(const Folder& folder, std::string_view markerName,
                           std::string_view targetA, std::string_view targetB) {
    const auto marker = folder.fileByName(markerName);
    if (!marker) {
        return badName();
    }
    bool existed = false;
    std::vector<std::string> targets = readLines(*marker, &existed, true);
    if (!existed) {
        // No intent recorded: any side file is the remnant of a replace that never began.
        for (std::string_view t : {targetA, targetB}) {
            if (auto side = folder.fileByName(pairSideName(t))) {
                if (auto ec = removeFile(*side)) {
                    return ec;
                }
            }
        }
        return {};
    }
    for (const std::string& name : targets) {
        const auto target = folder.fileByName(name);
        const auto side = folder.fileByName(pairSideName(name));
        if (!target || !side) {
            continue; // not a name replacePair writes; nothing of ours to settle
        }
        if (auto ec = settle(*side, *target)) {
            return ec;
        }
    }
    return removeFile(*marker);
}

} // namespace quorvel::store
