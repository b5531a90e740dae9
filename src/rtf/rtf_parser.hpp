#pragma once
// Reads one document in the Rich Text Format (a subset) from a byte stream and feeds a target
// with its text (UTF-8) and, between the pieces of text, the character state to show them in.

#include "rtf/rtf_input.hpp"
#include "rtf/rtf_state.hpp"
#include "rtf/rtf_tables.hpp"
#include "rtf/rtf_target.hpp"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel::rtf {

// What the parser needs from the computer it runs on.
struct RtfEnvironment {
    // The names of the installed fonts, asked once per document when its font table is read.
    // Unset: no font is installed, so fonts resolve to their family's substitute or "System".
    std::function<std::vector<std::string>()> installedFonts;
    // Texts of the date and time fields: the long date ("chdate", "chdpl"), the abbreviated
    // date ("chdpa") and the time ("chtime").
    std::string longDate;
    std::string abbreviatedDate;
    std::string time;
    // Reading stops, the text read so far complete, once this becomes true.
    const std::atomic<bool>* cancel = nullptr;
    // Progress of the reading, 0 to 100, reported about a hundred times per document.
    std::function<void(int)> progress;
};

// Fills the date and time texts of env from the moment given, in local time and in the forms of
// the current locale.
void SetDateTexts(RtfEnvironment& env, std::time_t when);

class RtfParser {
public:
    // Deeper groups share the state of the deepest level kept.
    static constexpr std::size_t kMaxDepth = 4096;
    // Links of a chain of based-on styles followed at most.
    static constexpr int kMaxStyleLinks = 64;
    // Words of style definitions replayed per document at most: this many per input byte, plus
    // the minimum.
    static constexpr std::size_t kReplayWordsPerByte = 64;
    static constexpr std::size_t kReplayWordsMinimum = 1'000'000;

    RtfParser();
    explicit RtfParser(RtfEnvironment environment);

    // Reads the whole document into the target. A parser reads one document.
    void Parse(RtfInput& input, RtfTarget& target);

    // Carries out one control word, control symbol or hex escape on the current state, then
    // hands the state to the target.
    void DoCommand(std::string_view word, std::int32_t param);
    // The same for a word of a style being applied: only formatting words take effect; words
    // that produce text or read from the input are passed over.
    void ReplayCommand(std::string_view word, std::int32_t param);

    void ParseStylesheet();
    void ParseInfo();
    // Applies a style after the styles it is based on.
    void ApplyStyle(int id);
    // Passes text to the target.
    void Write(std::string_view text);
    void SetProgressBar(std::function<void(int)> progress) { env_.progress = std::move(progress); }

    // The current state, and the number of levels of the state stack.
    const RtfState& state() const { return states_.back(); }
    std::size_t depth() const { return states_.size() + overflow_; }
    int rtfversion() const { return rtfversion_; }
    int defaultfontid() const { return defaultfontid_; }
    const std::vector<RtfStylesheet>& stylesheets() const { return stylesheets_; }
    const RtfFont* fonttable() const { return fonttable_ ? &*fonttable_ : nullptr; }
    const RtfColor* colortable() const { return colortable_ ? &*colortable_ : nullptr; }

private:
    // word is already case-folded.
    void command(std::string_view folded, std::int32_t param, bool replay);
    RtfState& current() { return states_.back(); }
    void openGroup();
    // Ends the innermost group; false when there is none (an unmatched closing brace).
    bool closeGroup();
    // After a table reader or a skip has consumed the closing brace of its group.
    void groupConsumed();
    void handOver();
    void emit(std::string_view text);
    void flushPending();
    void unicodeEscape(std::int32_t param);
    void hexEscape(int code);
    void rawByte(int code);
    void skipSubstitutes();
    void skipGroup();
    void reportProgress();
    const RtfStylesheet* findStyle(int id) const;
    std::shared_ptr<const RtfInstalledFonts> installedFonts();

    RtfEnvironment env_;
    std::vector<RtfState> states_;
    std::size_t overflow_ = 0; // levels past kMaxDepth
    int rtfversion_ = 0;
    RtfInput* input_ = nullptr;
    RtfTarget* target_ = nullptr;
    std::vector<RtfStylesheet> stylesheets_;
    std::unordered_map<int, std::size_t> styleById_;
    std::optional<RtfColor> colortable_;
    std::optional<RtfFont> fonttable_;
    std::shared_ptr<const RtfInstalledFonts> installed_;
    int defaultfontid_ = 0;
    int pendingLead_ = -1;          // lead byte of a two-byte character waiting for its trail
    std::uint32_t pendingHigh_ = 0; // high surrogate waiting for its low half
    std::size_t replayBudget_ = kReplayWordsMinimum;
    std::size_t progressStep_ = 0;
    std::size_t nextProgress_ = 0;
    std::string word_;
    std::string scratch_;
};

// The plain text of a document (UTF-8, paragraph ends as carriage returns).
std::string RtfToText(std::string_view document, RtfEnvironment env = {});

} // namespace quorvel::rtf
