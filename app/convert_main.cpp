// Entry point of tintwise-convert; see convert_cli.h.
#include "app/convert_cli.h"

#include <filesystem>
#include <iostream>

#include <unistd.h>

int main(int argc, char **argv) {
    std::ios::sync_with_stdio(false);
    // Into a pipe or a file the lines go out in blocks, rather than with a
    // flush before each line is read; on a terminal each answer shows at
    // once.
    if (isatty(STDOUT_FILENO) == 0) {
        std::cin.tie(nullptr);
    }
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = std::filesystem::absolute(argv[0], ec);
    }
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tw::app::runConvert(args, std::cin, std::cout, std::cerr, exe.parent_path().string());
}
