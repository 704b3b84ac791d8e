#include "convert_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tw::app::testing {

const engine::RenotationTable &table() {
    static const engine::RenotationTable t = [] {
        engine::RenotationTable r;
        std::string error;
        EXPECT_TRUE(r.loadFile(std::string(TW_DATA_DIR) + "/Muncie.dat", error)) << error;
        return r;
    }();
    return t;
}

std::string convertOne(const std::vector<std::string> &args, const std::string &line, bool &ok) {
    ConvertOptions options;
    std::string error;
    EXPECT_TRUE(parseConvertArguments(args, options, error)) << error;
    std::string out;
    ok = convertLine(table(), options, line, out);
    return out;
}

namespace {

std::string slurp(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

ProgramRun runProgram(const std::string &args, const std::string &input, const std::string &dir) {
    const std::filesystem::path base
        = std::filesystem::temp_directory_path() / ("tw_convert_" + std::to_string(::getpid()));
    const std::filesystem::path inputFile = base.string() + "_in.txt";
    const std::filesystem::path outFile = base.string() + "_out.txt";
    const std::filesystem::path errFile = base.string() + "_err.txt";
    std::ofstream(inputFile, std::ios::binary) << input;
    std::string command = std::string("\"") + TW_CONVERT_EXE + "\" " + args + " < \""
        + inputFile.string() + "\" > \"" + outFile.string() + "\" 2> \"" + errFile.string() + "\"";
    if (!dir.empty()) {
        command = "cd \"" + dir + "\" && " + command;
    }
    const int status = std::system(command.c_str());
    ProgramRun run { slurp(outFile), slurp(errFile), WIFEXITED(status) ? WEXITSTATUS(status) : -1 };
    std::filesystem::remove(inputFile);
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return run;
}

} // namespace tw::app::testing
