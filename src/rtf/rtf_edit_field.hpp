#pragma once
// A styled text buffer that is the target of the rich-text parser: it collects the text written
// between two states and inserts it as one run in the style of the state it was written in.
// The program uses its plain text; a GUI can show the runs in a styled text view.

#include "rtf/rtf_state.hpp"
#include "rtf/rtf_target.hpp"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel::rtf {

// The style of a run of text, as a styled text field shows it.
struct RtfStyle {
    // The font name comes last so that comparisons look at the cheap fields first.
    double size = 12;
    Color color;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool outline = false;
    bool shadow = false;
    bool extended = false;
    bool condensed = false;
    int alignment = 1; // of the paragraph: 1 left, 2 centred, 3 right
    std::string font = "System";
    friend bool operator==(const RtfStyle&, const RtfStyle&) = default;
};

// Bytes [begin, begin + length) of the text, shown in style number style.
struct RtfRun {
    std::size_t begin = 0;
    std::size_t length = 0;
    std::uint32_t style = 0;
};

class RtfEditField : public RtfTarget {
public:
    RtfEditField();

    // Empties the field for a new document; the insertion style is kept.
    bool Preprocess() override;
    // Collects text; it is inserted at the next state or at the end.
    void Write(std::string_view text) override;
    // Inserts the text collected so far in its style, then takes the style of the new state.
    void SetState(const RtfState& state) override;
    // Inserts what is left; the field then holds the whole document.
    bool Postprocess() override;
    // Hands the field's text to another target one character at a time, with a state wherever
    // the style changes.
    void Export(RtfTarget& target) override;

    // Inserts the collected text at the end, upper-cased under capitals and in smaller capitals
    // under small capitals.
    void WriteBuffer();
    // A state filled from the insertion style.
    RtfState GetState() const;
    // True when the insertion style differs from what the state would show.
    bool StyleChanged(const RtfState& state) const;

    // The text (UTF-8); paragraph ends are carriage returns.
    const std::string& Text() const { return text_; }
    // Hands the text over and leaves the field empty.
    std::string TakeText();
    // Makes room for a text of that many bytes.
    void Reserve(std::size_t bytes);
    const std::vector<RtfRun>& Runs() const { return runs_; }
    const RtfStyle& Style(std::uint32_t index) const { return styles_[index]; }
    // The style of the character that contains byte offset; the insertion style when there is
    // none.
    const RtfStyle& StyleAt(std::size_t offset) const;

    // The style given to text inserted at the insertion point.
    const RtfStyle& InsertionStyle() const { return insertion_; }
    void SetInsertionStyle(const RtfStyle& style);
    // Moves the insertion point to a byte offset; like a text field, the insertion style becomes
    // that of the character before it.
    void SetInsertionPoint(std::size_t offset);
    std::size_t InsertionPoint() const { return insertionPoint_; }

    const RtfState& currentstate() const { return currentstate_; }

    // Progress of Export, 0 to 100; none unless set. Export stops when *cancel becomes true.
    void SetProgress(std::function<void(int)> progress) { progress_ = std::move(progress); }
    void SetCancel(const std::atomic<bool>* cancel) { cancel_ = cancel; }

private:
    struct StyleHash {
        std::size_t operator()(const RtfStyle& s) const;
    };

    std::uint32_t styleIndex(const RtfStyle& style);
    void insert(std::string_view text, std::uint32_t style);
    void insertSmallCapitals(const std::string& text);

    std::string text_;
    std::size_t bufferStart_ = 0; // text_ from here on is the collected buffer
    std::vector<RtfRun> runs_;
    std::vector<RtfStyle> styles_;
    std::unordered_map<RtfStyle, std::uint32_t, StyleHash> styleNumbers_;
    RtfStyle insertion_;
    std::uint32_t insertionNumber_ = 0;
    bool insertionNumbered_ = false;
    std::size_t insertionPoint_ = 0;
    RtfState currentstate_;
    std::function<void(int)> progress_;
    const std::atomic<bool>* cancel_ = nullptr;
};

} // namespace quorvel::rtf
