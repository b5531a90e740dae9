#include "rtf/rtf_state.hpp"
#include "rtf/rtf_tables.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace quorvel::rtf;

namespace {

TEST(RtfState, StartsPlainTwelvePointSystemBlackLeftMacRoman) {
    RtfState s;
    EXPECT_EQ(s.font, "System");
    EXPECT_EQ(s.textsize, 12);
    EXPECT_EQ(s.foregroundcolor, Color{});
    EXPECT_EQ(s.alignment, 1);
    EXPECT_EQ(s.encoding, 0);
    EXPECT_EQ(s.unicodeskip, 1);
    EXPECT_FALSE(s.bold || s.italic || s.underline || s.outline || s.shadow || s.capitals ||
                 s.smallcapitals);
    EXPECT_EQ(s.expanded, 0);
}

TEST(RtfState, SetPlainResetsOnlyCharacterFormatting) {
    RtfState s;
    s.bold = s.italic = s.capitals = s.smallcapitals = s.underline = true;
    s.expanded = 2.5;
    s.font = "Courier";
    s.textsize = 9;
    s.foregroundcolor = {255, 0, 0};
    s.alignment = 3;
    s.encoding = 1282;
    s.SetPlain();
    EXPECT_FALSE(s.bold || s.italic || s.capitals || s.smallcapitals || s.underline);
    EXPECT_EQ(s.expanded, 0);
    EXPECT_EQ(s.font, "Courier");
    EXPECT_EQ(s.textsize, 9);
    EXPECT_EQ(s.foregroundcolor, (Color{255, 0, 0}));
    EXPECT_EQ(s.alignment, 3);
    EXPECT_EQ(s.encoding, 1282);
}

TEST(RtfState, SetEncodingMapsWordsCodePagesAndCharacterSets) {
    struct Case {
        std::string word;
        int n;
        int expected; // starting from 1045, so "unchanged" shows as 1045
    } cases[] = {
        {"mac", 0, 0},           {"ANSI", 0, 1280},       {"pc", 0, 1280},
        {"pca", 0, 1280},        {"deflang", 1033, 1045}, {"ansicpg", 1251, 1282},
        {"ansicp", 1252, 1280},  {"ansicpg", 850, 1045},  {"ansicpg", 437, 1045},
        {"ansicpg", 932, 1056},  {"ansicpg", 1361, 1296}, {"ansicpg", 866, 1051},
        {"fcharset", 0, 1280},   {"fcharset", 77, 0},     {"fcharset", 136, 2563},
        {"fcharset", 128, 1056}, {"fcharset", 129, 1058}, {"fcharset", 130, 1296},
        {"fcharset", 134, 1057}, {"fcharset", 161, 1283}, {"fcharset", 162, 1284},
        {"fcharset", 163, 1288}, {"fcharset", 177, 1285}, {"fcharset", 178, 1286},
        {"fcharset", 186, 1287}, {"fcharset", 204, 1282}, {"fcharset", 222, 1053},
        {"fcharset", 238, 1281}, {"fcharset", 2, 1045},   {"fcharset", -1, 1045},
        {"fcharset", 1, 1045},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word + " " + std::to_string(c.n));
        RtfState s;
        s.encoding = 1045;
        s.SetEncoding(c.word, c.n);
        EXPECT_EQ(s.encoding, c.expected);
    }
}

TEST(RtfState, DecodesByteCodesOfEveryEncodingToUtf8) {
    struct Case {
        int encoding;
        int code;
        std::string text;
    } cases[] = {
        {0, 233, "\u00C8"},                             // Mac OS Roman: È
        {-5, 233, "\u00C8"},                            // 0 or less is Mac OS Roman
        {0, 219, "\u20AC"},                             // euro sign of Mac OS Roman
        {1280, 233, "\u00E9"},                          // é
        {1280, 128, "\u20AC"},  {1281, 0xB9, "\u0105"}, // ą
        {1282, 0xC0, "\u0410"},                         // А
        {1283, 0xE1, "\u03B1"},                         // α
        {1284, 0xFD, "\u0131"},                         // ı
        {1285, 0xE0, "\u05D0"},                         // א
        {1286, 0xC7, "\u0627"},                         // ا
        {1287, 0xE0, "\u0105"}, {1288, 0xE0, "\u00E0"}, {1051, 0x80, "\u0410"},
        {1045, 0x80, "\u00C7"}, {1053, 0xA1, "\u0E01"}, // ก
        {1280, 65, "A"},        {1280, 0x81, "\uFFFD"}, // undefined in Windows Latin-1
        {1056, 0xB1, "\uFF71"}, // half-width katakana ｱ, a single byte of Shift-JIS
        {1056, 0x82, "\uFFFD"}, // a lead byte alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.encoding) + " " + std::to_string(c.code));
        RtfState s;
        s.encoding = c.encoding;
        EXPECT_EQ(s.Decode(c.code), c.text);
    }
    RtfState s;
    s.encoding = 9999; // no converter
    EXPECT_EQ(s.Decode(65), "");
}

TEST(RtfState, DecodesDoubleByteCharactersAsPairs) {
    struct Case {
        int encoding;
        int lead, trail;
        std::string text;
    } cases[] = {
        {1056, 0x82, 0xA0, "\u3042"}, // あ
        {1056, 0x93, 0xFA, "\u65E5"}, // 日
        {1057, 0xD6, 0xD0, "\u4E2D"}, // 中
        {1058, 0xC7, 0xD1, "\uD55C"}, // 한
        {1059, 0xA4, 0xA4, "\u4E2D"},  {2563, 0xA4, 0xA4, "\u4E2D"},
        {1296, 0xD0, 0x65, "\uD55C"},  // 한 in Johab
        {1056, 0x82, 0x20, "\uFFFD "}, // no character: the trail is taken alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.encoding));
        RtfState s;
        s.encoding = c.encoding;
        EXPECT_TRUE(s.IsLeadByte(c.lead));
        std::string out;
        s.AppendDecodedPair(c.lead, c.trail, out);
        EXPECT_EQ(out, c.text);
    }
    RtfState latin;
    latin.encoding = 1280;
    EXPECT_FALSE(latin.IsLeadByte(0x82));
}

TEST(RtfState, DecodeUnicodeGivesTheCharacterUnderEveryEncoding) {
    for (int encoding : {0, 1280, 1282, 1056}) {
        RtfState s;
        s.encoding = encoding;
        EXPECT_EQ(s.DecodeUnicode(0x20AC), "\u20AC");
    }
    RtfState s;
    EXPECT_EQ(s.DecodeUnicode(0x1F600), "\U0001F600");
    EXPECT_EQ(s.DecodeUnicode(0xD800), "\uFFFD");
    EXPECT_EQ(s.DecodeUnicode(-3), "\uFFFD");
    EXPECT_EQ(s.DecodeUnicode(0x110000), "\uFFFD");
}

std::shared_ptr<const RtfInstalledFonts> fonts(std::vector<std::string> names) {
    return std::make_shared<RtfInstalledFonts>(names);
}

TEST(RtfFont, ReadsBothTableLayoutsAndResolvesInstalledFonts) {
    const std::string grouped = "{\\f0\\froman\\fcharset0 Times New Roman;}"
                                "{\\f1\\fswiss\\fcharset204{\\*\\panose 020b}Arial Cyr;}"
                                "{\\f2\\fnil Missing;}{\\f11\\fmodern\\fcharset128 MS Mincho"
                                "{\\*\\falt Alt Name};}}rest";
    const std::string flat = "\\f0\\froman\\fcharset0 Times New Roman;"
                             "\\f1\\fswiss\\fcharset204 Arial Cyr;\\f2\\fnil Missing;"
                             "\\f11\\fmodern\\fcharset128 MS Mincho;}rest";
    for (const std::string& text : {grouped, flat}) {
        SCOPED_TRACE(text);
        RtfFont table(fonts({"times new roman", "Helvetica"}));
        RtfInput input(text);
        ASSERT_TRUE(table.parse(input));
        EXPECT_EQ(input.rest(), "rest");
        ASSERT_EQ(table.count(), 4);
        EXPECT_EQ(table.name[4], "MS Mincho");
        EXPECT_EQ(table.getfont(0), "Times New Roman");
        EXPECT_EQ(table.getfont(1), "Helvetica"); // not installed: its family's substitute
        EXPECT_EQ(table.getfont(2), "System");    // Geneva is not installed either
        EXPECT_EQ(table.getfont(7), "System");    // no such font
        EXPECT_EQ(table.getcharset(1), 204);
        EXPECT_EQ(table.getcharset(2), -1);
        EXPECT_EQ(table.getcharset(7), 0);
        EXPECT_EQ(table.getid("ms mincho"), 11);
        EXPECT_EQ(table.getid("Nothing"), 0);
    }

    RtfFont cut;
    RtfInput input("{\\f0 Times;}{\\f1 Cut");
    EXPECT_FALSE(cut.parse(input));
}

TEST(RtfFont, WithNoFontsInstalledEverythingIsSystem) {
    RtfFont table;
    RtfInput input("{\\f0\\fswiss Helvetica;}}");
    ASSERT_TRUE(table.parse(input));
    EXPECT_EQ(table.getfont(0), "System");
}

TEST(RtfFont, AddfontAndGetstringWriteATableBack) {
    RtfFont table;
    table.addfont("Times");
    table.addfont("Courier");
    table.addfont("Zapfino");
    EXPECT_EQ(table.getstring(), "{\\fonttbl{\\f1\\froman Times;}{\\f2\\fmodern Courier;}"
                                 "{\\f3\\fnil Zapfino;}}");

    RtfFont read(fonts({"Zapfino"}));
    const std::string written = table.getstring();
    RtfInput input(std::string_view(written).substr(9)); // after "{\fonttbl"
    ASSERT_TRUE(read.parse(input));
    EXPECT_EQ(read.count(), 3);
    EXPECT_EQ(read.getfont(3), "Zapfino");
}

TEST(RtfColor, ReadsEntriesCarriesComponentsAndLimitsThem) {
    RtfColor table;
    RtfInput input(";\\red255\\green0\\blue0;\\blue128;\\red999\\green-4}rest");
    ASSERT_TRUE(table.parse(input));
    EXPECT_EQ(input.rest(), "rest");
    EXPECT_EQ(table.count(), 3);
    EXPECT_EQ(table.getcolor(1), (Color{255, 0, 0}));
    EXPECT_EQ(table.getcolor(2), (Color{255, 0, 128})); // red carried over
    EXPECT_EQ(table.getcolor(3), (Color{255, 0, 128})); // last entry without semicolon
    EXPECT_EQ(table.getcolor(0), Color{});
    EXPECT_EQ(table.getcolor(4), Color{});
    EXPECT_EQ(table.getid(Color{255, 0, 128}), 2);
    EXPECT_EQ(table.getid(Color{1, 2, 3}), 0);
    EXPECT_EQ(table.getstring(), "{\\colortbl;\\red255\\green0\\blue0;\\red255\\green0\\blue128;"
                                 "\\red255\\green0\\blue128;}");
}

TEST(RtfStylesheet, ParsesNumbersWordsAndLabel) {
    RtfStylesheet style;
    RtfInput input("\\s2\\sbasedon1\\snext3 \\b\\fs28\\qc{\\*\\keycode x} Heading 2;}rest");
    style.Parse(input);
    EXPECT_EQ(input.rest(), "rest");
    EXPECT_EQ(style.id, 2);
    EXPECT_EQ(style.sbasedon, 1);
    EXPECT_EQ(style.snext, 3);
    EXPECT_EQ(style.commands, (std::vector<std::string>{"b", "fs", "qc"}));
    EXPECT_EQ(style.parameters, (std::vector<std::int32_t>{1, 28, 1}));
    EXPECT_EQ(style.label, "Heading 2");

    RtfStylesheet unnumbered;
    RtfInput starred("\\*\\cs10 Default Paragraph Font;}rest");
    unnumbered.Parse(starred);
    EXPECT_EQ(unnumbered.id, RtfStylesheet::kNone);
    EXPECT_EQ(starred.rest(), "rest");
}

} // namespace
