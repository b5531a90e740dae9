#pragma once
// The tables a document's header defines: fonts, colours and styles. Each reads its own group
// from the input; the font and colour tables can also be written back out as rich text.

#include "rtf/rtf_input.hpp"
#include "rtf/rtf_state.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quorvel::rtf {

class RtfParser;

// The fonts installed on this computer, looked up without regard to letter case.
class RtfInstalledFonts {
public:
    RtfInstalledFonts() = default;
    explicit RtfInstalledFonts(const std::vector<std::string>& names);
    bool has(std::string_view name) const;
    bool empty() const { return folded_.empty(); }

private:
    std::unordered_set<std::string> folded_;
};

// The font table. Entries are numbered from 1 to count(); index 0 exists and is no entry.
class RtfFont {
public:
    // With no installed fonts given, none is installed: every font resolves to the substitute
    // of its family or to "System".
    RtfFont();
    explicit RtfFont(std::shared_ptr<const RtfInstalledFonts> installed);

    // Reads the table's group; call it just after the "fonttbl" word. True when the table's
    // closing brace was read, false when the input ended first.
    bool parse(RtfInput& input);

    int count() const { return static_cast<int>(name.size()) - 1; }
    // The font to show for a font number: the table's font when it is installed, else the
    // substitute of its family when that is installed, else "System".
    std::string getfont(int id) const;
    // The "fcharset" number of a font; -1 when its entry has none, 0 when there is no entry.
    int getcharset(int id) const;
    // The number of the first font of that name (letter case ignored); 0 when there is none.
    int getid(std::string_view fontName) const;
    bool has(int id) const { return firstIndex(id) > 0; }
    void addfont(std::string_view fontName);
    std::string getstring() const;

    // Parallel arrays, index 0 included.
    std::vector<std::string> name;
    std::vector<int> id;
    std::vector<std::string> family;
    std::vector<int> charset;

private:
    void append(int fontId, int fontCharset, std::string_view fontFamily,
                std::string_view fontName);
    int firstIndex(int fontId) const;

    std::shared_ptr<const RtfInstalledFonts> installed_;
    std::unordered_map<int, int> firstById_;
};

// The colour table. Entry 0 is the one before the table's first semicolon.
class RtfColor {
public:
    // Reads the table's group; call it just after the "colortbl" word. Components are limited
    // to 0..255.
    bool parse(RtfInput& input);

    int count() const { return static_cast<int>(c.size()) - 1; }
    // Entry i for 1 <= i <= count(), black otherwise.
    Color getcolor(int i) const;
    // The first index from 1 of that colour; 0 when there is none.
    int getid(const Color& color) const;
    void addcolor(const Color& color) { c.push_back(color); }
    std::string getstring() const;

    std::vector<Color> c;
};

// One style of a style sheet: its number, the style it is based on, and the formatting words
// of its definition, replayed on the parser's state when the style is applied.
class RtfStylesheet {
public:
    static constexpr int kNone = 222;

    // Reads one style definition; call it just after the definition's opening brace.
    void Parse(RtfInput& input);
    void Apply(RtfParser& parser) const;

    int sbasedon = kNone;
    int snext = -1;
    std::vector<std::string> commands;
    std::vector<std::int32_t> parameters;
    int id = kNone;
    std::string label;
};

} // namespace quorvel::rtf
