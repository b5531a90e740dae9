// quorvel-cli rtf-to-text FILE: prints the text of a rich-text document.

#include "cli/commands.hpp"
#include "rtf/rtf_parser.hpp"
#include "store/files.hpp"

#include <algorithm>
#include <ctime>
#include <system_error>

namespace quorvel::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: quorvel-cli rtf-to-text FILE\n\n"
    "Reads the rich-text (RTF) document FILE and prints its text on standard output as UTF-8,\n"
    "one line per paragraph. Formatting, pictures, headers and footers are left out; accented\n"
    "letters, symbols and other scripts are converted from the document's encodings.\n\n"
    "Exit status: 0 on success, 1 when the file cannot be read, 2 on wrong usage.\n";

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty()) {
        err << "quorvel-cli rtf-to-text: expected one FILE\n"
            << "Usage: quorvel-cli rtf-to-text FILE\n";
        return 2;
    }
    const std::string& path = args[0];
    std::error_code ec;
    std::optional<std::string> document = store::readFile(path, ec);
    if (!document) {
        err << "quorvel-cli rtf-to-text: cannot read \"" << path
            << "\": " << (ec ? ec.message() : std::string("no such file")) << "\n";
        return 1;
    }
    rtf::RtfEnvironment env;
    rtf::SetDateTexts(env, std::time(nullptr));
    std::string text = rtf::RtfToText(*document, std::move(env));
    std::replace(text.begin(), text.end(), '\r', '\n');
    out << text;
    return 0;
}

const Registration registration{
    Command{"rtf-to-text", "print the text of a rich-text (RTF) document", kHelp, &run}};

} // namespace

} // namespace quorvel::cli
