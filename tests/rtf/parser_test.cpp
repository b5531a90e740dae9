#include "rtf/rtf_edit_field.hpp"
#include "rtf/rtf_parser.hpp"
#include "text/text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <string>
#include <vector>

using namespace quorvel::rtf;

namespace {

// Records what the parser hands over, in order.
class Recorder : public RtfTarget {
public:
    struct Event {
        bool isState;
        RtfState state;
        std::string text;
    };
    void SetState(const RtfState& state) override { events.push_back({true, state, {}}); }
    void Write(std::string_view text) override {
        events.push_back({false, {}, std::string(text)});
        this->text += text;
    }
    bool Preprocess() override {
        ++preprocessed;
        return accept;
    }
    bool Postprocess() override {
        ++postprocessed;
        return true;
    }
    void Export(RtfTarget&) override {}

    std::vector<Event> events;
    std::string text;
    int preprocessed = 0;
    int postprocessed = 0;
    bool accept = true;
};

std::string textOf(std::string_view doc) {
    RtfEnvironment env;
    env.longDate = "Friday, December 11, 2026";
    env.abbreviatedDate = "Fri, Dec 11, 2026";
    env.time = "11:35:56";
    return RtfToText(doc, std::move(env));
}

// Parses into a styled field with Times and Helvetica installed.
struct Parsed {
    explicit Parsed(std::string_view doc) : input(doc) {
        RtfEnvironment env;
        env.installedFonts = [] { return std::vector<std::string>{"Times", "Helvetica"}; };
        parser = RtfParser(std::move(env));
        parser.Parse(input, field);
    }
    const RtfStyle& styleOf(std::string_view piece) const {
        std::size_t at = field.Text().find(piece);
        EXPECT_NE(at, std::string::npos) << piece;
        return field.StyleAt(at);
    }
    RtfInput input;
    RtfEditField field;
    RtfParser parser;
};

TEST(RtfParser, ReadsAMinimalDocument) {
    Parsed p("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times;}}\\f0\\fs24 Hello\\par}");
    EXPECT_EQ(p.field.Text(), "Hello\r");
    const RtfStyle& style = p.styleOf("Hello");
    EXPECT_EQ(style.font, "Times");
    EXPECT_EQ(style.size, 12);
    EXPECT_EQ(style.alignment, 1);
    EXPECT_EQ(p.parser.rtfversion(), 1);
    EXPECT_EQ(p.parser.depth(), 1u);
}

TEST(RtfParser, RestoresTheStateAfterAGroup) {
    Recorder target;
    RtfInput input("{\\rtf1 a{\\b b}c}");
    RtfParser parser;
    parser.Parse(input, target);
    EXPECT_EQ(target.text, "abc");
    auto c = std::find_if(target.events.begin(), target.events.end(),
                          [](const Recorder::Event& e) { return !e.isState && e.text == "c"; });
    ASSERT_NE(c, target.events.end());
    ASSERT_NE(c, target.events.begin());
    auto before = std::prev(c);
    ASSERT_TRUE(before->isState);
    EXPECT_FALSE(before->state.bold);
    EXPECT_EQ(target.preprocessed, 1);
    EXPECT_EQ(target.postprocessed, 1);
}

TEST(RtfParser, FormattingDoesNotLeakOutOfAGroupHoldingASkippedGroup) {
    Parsed p("{\\rtf1{\\fonttbl{\\f0 Helvetica;}}{\\colortbl;\\red255\\green0\\blue0;}"
             "{\\b\\cf1 bold{\\*\\bkmkstart x}{\\info{\\title t}}more} after}");
    EXPECT_EQ(p.field.Text(), "boldmore after");
    EXPECT_TRUE(p.styleOf("more").bold);
    EXPECT_FALSE(p.styleOf("after").bold);
    EXPECT_EQ(p.styleOf("after").color, Color{});
    EXPECT_EQ(p.parser.depth(), 1u);
}

TEST(RtfParser, FlagsAreOnOnlyWithoutANumberOrWithOne) {
    struct Case {
        std::string word;
        std::int32_t param;
        bool on;
    } cases[] = {
        {"b", 1, true}, {"B", 1, true}, {"b", 0, false}, {"b", 2, false}, {"b", -1, false}};
    for (const Case& c : cases) {
        RtfParser parser;
        parser.DoCommand(c.word, c.param);
        EXPECT_EQ(parser.state().bold, c.on) << c.word << c.param;
    }
    RtfParser parser;
    for (const char* w : {"i", "outl", "shad", "caps", "smcaps", "ul"}) {
        parser.DoCommand(w, 1);
    }
    const RtfState& s = parser.state();
    EXPECT_TRUE(s.italic && s.outline && s.shadow && s.capitals && s.smallcapitals && s.underline);
    parser.DoCommand("ulnone", 1);
    EXPECT_FALSE(parser.state().underline);
    parser.DoCommand("uldb", 0);
    EXPECT_TRUE(parser.state().underline);
    parser.DoCommand("expnd", -6);
    parser.DoCommand("fs", 23);
    parser.DoCommand("qj", 1);
    EXPECT_EQ(parser.state().expanded, -1.5);
    EXPECT_EQ(parser.state().textsize, 11.5);
    EXPECT_EQ(parser.state().alignment, 4);
    parser.DoCommand("plain", 1);
    EXPECT_FALSE(parser.state().italic);
    EXPECT_EQ(parser.state().textsize, 11.5);
}

TEST(RtfParser, WordsAndSymbolsProduceTheirText) {
    struct Case {
        std::string body, text;
    } cases[] = {
        {"a\\emdash b", "a\u2014b"},
        {"a\\endash b", "a\u2013b"},
        {"\\bullet\\lquote x\\rquote\\ldblquote y\\rdblquote", "\u2022\u2018x\u2019\u201Cy\u201D"},
        {"a\\tab b\\line c\\par d", "a b\rc\rd"},
        {"a\\-b\\:c", "abc"},
        {"Mr.\\~Smith, well\\_known", "Mr.\u00A0Smith, well\u2011known"},
        {"\\{\\}\\\\", "{}\\"},
        {"a\\\r\nb\\\nc", "a\rb\rc"},
        {"a\\page b\\sect c\\column d", "abcd"},
        {"\\trowd\\cellx100 A\\cell B\\cell\\row next", "A\tB\t\rnext"},
        {"\\chdate \\chdpa \\chtime", "Friday, December 11, 2026Fri, Dec 11, 202611:35:56"},
        {"\\unknownword7 \\foo x", "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textOf("{\\rtf1 " + c.body + "}"), c.text) << c.body;
    }
}

TEST(RtfParser, DecodesHexEscapesAndRawBytesInTheDocumentsEncoding) {
    struct Case {
        std::string doc, text;
    } cases[] = {
        {"{\\rtf1\\ansi caf\\'e9}", "caf\u00E9"},
        {"{\\rtf1\\ansi caf\xE9}", "caf\u00E9"}, // raw byte
        {"{\\rtf1\\mac caf\\'8e}", "caf\u00E9"}, // Mac OS Roman
        {"{\\rtf1 \\'e9\xE9}", "\u00C8\u00C8"},  // no encoding word: Mac OS Roman
        {"{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\xE8}", "\u041F\u0440\u0438"},
        {"{\\rtf1\\ansi\\ansicpg1250 \\'b9}", "\u0105"},
        {"{\\rtf1\\ansi\\ansicpg850 \\'e9}", "\u00E9"}, // unknown code page: stays Latin-1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textOf(c.doc), c.text) << c.doc;
    }
}

TEST(RtfParser, ConvertsDoubleBytePairsTogether) {
    struct Case {
        std::string doc, text;
    } cases[] = {
        {"{\\rtf1\\ansi\\ansicpg932 \\'93\\'fa\\'96\\'7b}", "\u65E5\u672C"},
        {"{\\rtf1\\ansi\\ansicpg932 \x93\xFA\x96{}x}", "\u65E5\uFFFDx"},   // a brace parts them
        {"{\\rtf1\\ansi\\ansicpg932 \x93\xFA\x8C\xEA}", "\u65E5\u8A9E"},   // raw bytes
        {"{\\rtf1\\ansi\\ansicpg932 \x82\x60\\'82\\'a0}", "\uFF21\u3042"}, // ASCII-range trail
        {"{\\rtf1\\ansi\\ansicpg932 \\'82\r\n\\'a0}", "\u3042"},           // line break inside
        {"{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}", "\u4E2D\u6587"},
        {"{\\rtf1\\ansi\\ansicpg949 \\'c7\\'d1}", "\uD55C"},
        {"{\\rtf1\\ansi\\ansicpg950 \\'a4\\'a4}", "\u4E2D"},
        {"{\\rtf1\\ansi\\ansicpg932 \\'82}", "\uFFFD"}, // cut off after a lead byte
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textOf(c.doc), c.text) << c.doc;
    }
}

TEST(RtfParser, UnicodeEscapesSkipTheirSubstitutes) {
    struct Case {
        std::string body, text;
    } cases[] = {
        {"\\u8364\\'80x", "\u20ACx"},
        {"\\u8364\\'80 x", "\u20AC x"}, // the space after a hex escape is text
        {"\\u8364?x", "\u20ACx"},
        {"\\u8364 ?x", "\u20ACx"},
        {"\\uc0\\u8364 x", "\u20ACx"},
        {"\\uc0\\u8364\\par x", "\u20AC\rx"},
        {"\\uc1\\u8364\\par x", "\u20ACx"}, // a control word is one unit
        {"\\uc2\\u8364\\'80\\'80x", "\u20ACx"},
        {"\\uc2\\u26085\\'93\\'fax", "\u65E5x"},
        {"{\\uc0\\u8364}\\u8364?y", "\u20AC\u20ACy"}, // a group restores uc
        {"{\\uc3\\u8364 a}b", "\u20ACb"},             // a brace ends the substitutes
        {"\\u8364\r\n?x", "\u20ACx"},
        {"\\u-4064?", "\uF020"}, // negative: plus 65536
        {"\\u55357?\\u56832?!", "\U0001F600!"},
        {"\\u-10179?\\u-8704?", "\U0001F600"},
        {"\\uc0\\u55357 \\u56832 ", "\U0001F600"},
        {"\\u55357?x", "\uFFFDx"},
        {"\\u56832?x", "\uFFFDx"},
        {"\\u55357?\\u65?", "\uFFFDA"},
        {"\\u55357?", "\uFFFD"},
        {"\\u99999999?", "\uFFFD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textOf("{\\rtf1\\ansi " + c.body + "}"), c.text) << c.body;
    }
}

TEST(RtfParser, SkipsPicturesHeadersAndStarredGroupsButKeepsFieldResults) {
    struct Case {
        std::string body, text;
    } cases[] = {
        {"a{\\pict\\pngblip\\picw10 89504e470d0a1a0a}b", "ab"},
        {"a{\\*\\shppict{\\pict\\pngblip 8950}}{\\nonshppict{\\pict\\wmetafile8 0100}}b", "ab"},
        {"a{\\wmetafile8 0100}{\\header page}{\\footerr f}{\\xe idx}{\\tc toc}b", "ab"},
        {"a{\\object\\objemb{\\*\\objdata 01}{\\result r}}b", "ab"},
        {"a{\\pict\\bin6 }}{{{{}b", "ab"},
        {"see {\\field{\\*\\fldinst{HYPERLINK \"http://example.com\"}}"
         "{\\fldrslt{\\ul\\cf1 Example}}} now",
         "see Example now"},
        {"page {\\field{\\fldinst PAGE}{\\fldrslt 3}}", "page 3"},
        {"a\\bin3 xyzb", "ab"},
        {"a\\bin-4 b", "ab"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textOf("{\\rtf1\\ansi " + c.body + "}"), c.text) << c.body;
    }
}

TEST(RtfParser, PlainTextComesThroughWithoutItsLineBreaks) {
    EXPECT_EQ(textOf("Hello\r\nworld,\nagain\r"), "Helloworld,again");
    // An unmatched closing brace ends the reading; what came before is kept.
    EXPECT_EQ(textOf("kept}lost"), "kept");
    EXPECT_EQ(textOf("{\\rtf1 a}b}c"), "ab");
}

TEST(RtfParser, TablesAffectTheState) {
    Parsed p("{\\rtf1\\deff1{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Arial;}}"
             "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255}"
             "default {\\f0\\cf2 times} {\\f9\\cf7 none}}");
    EXPECT_EQ(p.styleOf("default").font, "Helvetica"); // the default font's substitute
    EXPECT_EQ(p.styleOf("times").font, "Times");
    EXPECT_EQ(p.styleOf("times").color, (Color{0, 0, 255}));
    EXPECT_EQ(p.styleOf("none").font, "System");
    EXPECT_EQ(p.styleOf("none").color, Color{});

    // Without tables, or with a font table cut off, font and colour words change nothing.
    Parsed bare("{\\rtf1 {\\f1\\cf1 x}");
    EXPECT_EQ(bare.styleOf("x").font, "System");
    Parsed cut("{\\rtf1 \\f0 x{\\fonttbl{\\f0\\froman Times;}");
    EXPECT_EQ(cut.parser.fonttable(), nullptr);
}

TEST(RtfParser, FontCharacterSetsChooseTheEncoding) {
    std::string doc = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                      "{\\f1\\froman\\fcharset204 Times Cyr;}{\\f2\\froman\\fcharset161 Greek;}"
                      "{\\f3\\ftech\\fcharset2 Symbol;}}"
                      "\\f0 \\'e9 \\f1 \\'e9 {\\f2 \\'e1} {\\f3 \\'e9}}";
    EXPECT_EQ(textOf(doc), "\u00E9 \u0439 \u03B1 \u0439");
}

TEST(RtfParser, AppliesStylesAfterTheirBases) {
    Parsed p("{\\rtf1{\\stylesheet{\\s1\\b\\fs20 Base;}{\\s2\\sbasedon1\\i\\fs30 Middle;}"
             "{\\s3\\sbasedon2\\b0 Top;}{\\s4\\sbasedon9\\ul Orphan;}"
             "{\\s5\\sbasedon6\\qc Loop5;}{\\s6\\sbasedon5\\qr Loop6;}"
             "{\\s7\\b \\'dcberschrift \\u1047?\\par\\fonttbl x;}}"
             "{\\s3 top}{\\s4 orphan}{\\s5 loop}{\\s7 heading}}");
    EXPECT_EQ(p.field.Text(), "toporphanloopheading");
    const RtfStyle& top = p.styleOf("top");
    EXPECT_FALSE(top.bold);
    EXPECT_TRUE(top.italic);
    EXPECT_EQ(top.size, 15);
    EXPECT_TRUE(p.styleOf("orphan").underline);
    EXPECT_EQ(p.styleOf("loop").alignment, 2); // 6 then 5: the style's own word wins
    EXPECT_TRUE(p.styleOf("heading").bold);
}

TEST(RtfParser, ReportsProgressAndStopsOnCancel) {
    std::string doc = "{\\rtf1 ";
    for (int i = 0; i < 400; ++i) {
        doc += "word number " + std::to_string(i) + "\\par\n";
    }
    doc += "}";

    std::vector<int> values;
    RtfEnvironment env;
    env.progress = [&values](int v) { values.push_back(v); };
    RtfInput input(doc);
    RtfEditField field;
    RtfParser(env).Parse(input, field);
    ASSERT_GE(values.size(), 50u);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_EQ(values.back(), 100);

    values.clear();
    RtfInput small("{\\rtf1 short}");
    RtfParser(env).Parse(small, field);
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(field.Text(), "short");

    std::atomic<bool> cancel = false;
    env.cancel = &cancel;
    env.progress = [&cancel](int v) {
        if (v >= 50) {
            cancel = true;
        }
    };
    Recorder target;
    RtfInput again(doc);
    RtfParser(env).Parse(again, target);
    EXPECT_EQ(target.postprocessed, 1);
    EXPECT_FALSE(target.text.empty());
    EXPECT_LT(target.text.size(), textOf(doc).size());
    EXPECT_EQ(textOf(doc).compare(0, target.text.size(), target.text), 0);
}

TEST(RtfParser, ARefusingTargetGetsNothing) {
    Recorder target;
    target.accept = false;
    RtfInput input("{\\rtf1 text}");
    RtfParser().Parse(input, target);
    EXPECT_TRUE(target.events.empty());
    EXPECT_EQ(target.postprocessed, 0);
}

TEST(RtfParser, EndsOnHostileInput) {
    std::string deep =
        "{\\rtf1 " + std::string(200'000, '{') + "\\b deep" + std::string(200'000, '}') + " out}";
    EXPECT_EQ(textOf(deep), "deep out");

    std::string chain = "{\\rtf1{\\stylesheet";
    for (int i = 0; i < 2000; ++i) {
        chain += "{\\s" + std::to_string(i) + "\\sbasedon" + std::to_string(i + 1) + "\\b s;}";
    }
    chain += "}\\s0 x\\s0 y}";
    EXPECT_EQ(textOf(chain), "xy");

    // A huge style applied over and over.
    std::string heavy = "{\\rtf1{\\stylesheet{\\s1";
    for (int i = 0; i < 20'000; ++i) {
        heavy += "\\b\\i0";
    }
    heavy += " Heavy;}}";
    for (int i = 0; i < 50'000; ++i) {
        heavy += "\\s1 ";
    }
    heavy += "end}";
    EXPECT_EQ(textOf(heavy), "end");

    EXPECT_EQ(textOf("{\\rtf1 a\\fs99999999999999999999 \\u-99999999999? \\bin99999999999"),
              "a\uFFFD ");
    EXPECT_EQ(textOf("{\\rtf1 {\\uc99999999 \\u65 abc} d"), "A d");
}

TEST(RtfParser, EveryCutOfADocumentGivesValidText) {
    const std::string doc =
        "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS Mincho;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
        "{\\stylesheet{\\s1\\b Heading;}}{\\info{\\title x}}\\s1 \\'93\\'fa\\'96\\'7b "
        "{\\uc2\\u26085\\'93\\'fa} {\\f1 caf\\'e9 \\u8364?}\\u55357?\\u56832? "
        "{\\field{\\*\\fldinst HYPERLINK}{\\fldrslt link}}{\\pict 0102}\\par}";
    for (std::size_t n = 0; n <= doc.size(); ++n) {
        std::string text = textOf(std::string_view(doc).substr(0, n));
        ASSERT_TRUE(quorvel::text::isValidUtf8(text)) << n;
    }
    EXPECT_EQ(textOf(doc), "\u65E5\u672C \u65E5 caf\u00E9 \u20AC\U0001F600 link\r");
}

} // namespace
