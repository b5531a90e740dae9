#include "rtf/rtf_edit_field.hpp"

#include "text/text.hpp"

#include <unicode/ucasemap.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace quorvel::rtf {

namespace {

struct CaseMapDeleter {
    void operator()(UCaseMap* m) const { ucasemap_close(m); }
};

std::string toUpper(std::string_view s) {
    thread_local std::unique_ptr<UCaseMap, CaseMapDeleter> map = [] {
        UErrorCode status = U_ZERO_ERROR;
        return std::unique_ptr<UCaseMap, CaseMapDeleter>(ucasemap_open("", 0, &status));
    }();
    if (!map || s.size() > INT32_MAX / 4) {
        return std::string(s);
    }
    std::string out(s.size() + 16, '\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t n = ucasemap_utf8ToUpper(map.get(), out.data(), static_cast<int32_t>(out.size()),
                                     s.data(), static_cast<int32_t>(s.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.assign(static_cast<std::size_t>(n), '\0');
        status = U_ZERO_ERROR;
        n = ucasemap_utf8ToUpper(map.get(), out.data(), static_cast<int32_t>(out.size()), s.data(),
                                 static_cast<int32_t>(s.size()), &status);
    }
    if (U_FAILURE(status)) {
        return std::string(s);
    }
    out.resize(static_cast<std::size_t>(n));
    return out;
}

// Length of the UTF-8 character that starts with byte b (1 for stray bytes).
std::size_t charLength(unsigned char b) {
    if (b >= 0xF0 && b <= 0xF4) {
        return 4;
    }
    if (b >= 0xE0) {
        return b <= 0xEF ? 3 : 1;
    }
    if (b >= 0xC2) {
        return 2;
    }
    return 1;
}

std::size_t nextChar(std::string_view s, std::size_t pos) {
    return std::min(s.size(), pos + charLength(static_cast<unsigned char>(s[pos])));
}

std::size_t countChars(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < s.size(); pos = nextChar(s, pos)) {
        ++n;
    }
    return n;
}

int shownAlignment(int alignment) {
    return alignment <= 3 ? alignment : 1;
}

bool sameStyle(const RtfStyle& style, const RtfState& s) {
    return style.size == s.textsize && style.color == s.foregroundcolor && style.bold == s.bold &&
           style.italic == s.italic && style.underline == s.underline &&
           style.outline == s.outline && style.shadow == s.shadow &&
           style.extended == (s.expanded > 0) && style.condensed == (s.expanded < 0) &&
           style.alignment == shownAlignment(s.alignment) && style.font == s.font;
}

RtfStyle styleOf(const RtfState& s) {
    RtfStyle style;
    style.font = s.font;
    style.size = s.textsize;
    style.color = s.foregroundcolor;
    style.bold = s.bold;
    style.italic = s.italic;
    style.underline = s.underline;
    style.outline = s.outline;
    style.shadow = s.shadow;
    style.extended = s.expanded > 0;
    style.condensed = s.expanded < 0;
    style.alignment = shownAlignment(s.alignment);
    return style;
}

} // namespace

std::size_t RtfEditField::StyleHash::operator()(const RtfStyle& s) const {
    std::size_t h = std::hash<std::string>{}(s.font);
    auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
    mix(std::hash<double>{}(s.size));
    mix(static_cast<std::size_t>(s.color.red) << 16 | static_cast<std::size_t>(s.color.green) << 8 |
        static_cast<std::size_t>(s.color.blue));
    mix(static_cast<std::size_t>(s.bold) | s.italic << 1 | s.underline << 2 | s.outline << 3 |
        s.shadow << 4 | s.extended << 5 | s.condensed << 6);
    mix(static_cast<std::size_t>(s.alignment));
    return h;
}

RtfEditField::RtfEditField() = default;

std::uint32_t RtfEditField::styleIndex(const RtfStyle& style) {
    // Text after a group mostly returns to the style of the run before the group's run.
    for (std::size_t back = 1; back <= 2 && back <= runs_.size(); ++back) {
        std::uint32_t n = runs_[runs_.size() - back].style;
        if (styles_[n] == style) {
            return n;
        }
    }
    auto [it, added] = styleNumbers_.try_emplace(style, static_cast<std::uint32_t>(styles_.size()));
    if (added) {
        styles_.push_back(style);
    }
    return it->second;
}

void RtfEditField::SetInsertionStyle(const RtfStyle& style) {
    insertion_ = style;
    insertionNumbered_ = false;
}

bool RtfEditField::Preprocess() {
    text_.clear();
    runs_.clear();
    styles_.clear();
    styleNumbers_.clear();
    insertionNumbered_ = false;
    bufferStart_ = 0;
    insertionPoint_ = 0;
    currentstate_ = RtfState();
    return true;
}

void RtfEditField::Write(std::string_view text) {
    text_.append(text);
}

void RtfEditField::Reserve(std::size_t bytes) {
    text_.reserve(bytes);
}

std::string RtfEditField::TakeText() {
    WriteBuffer();
    std::string text = std::move(text_);
    Preprocess();
    return text;
}

void RtfEditField::SetState(const RtfState& state) {
    WriteBuffer();
    currentstate_ = state;
    if (!sameStyle(insertion_, state)) {
        SetInsertionStyle(styleOf(state));
    }
}

void RtfEditField::insert(std::string_view text, std::uint32_t style) {
    std::size_t begin = text_.size();
    text_.append(text);
    if (!runs_.empty() && runs_.back().style == style &&
        runs_.back().begin + runs_.back().length == begin) {
        runs_.back().length += text.size();
    } else {
        runs_.push_back(RtfRun{begin, text.size(), style});
    }
}

void RtfEditField::insertSmallCapitals(const std::string& text) {
    RtfStyle small = insertion_;
    small.size = std::ceil(insertion_.size * 0.8 - 1e-9);
    std::uint32_t normal = insertionNumber_;
    std::uint32_t reduced = styleIndex(small);
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = nextChar(text, pos);
        std::string_view ch(text.data() + pos, end - pos);
        std::string upper = toUpper(ch);
        if (upper != ch) {
            insert(upper, reduced);
        } else {
            insert(ch, normal);
        }
        pos = end;
    }
}

void RtfEditField::WriteBuffer() {
    if (bufferStart_ >= text_.size()) {
        return;
    }
    if (!insertionNumbered_) {
        insertionNumber_ = styleIndex(insertion_);
        insertionNumbered_ = true;
    }
    if (currentstate_.smallcapitals || currentstate_.capitals) {
        std::string buffer = text_.substr(bufferStart_);
        text_.resize(bufferStart_);
        if (currentstate_.smallcapitals) {
            insertSmallCapitals(buffer);
        } else {
            insert(toUpper(buffer), insertionNumber_);
        }
    } else {
        // The text is already in place: it only needs its run.
        std::size_t begin = bufferStart_;
        std::size_t length = text_.size() - begin;
        if (!runs_.empty() && runs_.back().style == insertionNumber_ &&
            runs_.back().begin + runs_.back().length == begin) {
            runs_.back().length += length;
        } else {
            runs_.push_back(RtfRun{begin, length, insertionNumber_});
        }
    }
    bufferStart_ = text_.size();
    insertionPoint_ = text_.size();
}

bool RtfEditField::Postprocess() {
    WriteBuffer();
    return true;
}

const RtfStyle& RtfEditField::StyleAt(std::size_t offset) const {
    auto it = std::upper_bound(runs_.begin(), runs_.end(), offset,
                               [](std::size_t off, const RtfRun& r) { return off < r.begin; });
    if (it == runs_.begin()) {
        return insertion_;
    }
    --it;
    if (offset >= it->begin + it->length) {
        return insertion_;
    }
    return styles_[it->style];
}

void RtfEditField::SetInsertionPoint(std::size_t offset) {
    insertionPoint_ = std::min(offset, text_.size());
    if (insertionPoint_ > 0) {
        RtfStyle style = StyleAt(insertionPoint_ - 1);
        SetInsertionStyle(style);
    }
}

RtfState RtfEditField::GetState() const {
    RtfState s;
    s.font = insertion_.font;
    s.textsize = insertion_.size;
    s.foregroundcolor = insertion_.color;
    s.bold = insertion_.bold;
    s.italic = insertion_.italic;
    s.underline = insertion_.underline;
    s.outline = insertion_.outline;
    s.shadow = insertion_.shadow;
    s.alignment = insertion_.alignment;
    s.expanded = insertion_.extended ? 3 : (insertion_.condensed ? -3 : 0);
    return s;
}

bool RtfEditField::StyleChanged(const RtfState& s) const {
    const RtfStyle& st = insertion_;
    if (!text::equalsIgnoreCase(st.font, s.font) || st.size != s.textsize ||
        st.color != s.foregroundcolor || st.bold != s.bold || st.italic != s.italic ||
        st.underline != s.underline || st.outline != s.outline || st.shadow != s.shadow) {
        return true;
    }
    if (s.expanded == 3 && !st.extended) {
        return true;
    }
    if (s.expanded == 0 && (st.extended || st.condensed)) {
        return true;
    }
    if (s.expanded == -3 && !st.condensed) {
        return true;
    }
    int alignment = s.alignment == 4 ? 1 : s.alignment;
    return st.alignment != alignment;
}

void RtfEditField::Export(RtfTarget& target) {
    if (progress_) {
        progress_(0);
    }
    if (!target.Preprocess()) {
        return;
    }
    WriteBuffer();
    const std::string text = text_;
    std::size_t end = text.empty() ? 0 : nextChar(text, 0);
    SetInsertionPoint(end);
    RtfState last = GetState();
    target.SetState(last);
    target.Write(std::string_view(text).substr(0, end));
    std::size_t total = countChars(text);
    std::size_t i = 1;
    while (end < text.size() && !(cancel_ != nullptr && cancel_->load())) {
        ++i;
        if (progress_ && i % 100 == 0) {
            progress_(static_cast<int>(i * 100 / total));
        }
        std::size_t begin = end;
        end = nextChar(text, begin);
        SetInsertionPoint(end);
        if (StyleChanged(last)) {
            last = GetState();
            target.SetState(last);
        }
        target.Write(std::string_view(text).substr(begin, end - begin));
    }
    target.Postprocess();
}

} // namespace quorvel::rtf
