#include "cli/commands.hpp"

#include <algorithm>

namespace quorvel::cli {

namespace {

std::vector<Command>& registry() {
    static std::vector<Command> all;
    return all;
}

bool isHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h" || arg == "help";
}

void printUsage(std::ostream& out) {
    out << "Usage: quorvel-cli COMMAND [ARGUMENTS]\n"
           "       quorvel-cli --help [COMMAND]\n\n"
           "Commands:\n";
    std::size_t width = 0;
    for (const Command& c : commands()) {
        width = std::max(width, c.name.size());
    }
    for (const Command& c : commands()) {
        out << "  " << c.name << std::string(width - c.name.size() + 2, ' ') << c.summary << "\n";
    }
}

const Command* find(std::string_view name) {
    for (const Command& c : commands()) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

} // namespace

Registration::Registration(const Command& command) {
    auto& all = registry();
    auto at = std::lower_bound(all.begin(), all.end(), command,
                               [](const Command& a, const Command& b) { return a.name < b.name; });
    all.insert(at, command);
}

const std::vector<Command>& commands() {
    return registry();
}

int dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        printUsage(err);
        return 2;
    }
    if (isHelp(args[0])) {
        if (args.size() > 1) {
            if (const Command* c = find(args[1])) {
                out << c->help;
                return 0;
            }
            err << "quorvel-cli: unknown command \"" << args[1] << "\"\n";
            return 2;
        }
        printUsage(out);
        return 0;
    }
    const Command* c = find(args[0]);
    if (c == nullptr) {
        err << "quorvel-cli: unknown command \"" << args[0] << "\"\n"
            << "Run \"quorvel-cli --help\" for the list of commands.\n";
        return 2;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::any_of(rest.begin(), rest.end(),
                    [](const std::string& a) { return a == "--help" || a == "-h"; })) {
        out << c->help;
        return 0;
    }
    return c->run(rest, out, err);
}

} // namespace quorvel::cli
