// Entry point of tintwise-convert; see convert_cli.h.
#include "app/convert_cli.h"

#include <filesystem>
#include <iostream>

int main(int argc, char **argv) {
    std::ios::sync_with_stdio(false);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = std::filesystem::absolute(argv[0], ec);
    }
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tw::app::runConvert(args, std::cin, std::cout, std::cerr, exe.parent_path().string());
}
