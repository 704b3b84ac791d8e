// Entry point of tintwise-convert; see convert_cli.h.
#include "app/convert_cli.h"

#include <filesystem>
#include <iostream>

#include <unistd.h>

int main(int argc, char **argv) {
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    // A reader that goes away (| head) ends the program by SIGPIPE, as it
    // ends every other filter; any other failed write is said.
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = std::filesystem::absolute(argv[0], ec);
    }
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Standard output is written through its descriptor, so that a failed
    // write is seen with the system's reason; standard input's descriptor
    // tells which file it is, so that -o cannot name the file being read.
    tw::app::ConvertStreams streams { std::cin, std::cout, std::cerr, STDOUT_FILENO, STDIN_FILENO };
    return tw::app::runConvert(args, streams, exe.parent_path().string());
}
