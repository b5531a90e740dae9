#include "rtf/rtf_tables.hpp"

#include "rtf/rtf_module.hpp"
#include "rtf/rtf_parser.hpp"
#include "text/text.hpp"

#include <algorithm>

namespace quorvel::rtf {

using text::equalsIgnoreCase;

namespace {

bool isFamilyWord(std::string_view word) {
    static constexpr std::string_view kFamilies[] = {"froman", "fswiss", "fmodern", "fscript",
                                                     "fdecor", "ftech",  "fnil"};
    for (std::string_view f : kFamilies) {
        if (equalsIgnoreCase(word, f)) {
            return true;
        }
    }
    return false;
}

std::string_view familySubstitute(std::string_view family) {
    if (equalsIgnoreCase(family, "froman")) {
        return "Times";
    }
    if (equalsIgnoreCase(family, "fswiss")) {
        return "Helvetica";
    }
    if (equalsIgnoreCase(family, "fmodern")) {
        return "Courier";
    }
    if (equalsIgnoreCase(family, "fscript")) {
        return "Script";
    }
    if (equalsIgnoreCase(family, "fdecor")) {
        return "Zapf Chancery";
    }
    if (equalsIgnoreCase(family, "ftech")) {
        return "Symbol";
    }
    return "Geneva";
}

int component(std::int32_t value) {
    return std::clamp<std::int32_t>(value, 0, 255);
}

} // namespace

RtfInstalledFonts::RtfInstalledFonts(const std::vector<std::string>& names) {
    for (const std::string& n : names) {
        folded_.insert(text::foldCase(n));
    }
}

bool RtfInstalledFonts::has(std::string_view fontName) const {
    return !folded_.empty() && folded_.count(text::foldCase(fontName)) > 0;
}

RtfFont::RtfFont() : RtfFont(nullptr) {}

RtfFont::RtfFont(std::shared_ptr<const RtfInstalledFonts> installed)
    : name(1), id(1, 0), family(1), charset(1, 0), installed_(std::move(installed)) {}

void RtfFont::append(int fontId, int fontCharset, std::string_view fontFamily,
                     std::string_view fontName) {
    name.emplace_back(fontName);
    id.push_back(fontId);
    family.emplace_back(fontFamily);
    charset.push_back(fontCharset);
    firstById_.try_emplace(fontId, count());
}

int RtfFont::firstIndex(int fontId) const {
    auto found = firstById_.find(fontId);
    return found == firstById_.end() ? 0 : found->second;
}

bool RtfFont::parse(RtfInput& input) {
    int depth = 1;
    std::size_t current = 0;
    std::string word;
    std::int32_t param = 0;
    while (!input.eof()) {
        int c = input.get();
        if (c == '{') {
            ++depth;
            if (depth > 2) {
                RtfIgnoreGroup(input);
                depth = 2;
            }
        } else if (c == '}') {
            --depth;
        } else if (c == '\\') {
            RtfParseCommand(input, word, param);
            if (equalsIgnoreCase(word, "f")) {
                append(param, -1, "", "");
                current = name.size() - 1;
            } else if (equalsIgnoreCase(word, "fcharset")) {
                charset[current] = param;
            } else if (isFamilyWord(word)) {
                family[current] = word;
            }
        } else if (c == '\r' || c == '\n') {
            // line breaks of the file
        } else {
            input.back();
            std::string label = RtfParseLabel(input);
            // A name is never replaced by nothing: Word puts groups such as an alternative
            // name between a font's name and its semicolon.
            if (!label.empty() || name[current].empty()) {
                name[current] = std::move(label);
            }
        }
        if (depth == 0) {
            return true;
        }
    }
    return false;
}

std::string RtfFont::getfont(int fontId) const {
    int i = firstIndex(fontId);
    if (i == 0) {
        return "System";
    }
    if (installed_ && installed_->has(name[i])) {
        return name[i];
    }
    std::string_view substitute = familySubstitute(family[i]);
    if (installed_ && installed_->has(substitute)) {
        return std::string(substitute);
    }
    return "System";
}

int RtfFont::getcharset(int fontId) const {
    int i = firstIndex(fontId);
    return i == 0 ? 0 : charset[i];
}

int RtfFont::getid(std::string_view fontName) const {
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (equalsIgnoreCase(name[i], fontName)) {
            return id[i];
        }
    }
    return 0;
}

void RtfFont::addfont(std::string_view fontName) {
    std::string_view fam = "fnil";
    if (equalsIgnoreCase(fontName, "Times")) {
        fam = "froman";
    } else if (equalsIgnoreCase(fontName, "Helvetica")) {
        fam = "fswiss";
    } else if (equalsIgnoreCase(fontName, "Courier")) {
        fam = "fmodern";
    }
    append(count() + 1, 0, fam, fontName);
}

std::string RtfFont::getstring() const {
    std::string out = "{\\fonttbl";
    for (std::size_t i = 1; i < name.size(); ++i) {
        out += "{\\f" + std::to_string(id[i]);
        if (charset[i] > 0) {
            out += "\\fcharset" + std::to_string(charset[i]);
        }
        if (!family[i].empty()) {
            out += "\\" + family[i];
        }
        out += " " + name[i] + ";}";
    }
    out += "}";
    return out;
}

bool RtfColor::parse(RtfInput& input) {
    c.clear();
    Color current;
    std::string word;
    std::int32_t param = 0;
    while (!input.eof()) {
        int ch = input.get();
        if (ch == '{') {
            RtfIgnoreGroup(input);
        } else if (ch == '}') {
            c.push_back(current);
            break;
        } else if (ch == ';') {
            c.push_back(current);
        } else if (ch == '\\') {
            RtfParseCommand(input, word, param);
            if (equalsIgnoreCase(word, "red")) {
                current.red = component(param);
            } else if (equalsIgnoreCase(word, "green")) {
                current.green = component(param);
            } else if (equalsIgnoreCase(word, "blue")) {
                current.blue = component(param);
            }
        }
    }
    return true;
}

Color RtfColor::getcolor(int i) const {
    if (i >= 1 && i <= count()) {
        return c[static_cast<std::size_t>(i)];
    }
    return Color{};
}

int RtfColor::getid(const Color& color) const {
    for (std::size_t i = 1; i < c.size(); ++i) {
        if (c[i] == color) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

std::string RtfColor::getstring() const {
    std::string out = "{\\colortbl;";
    for (std::size_t i = 1; i < c.size(); ++i) {
        out += "\\red" + std::to_string(c[i].red) + "\\green" + std::to_string(c[i].green) +
               "\\blue" + std::to_string(c[i].blue) + ";";
    }
    out += "}";
    return out;
}

void RtfStylesheet::Parse(RtfInput& input) {
    int depth = 1;
    std::string word;
    std::int32_t param = 0;
    while (!input.eof()) {
        int c = input.get();
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            --depth;
        } else if (c == '\\') {
            param = 0;
            RtfParseCommand(input, word, param);
            if (equalsIgnoreCase(word, "s")) {
                id = param;
            } else if (equalsIgnoreCase(word, "sbasedon")) {
                sbasedon = param;
            } else if (equalsIgnoreCase(word, "snext")) {
                snext = param;
            } else if (word == "*") {
                RtfIgnoreGroup(input);
                --depth;
            } else {
                commands.push_back(word);
                parameters.push_back(param);
            }
        } else if (c == ' ' || c == '\r' || c == '\n') {
            // separators
        } else {
            input.back();
            label = RtfParseLabel(input);
        }
        if (depth <= 0) {
            return;
        }
    }
}

void RtfStylesheet::Apply(RtfParser& parser) const {
    for (std::size_t i = 0; i < commands.size(); ++i) {
        parser.ReplayCommand(commands[i], parameters[i]);
    }
}

} // namespace quorvel::rtf
