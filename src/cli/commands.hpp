#pragma once
// The subcommands of quorvel-cli. Each command lives in its own source file and registers
// itself with a static Registration; main() only dispatches.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::cli {

struct Command {
    std::string_view name;
    // One line for the command list.
    std::string_view summary;
    // The full help text of the command.
    std::string_view help;
    // Runs the command with its own arguments (the command name excluded); returns the exit
    // code.
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

// Adds a command to the program; used as a static object in the command's source file.
struct Registration {
    explicit Registration(const Command& command);
};

const std::vector<Command>& commands();

// Runs the program with its arguments (the program name excluded); returns the exit code.
int dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quorvel::cli
