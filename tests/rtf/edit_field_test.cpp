#include "rtf/rtf_edit_field.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvel::rtf;

namespace {

// The text of each run with its style.
struct Piece {
    std::string text;
    RtfStyle style;
};

std::vector<Piece> pieces(const RtfEditField& field) {
    std::vector<Piece> out;
    for (const RtfRun& run : field.Runs()) {
        out.push_back({field.Text().substr(run.begin, run.length), field.Style(run.style)});
    }
    return out;
}

RtfState stateWith(void (*change)(RtfState&)) {
    RtfState s;
    change(s);
    return s;
}

TEST(RtfEditField, InsertsEachRunInTheStyleItWasWrittenIn) {
    RtfEditField field;
    RtfStyle before;
    before.font = "Courier";
    field.SetInsertionStyle(before);
    ASSERT_TRUE(field.Preprocess());
    field.Write("abc");
    field.SetState(stateWith([](RtfState& s) { s.bold = true; }));
    field.Write("de");
    field.Write("f");
    field.SetState(stateWith([](RtfState& s) { s.bold = true; })); // same style: one run
    field.Write("g");
    ASSERT_TRUE(field.Postprocess());
    EXPECT_EQ(field.Text(), "abcdefg");
    auto p = pieces(field);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].text, "abc");
    EXPECT_EQ(p[0].style.font, "Courier");
    EXPECT_FALSE(p[0].style.bold);
    EXPECT_EQ(p[1].text, "defg");
    EXPECT_TRUE(p[1].style.bold);
    EXPECT_EQ(p[1].style.font, "System");

    // A second document starts empty.
    field.Preprocess();
    field.Write("new");
    field.Postprocess();
    EXPECT_EQ(field.Text(), "new");
    EXPECT_EQ(pieces(field).size(), 1u);
}

TEST(RtfEditField, ShowsCapitalsAndSmallCapitals) {
    RtfEditField field;
    field.Preprocess();
    field.SetState(stateWith([](RtfState& s) { s.smallcapitals = true; }));
    field.Write("Hello");
    field.SetState(stateWith([](RtfState& s) { s.capitals = true; }));
    field.Write("straße 1ö");
    field.Postprocess();
    EXPECT_EQ(field.Text(), "HELLOSTRASSE 1Ö");
    auto p = pieces(field);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].text, "H");
    EXPECT_EQ(p[0].style.size, 12);
    EXPECT_EQ(p[1].text, "ELLO");
    EXPECT_EQ(p[1].style.size, 10); // 12 x 0.8, rounded up
    EXPECT_EQ(p[2].text, "STRASSE 1Ö");
    EXPECT_EQ(p[2].style.size, 12);
}

TEST(RtfEditField, MapsStateToStyleAndBack) {
    RtfEditField field;
    field.Preprocess();
    RtfState s;
    s.font = "Times";
    s.textsize = 14;
    s.foregroundcolor = {1, 2, 3};
    s.italic = s.outline = true;
    s.expanded = 1.5;
    s.alignment = 4;
    s.backgroundcolor = {9, 9, 9};
    field.SetState(s);
    const RtfStyle& style = field.InsertionStyle();
    EXPECT_EQ(style.alignment, 1); // justified is shown left-aligned
    EXPECT_TRUE(style.extended);
    EXPECT_FALSE(style.condensed);

    RtfState back = field.GetState();
    EXPECT_EQ(back.font, "Times");
    EXPECT_EQ(back.textsize, 14);
    EXPECT_EQ(back.foregroundcolor, (Color{1, 2, 3}));
    EXPECT_TRUE(back.italic && back.outline);
    EXPECT_EQ(back.expanded, 3);
    EXPECT_EQ(back.backgroundcolor, Color{});

    EXPECT_FALSE(field.StyleChanged(back));
    back.alignment = 4;
    EXPECT_FALSE(field.StyleChanged(back));
    back.font = "TIMES";
    EXPECT_FALSE(field.StyleChanged(back));
    back.expanded = 0;
    EXPECT_TRUE(field.StyleChanged(back));
    back.expanded = 3;
    back.bold = true;
    EXPECT_TRUE(field.StyleChanged(back));
}

class Collector : public RtfTarget {
public:
    void SetState(const RtfState& s) override { states.push_back(s); }
    void Write(std::string_view t) override { writes.emplace_back(t); }
    bool Preprocess() override { return true; }
    bool Postprocess() override {
        finished = true;
        return true;
    }
    void Export(RtfTarget&) override {}
    std::vector<RtfState> states;
    std::vector<std::string> writes;
    bool finished = false;
};

TEST(RtfEditField, ExportsCharactersWithAStateAtEachChangeOfStyle) {
    RtfEditField field;
    field.Preprocess();
    field.Write("añ");
    field.SetState(stateWith([](RtfState& s) { s.bold = true; }));
    field.Write("€😀");
    field.Postprocess();

    Collector out;
    field.Export(out);
    EXPECT_EQ(out.writes, (std::vector<std::string>{"a", "ñ", "€", "😀"}));
    ASSERT_EQ(out.states.size(), 2u);
    EXPECT_FALSE(out.states[0].bold);
    EXPECT_TRUE(out.states[1].bold);
    EXPECT_TRUE(out.finished);

    RtfEditField empty;
    empty.Preprocess();
    empty.Postprocess();
    Collector none;
    empty.Export(none);
    EXPECT_EQ(none.states.size(), 1u);
    EXPECT_EQ(none.writes, (std::vector<std::string>{""}));
}

} // namespace
