#include "rtf/rtf_parser.hpp"

#include "rtf/rtf_edit_field.hpp"
#include "rtf/rtf_encoding.hpp"
#include "rtf/rtf_module.hpp"
#include "text/text.hpp"

#include <algorithm>
#include <array>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvel::rtf {

namespace {

enum class Op : std::uint8_t {
    // document settings
    Rtf,
    Encoding,
    CodePage,
    DefaultFont,
    // tables and groups read or skipped
    FontTable,
    ColorTable,
    Stylesheet,
    Info,
    SkipGroup,
    Style,
    // paragraph and character formatting
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    Plain,
    Bold,
    Italic,
    Outline,
    Shadow,
    Caps,
    SmallCaps,
    Underline,
    UnderlineOn,
    UnderlineOff,
    Expand,
    FontSize,
    Font,
    ForeColor,
    BackColor,
    UnicodeSkip,
    // text
    Text,
    Hex,
    Unicode,
    LongDate,
    ShortDate,
    Time,
};

struct WordOp {
    Op op;
    std::string_view text; // for Op::Text
};

// The words the parser acts on, in a small open-addressing table: looking a word up is the
// most frequent thing the parser does.
class WordTable {
public:
    void add(std::string_view word, Op op, std::string_view text = {}) {
        std::size_t i = hash(word);
        while (slots_[i].used) {
            i = (i + 1) % kSlots;
        }
        slots_[i] = Slot{true, word, WordOp{op, text}};
    }
    const WordOp* find(std::string_view word) const {
        for (std::size_t i = hash(word);; i = (i + 1) % kSlots) {
            const Slot& s = slots_[i];
            if (!s.used) {
                return nullptr;
            }
            if (s.word == word) {
                return &s.op;
            }
        }
    }

private:
    static constexpr std::size_t kSlots = 512; // well over twice the words
    struct Slot {
        bool used = false;
        std::string_view word;
        WordOp op{};
    };
    static std::size_t hash(std::string_view w) {
        std::size_t h = w.size();
        for (unsigned char c : w) {
            h = h * 31 + c;
        }
        return h % kSlots;
    }
    std::array<Slot, kSlots> slots_{};
};

const WordTable& wordTable() {
    static const WordTable table = [] {
        WordTable t;
        auto add = [&t](std::string_view w, Op op, std::string_view text = {}) {
            t.add(w, op, text);
        };
        add("rtf", Op::Rtf);
        for (std::string_view w : {"ansi", "mac", "pc", "pca"}) {
            add(w, Op::Encoding);
        }
        add("ansicpg", Op::CodePage);
        add("ansicp", Op::CodePage);
        add("deff", Op::DefaultFont);
        add("fonttbl", Op::FontTable);
        add("colortbl", Op::ColorTable);
        add("stylesheet", Op::Stylesheet);
        add("info", Op::Info);
        // Groups whose content is not part of the text. A field is read: its instruction is
        // skipped and its visible result ("fldrslt") comes through as text.
        for (std::string_view w :
             {"macpict", "pmmetafile", "wmetafile", "dibitmap", "wbitmap", "pict", "header",
              "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "xe",
              "tc", "object", "fldinst", "*"}) {
            add(w, Op::SkipGroup);
        }
        add("s", Op::Style);
        add("pard", Op::AlignLeft);
        add("ql", Op::AlignLeft);
        add("qc", Op::AlignCenter);
        add("qr", Op::AlignRight);
        add("qj", Op::AlignJustify);
        add("plain", Op::Plain);
        add("b", Op::Bold);
        add("i", Op::Italic);
        add("outl", Op::Outline);
        add("shad", Op::Shadow);
        add("caps", Op::Caps);
        add("smcaps", Op::SmallCaps);
        add("ul", Op::Underline);
        add("uld", Op::UnderlineOn);
        add("uldb", Op::UnderlineOn);
        add("ulw", Op::UnderlineOn);
        add("ulnone", Op::UnderlineOff);
        add("expnd", Op::Expand);
        add("fs", Op::FontSize);
        add("f", Op::Font);
        add("cf", Op::ForeColor);
        add("cb", Op::BackColor);
        add("uc", Op::UnicodeSkip);
        add("par", Op::Text, "\r");
        add("line", Op::Text, "\r");
        add("tab", Op::Text, " ");
        add("emdash", Op::Text, "\u2014");
        add("endash", Op::Text, "\u2013");
        add("bullet", Op::Text, "\u2022");
        add("lquote", Op::Text, "\u2018");
        add("rquote", Op::Text, "\u2019");
        add("ldblquote", Op::Text, "\u201C");
        add("rdblquote", Op::Text, "\u201D");
        // A non-breaking space and a non-breaking hyphen are characters of the text; table
        // cells and rows are kept apart so that their words do not run together.
        add("~", Op::Text, "\u00A0");
        add("_", Op::Text, "\u2011");
        add("cell", Op::Text, "\t");
        add("row", Op::Text, "\r");
        add("{", Op::Text, "{");
        add("}", Op::Text, "}");
        add("\\", Op::Text, "\\");
        add("\r", Op::Text, "\r");
        add("\n", Op::Text, "\r");
        add(std::string_view("\x03", 1), Op::Text, "\r");
        add("'", Op::Hex);
        add("u", Op::Unicode);
        add("chdate", Op::LongDate);
        add("chdpl", Op::LongDate);
        add("chdpa", Op::ShortDate);
        add("chtime", Op::Time);
        return t;
    }();
    return table;
}

// Bytes that end a run of plain text in the body.
const std::array<bool, 256>& specialBytes() {
    static const std::array<bool, 256> table = [] {
        std::array<bool, 256> t{};
        for (int c : std::initializer_list<int>{'{', '}', '\\', '\r', '\n', 3}) {
            t[static_cast<std::size_t>(c)] = true;
        }
        for (std::size_t c = 0x80; c < 256; ++c) {
            t[c] = true;
        }
        return t;
    }();
    return table;
}

// The end of the run of plain text that starts at start: the first byte that is a brace, a
// backslash, a line break, the character 3 or above 127. Plain text is most of a document, so
// the scan looks at 16 bytes at a time where the processor allows.
std::size_t plainRunEnd(std::string_view data, std::size_t start,
                        const std::array<bool, 256>& special) {
    std::size_t i = start;
#if defined(__SSE2__)
    const __m128i open = _mm_set1_epi8('{');
    const __m128i close = _mm_set1_epi8('}');
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i etx = _mm_set1_epi8(3);
    while (i + 16 <= data.size()) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data.data() + i));
        __m128i hit = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(v, open), _mm_cmpeq_epi8(v, close)),
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, backslash), _mm_cmpeq_epi8(v, cr)),
                         _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, etx))));
        // Bytes above 127 have their top bit set.
        int mask = _mm_movemask_epi8(_mm_or_si128(hit, v));
        if (mask != 0) {
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        }
        i += 16;
    }
#endif
    while (i < data.size() && !special[static_cast<unsigned char>(data[i])]) {
        ++i;
    }
    return i;
}

bool isHighSurrogate(std::uint32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(std::uint32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool isFlagOn(std::int32_t param) {
    return param == 1;
}

std::string formatTime(const std::tm& tm, const char* format) {
    char buffer[128];
    std::size_t n = std::strftime(buffer, sizeof buffer, format, &tm);
    return std::string(buffer, n);
}

} // namespace

void SetDateTexts(RtfEnvironment& env, std::time_t when) {
    std::tm tm{};
    localtime_r(&when, &tm);
    env.longDate = formatTime(tm, "%A, %B %e, %Y");
    env.abbreviatedDate = formatTime(tm, "%a, %b %e, %Y");
    env.time = formatTime(tm, "%X");
}

RtfParser::RtfParser() : RtfParser(RtfEnvironment{}) {}

RtfParser::RtfParser(RtfEnvironment environment) : env_(std::move(environment)) {
    states_.emplace_back();
}

std::shared_ptr<const RtfInstalledFonts> RtfParser::installedFonts() {
    if (!installed_) {
        installed_ = env_.installedFonts
                         ? std::make_shared<RtfInstalledFonts>(env_.installedFonts())
                         : std::make_shared<RtfInstalledFonts>();
    }
    return installed_;
}

void RtfParser::reportProgress() {
    std::size_t pos = input_->position();
    if (pos < nextProgress_) {
        return;
    }
    std::size_t steps = pos / progressStep_;
    env_.progress(static_cast<int>(std::min<std::size_t>(steps, 100)));
    nextProgress_ = (steps + 1) * progressStep_;
}

void RtfParser::Parse(RtfInput& input, RtfTarget& target) {
    input_ = &input;
    target_ = &target;
    progressStep_ = input.length() / 100;
    replayBudget_ = kReplayWordsPerByte * input.length() + kReplayWordsMinimum;
    nextProgress_ = progressStep_;
    bool showProgress = env_.progress && progressStep_ > 0;
    if (showProgress) {
        env_.progress(0);
    }
    if (!target.Preprocess()) {
        return;
    }
    const auto& special = specialBytes();
    const std::string_view data = input.data();
    while (!input.eof()) {
        if (env_.cancel != nullptr && env_.cancel->load(std::memory_order_relaxed)) {
            break;
        }
        if (showProgress) {
            reportProgress();
        }
        std::size_t start = input.position();
        if (pendingLead_ >= 0 && !special[static_cast<unsigned char>(data[start])]) {
            // The trail byte of a two-byte character may be any byte in the ASCII range.
            rawByte(static_cast<unsigned char>(data[start]));
            input.skip(1);
            continue;
        }
        std::size_t end = plainRunEnd(data, start, special);
        if (end > start) {
            Write(data.substr(start, end - start));
            input.skip(end - start);
            continue;
        }
        int c = input.get();
        switch (c) {
        case '{':
            flushPending();
            openGroup();
            break;
        case '}':
            flushPending();
            if (!closeGroup()) {
                // An unmatched closing brace ends the document.
                input.setPosition(input.length());
            }
            break;
        case '\\': {
            std::int32_t param = 0;
            RtfParseCommand(input, word_, param);
            std::string folded = text::foldCase(word_);
            if (folded == "bin") {
                flushPending();
                input.skip(RtfBinLength(param));
            } else {
                command(folded, param, false);
            }
            break;
        }
        case '\r':
        case '\n':
        case 3:
            break;
        default:
            rawByte(c);
            break;
        }
    }
    flushPending();
    target.Postprocess();
    if (showProgress) {
        env_.progress(100);
    }
}

void RtfParser::openGroup() {
    if (states_.size() < kMaxDepth) {
        states_.push_back(states_.back());
    } else {
        ++overflow_;
    }
}

bool RtfParser::closeGroup() {
    if (overflow_ > 0) {
        --overflow_;
    } else if (states_.size() > 1) {
        states_.pop_back();
    } else {
        return false;
    }
    handOver();
    return true;
}

void RtfParser::groupConsumed() {
    if (overflow_ > 0) {
        --overflow_;
    } else if (states_.size() > 1) {
        states_.pop_back();
    }
}

void RtfParser::handOver() {
    if (target_ != nullptr) {
        target_->SetState(states_.back());
    }
}

void RtfParser::emit(std::string_view text) {
    if (target_ != nullptr && !text.empty()) {
        target_->Write(text);
    }
}

void RtfParser::flushPending() {
    if (pendingLead_ >= 0) {
        scratch_.clear();
        state().AppendDecoded(pendingLead_, scratch_);
        pendingLead_ = -1;
        emit(scratch_);
    }
    if (pendingHigh_ != 0) {
        pendingHigh_ = 0;
        emit("\uFFFD");
    }
}

void RtfParser::Write(std::string_view text) {
    flushPending();
    emit(text);
}

void RtfParser::rawByte(int code) {
    // Bytes above 127 in the body are text in the document's encoding.
    if (pendingHigh_ != 0) {
        pendingHigh_ = 0;
        emit("\uFFFD");
    }
    hexEscape(code);
}

void RtfParser::hexEscape(int code) {
    scratch_.clear();
    if (pendingLead_ >= 0) {
        state().AppendDecodedPair(pendingLead_, code, scratch_);
        pendingLead_ = -1;
    } else if (state().IsLeadByte(code)) {
        pendingLead_ = code;
        return;
    } else {
        state().AppendDecoded(code, scratch_);
    }
    emit(scratch_);
}

void RtfParser::unicodeEscape(std::int32_t param) {
    if (pendingLead_ >= 0) {
        // A lead byte without its trail. (No surrogate is waiting then: a lead byte is only
        // held after any waiting surrogate was given out.)
        flushPending();
    }
    // Negative values are the standard's form for code points above 32767.
    std::int64_t n = param < 0 ? std::int64_t{param} + 65536 : param;
    std::uint32_t cp = n < 0 ? 0xFFFD : static_cast<std::uint32_t>(n);
    scratch_.clear();
    if (pendingHigh_ != 0) {
        if (isLowSurrogate(cp)) {
            appendUtf8(scratch_, 0x10000 + ((pendingHigh_ - 0xD800) << 10) + (cp - 0xDC00));
            pendingHigh_ = 0;
            emit(scratch_);
            skipSubstitutes();
            return;
        }
        pendingHigh_ = 0;
        appendUtf8(scratch_, 0xFFFD);
    }
    if (isHighSurrogate(cp)) {
        pendingHigh_ = cp;
    } else {
        appendUtf8(scratch_, cp); // a lone low surrogate gives U+FFFD
    }
    emit(scratch_);
    skipSubstitutes();
}

void RtfParser::skipSubstitutes() {
    // The escape is followed by "uc" units of substitute text for readers without Unicode: a
    // hex escape, a control word or symbol, or one character each. A brace ends them early.
    if (input_ == nullptr) {
        return;
    }
    std::string word;
    std::int32_t param = 0;
    for (int units = state().unicodeskip; units > 0 && !input_->eof();) {
        int c = input_->peek();
        if (c == '{' || c == '}') {
            break;
        }
        input_->get();
        if (c == '\r' || c == '\n') {
            continue; // line breaks of the file are no text
        }
        if (c == '\\') {
            RtfParseCommand(*input_, word, param);
            if (word.size() == 3 && text::equalsIgnoreCase(word, "bin")) {
                input_->skip(RtfBinLength(param));
            }
        }
        --units;
    }
}

void RtfParser::skipGroup() {
    if (input_ != nullptr) {
        RtfIgnoreGroup(*input_);
    }
    groupConsumed();
}

void RtfParser::DoCommand(std::string_view word, std::int32_t param) {
    command(text::foldCase(word), param, false);
}

void RtfParser::ReplayCommand(std::string_view word, std::int32_t param) {
    command(text::foldCase(word), param, true);
}

void RtfParser::command(std::string_view folded, std::int32_t param, bool replay) {
    const auto& table = wordTable();
    const WordOp* found = table.find(folded);
    if (found == nullptr) {
        flushPending();
        handOver();
        return;
    }
    const Op op = found->op;
    if (op == Op::Hex) {
        if (pendingHigh_ != 0) {
            pendingHigh_ = 0;
            emit("\uFFFD");
        }
        if (!replay) {
            hexEscape(param & 0xFF);
        }
        handOver();
        return;
    }
    if (op == Op::Unicode) {
        if (!replay) {
            unicodeEscape(param);
        }
        handOver();
        return;
    }
    flushPending();
    if (replay) {
        // A style replays formatting only.
        switch (op) {
        case Op::FontTable:
        case Op::ColorTable:
        case Op::Stylesheet:
        case Op::Info:
        case Op::SkipGroup:
        case Op::Style:
        case Op::Text:
        case Op::LongDate:
        case Op::ShortDate:
        case Op::Time:
            handOver();
            return;
        default:
            break;
        }
    }

    RtfState& s = current();
    switch (op) {
    case Op::Rtf:
        rtfversion_ = param;
        break;
    case Op::Encoding:
        s.SetEncoding(folded, 0);
        break;
    case Op::CodePage:
        s.SetEncoding(folded, param);
        break;
    case Op::DefaultFont:
        defaultfontid_ = param;
        break;
    case Op::FontTable: {
        RtfFont table(installedFonts());
        bool complete = input_ != nullptr && table.parse(*input_);
        if (complete) {
            fonttable_ = std::move(table);
            groupConsumed();
            current().font = fonttable_->getfont(defaultfontid_);
        } else {
            fonttable_.reset();
        }
        break;
    }
    case Op::ColorTable:
        colortable_.emplace();
        if (input_ != nullptr) {
            colortable_->parse(*input_);
        }
        groupConsumed();
        break;
    case Op::Stylesheet:
        ParseStylesheet();
        groupConsumed();
        break;
    case Op::Info:
        ParseInfo();
        break;
    case Op::SkipGroup:
        skipGroup();
        break;
    case Op::Style:
        ApplyStyle(param);
        break;
    case Op::AlignLeft:
        s.alignment = 1;
        break;
    case Op::AlignCenter:
        s.alignment = 2;
        break;
    case Op::AlignRight:
        s.alignment = 3;
        break;
    case Op::AlignJustify:
        s.alignment = 4;
        break;
    case Op::Plain:
        s.SetPlain();
        break;
    case Op::Bold:
        s.bold = isFlagOn(param);
        break;
    case Op::Italic:
        s.italic = isFlagOn(param);
        break;
    case Op::Outline:
        s.outline = isFlagOn(param);
        break;
    case Op::Shadow:
        s.shadow = isFlagOn(param);
        break;
    case Op::Caps:
        s.capitals = isFlagOn(param);
        break;
    case Op::SmallCaps:
        s.smallcapitals = isFlagOn(param);
        break;
    case Op::Underline:
        s.underline = isFlagOn(param);
        break;
    case Op::UnderlineOn:
        s.underline = true;
        break;
    case Op::UnderlineOff:
        s.underline = false;
        break;
    case Op::Expand:
        s.expanded = param / 4.0;
        break;
    case Op::FontSize:
        s.textsize = param / 2.0;
        break;
    case Op::Font:
        if (fonttable_) {
            s.font = fonttable_->getfont(param);
            s.SetEncoding("fcharset", fonttable_->getcharset(param));
        }
        break;
    case Op::ForeColor:
        s.foregroundcolor = colortable_ ? colortable_->getcolor(param) : Color{};
        break;
    case Op::BackColor:
        s.backgroundcolor = colortable_ ? colortable_->getcolor(param) : Color{};
        break;
    case Op::UnicodeSkip:
        s.unicodeskip = std::max<std::int32_t>(param, 0);
        break;
    case Op::Text:
        emit(found->text);
        break;
    case Op::LongDate:
        emit(env_.longDate);
        break;
    case Op::ShortDate:
        emit(env_.abbreviatedDate);
        break;
    case Op::Time:
        emit(env_.time);
        break;
    case Op::Hex:
    case Op::Unicode:
        break;
    }
    handOver();
}

void RtfParser::ParseStylesheet() {
    if (input_ == nullptr) {
        return;
    }
    int depth = 1;
    while (!input_->eof()) {
        int c = input_->get();
        if (c == '{') {
            RtfStylesheet style;
            style.Parse(*input_);
            styleById_.try_emplace(style.id, stylesheets_.size());
            stylesheets_.push_back(std::move(style));
        } else if (c == '}') {
            --depth;
        }
        if (depth == 0) {
            return;
        }
    }
}

void RtfParser::ParseInfo() {
    skipGroup();
}

const RtfStylesheet* RtfParser::findStyle(int id) const {
    auto found = styleById_.find(id);
    return found == styleById_.end() ? nullptr : &stylesheets_[found->second];
}

void RtfParser::ApplyStyle(int id) {
    // Follow the chain of based-on styles without recursion, stopping at a style met before.
    std::vector<const RtfStylesheet*> chain;
    for (const RtfStylesheet* style = findStyle(id); style != nullptr;) {
        chain.push_back(style);
        int base = style->sbasedon;
        if (base == RtfStylesheet::kNone || base == style->id ||
            chain.size() > static_cast<std::size_t>(kMaxStyleLinks)) {
            break;
        }
        const RtfStylesheet* next = findStyle(base);
        if (std::find(chain.begin(), chain.end(), next) != chain.end()) {
            break;
        }
        style = next;
    }
    // Replaying styles costs the words of their definitions each time; a document that applies
    // a huge style over and over would take hours, so the replays share a budget proportional
    // to the input. Real documents replay well under one word per byte.
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        std::size_t words = (*it)->commands.size();
        if (words > replayBudget_) {
            replayBudget_ = 0;
            return;
        }
        replayBudget_ -= words;
        (*it)->Apply(*this);
    }
}

std::string RtfToText(std::string_view document, RtfEnvironment env) {
    RtfInput input(document);
    RtfEditField field;
    // The text is rarely longer than its document.
    field.Reserve(document.size());
    RtfParser parser(std::move(env));
    parser.Parse(input, field);
    return field.TakeText();
}

} // namespace quorvel::rtf
