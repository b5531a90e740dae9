// Reading speed of the rich-text reader on a 20 MB generated document of ordinary paragraphs:
// formatted runs, a bold and an italic coloured group, a hex escape and a Unicode escape.

#include "rtf/rtf_edit_field.hpp"
#include "rtf/rtf_input.hpp"
#include "rtf/rtf_parser.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kWords[] = {"lorem",      "ipsum",        "dolor",
                                       "sit",        "amet",         "consectetur",
                                       "adipiscing", "elit",         "sed",
                                       "do",         "eiusmod",      "tempor",
                                       "incididunt", "ut",           "labore",
                                       "et",         "dolore",       "magna",
                                       "aliqua",     "enim",         "ad",
                                       "minim",      "veniam",       "quis",
                                       "nostrud",    "exercitation", "ullamco",
                                       "laboris",    "nisi",         "aliquip",
                                       "ex",         "ea",           "commodo",
                                       "consequat",  "duis",         "aute",
                                       "irure",      "in",           "reprehenderit",
                                       "voluptate",  "velit",        "esse"};

std::string makeDocument(std::size_t size) {
    std::string doc = "{\\rtf1\\ansi\\ansicpg1252\\deff0"
                      "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
                      "{\\f1\\fswiss\\fcharset0 Arial;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;"
                      "\\red0\\green0\\blue255;}\n";
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    auto word = [&] { return kWords[next() % std::size(kWords)]; };
    while (doc.size() < size) {
        doc += "\\pard\\f";
        doc += std::to_string(next() % 2);
        doc += "\\fs";
        doc += std::to_string(20 + 2 * (next() % 5));
        doc += ' ';
        for (int i = 0; i < 40; ++i) {
            doc += word();
            doc += ' ';
        }
        doc += "{\\b ";
        doc += word();
        doc += "} {\\i\\cf";
        doc += std::to_string(1 + next() % 3);
        doc += " caf\\'e9 \\u8364? ";
        doc += word();
        doc += "}\\par\n";
    }
    doc += "}";
    return doc;
}

// The whole document into a styled field, as the document encryption reads it.
void BM_RtfToStyledField(benchmark::State& state) {
    const std::string doc = makeDocument(20u << 20);
    for (auto _ : state) {
        quorvel::rtf::RtfInput input(doc);
        quorvel::rtf::RtfEditField field;
        quorvel::rtf::RtfParser parser;
        parser.Parse(input, field);
        benchmark::DoNotOptimize(field.Text().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_RtfToStyledField)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The plain text only, as quorvel-cli rtf-to-text reads it.
void BM_RtfToText(benchmark::State& state) {
    const std::string doc = makeDocument(20u << 20);
    for (auto _ : state) {
        std::string text = quorvel::rtf::RtfToText(doc);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_RtfToText)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
