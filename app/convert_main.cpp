// Entry point of tintwise-convert; see convert_cli.h.
#include "app/convert_cli.h"

#include <filesystem>
#include <iostream>

#include <csignal>
#include <unistd.h>

int main(int argc, char **argv) {
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    // A closed pipe is a write error like any other, said and counted,
    // rather than a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = std::filesystem::absolute(argv[0], ec);
    }
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Standard output is written through its descriptor, so that a failed
    // write is seen with the system's reason.
    tw::app::ConvertStreams streams { std::cin, std::cout, std::cerr, STDOUT_FILENO };
    return tw::app::runConvert(args, streams, exe.parent_path().string());
}
