// quorvel-cli: command-line tools of Quorvel Pro. Every subcommand is its own source file in
// this folder (see commands.hpp).

#include "cli/commands.hpp"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    int code = quorvel::cli::dispatch(args, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "quorvel-cli: could not write the output\n";
        return 1;
    }
    return code;
}
