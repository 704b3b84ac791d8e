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

ScratchFolder::ScratchFolder() {
    static int counter = 0;
    const std::filesystem::path p = std::filesystem::temp_directory_path()
        / ("tw_convert_dir_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    path_ = p.string();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void ScratchFolder::write(const std::string &name, const std::string &contents) const {
    std::ofstream(std::filesystem::path(path_) / name, std::ios::binary) << contents;
}

std::string ScratchFolder::read(const std::string &name) const {
    return slurp(std::filesystem::path(path_) / name);
}

ProgramRun runShell(const std::string &script, const std::string &dir, bool merged) {
    ScratchFolder scratch;
    const std::string folder = dir.empty() ? scratch.path() : dir;
    const std::filesystem::path base
        = std::filesystem::temp_directory_path() / ("tw_shell_" + std::to_string(::getpid()));
    const std::filesystem::path scriptFile = base.string() + "_script.sh";
    const std::filesystem::path outFile = base.string() + "_out.txt";
    const std::filesystem::path errFile = base.string() + "_err.txt";
    std::ofstream(scriptFile, std::ios::binary) << script;
    const std::string command = "cd \"" + folder + "\" && TW=\"" + std::string(TW_CONVERT_EXE)
        + "\" /bin/sh \"" + scriptFile.string() + "\" > \"" + outFile.string() + "\" "
        + (merged ? "2>&1" : "2> \"" + errFile.string() + "\"") + " < /dev/null";
    const int status = std::system(command.c_str());
    ProgramRun run { slurp(outFile), merged ? std::string() : slurp(errFile),
        WIFEXITED(status) ? WEXITSTATUS(status) : -1 };
    std::filesystem::remove(scriptFile);
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return run;
}

} // namespace tw::app::testing
