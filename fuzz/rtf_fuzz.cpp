// Feeds arbitrary bytes to the rich-text reader: it must end without a crash, in bounded time,
// with valid UTF-8 text, and the tokenizer functions must never move the read position outside
// the input.

#include "rtf/rtf_edit_field.hpp"
#include "rtf/rtf_module.hpp"
#include "rtf/rtf_parser.hpp"
#include "text/text.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view doc(reinterpret_cast<const char*>(data), size);
    using namespace quorvel::rtf;

    RtfEnvironment env;
    env.installedFonts = [] { return std::vector<std::string>{"Times", "Helvetica"}; };
    env.longDate = "Monday";
    int lastProgress = -1;
    env.progress = [&lastProgress](int value) {
        if (value < 0 || value > 100) {
            std::abort();
        }
        lastProgress = value;
    };
    RtfInput input(doc);
    RtfEditField field;
    RtfParser parser(std::move(env));
    parser.Parse(input, field);
    if (!quorvel::text::isValidUtf8(field.Text())) {
        std::abort();
    }
    std::size_t covered = 0;
    for (const RtfRun& run : field.Runs()) {
        if (run.begin != covered) {
            std::abort();
        }
        covered += run.length;
    }
    if (covered != field.Text().size()) {
        std::abort();
    }

    // Walk the text back out, as a copy of a styled field does.
    RtfEditField copy;
    field.Export(copy);
    if (copy.Text() != field.Text()) {
        std::abort();
    }

    RtfInput tokens(doc);
    std::string word;
    std::int32_t param = 0;
    while (!tokens.eof()) {
        std::size_t before = tokens.position();
        switch (tokens.get() % 3) {
        case 0:
            RtfParseCommand(tokens, word, param);
            break;
        case 1:
            RtfIgnoreGroup(tokens);
            break;
        default:
            RtfParseLabel(tokens);
            break;
        }
        if (tokens.position() <= before || tokens.position() > doc.size()) {
            std::abort();
        }
    }
    return 0;
}
