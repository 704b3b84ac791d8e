// The command around buildMuncieTable: file handling and messages. The whole
// table is built before anything is written, and the text goes through a
// temporary file, so a faulty input or a failed write never leaves a
// truncated Muncie.dat behind.
#include "tools/muncie/muncie_builder.h"

#include "tools/muncie/muncie_table.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace tw::tools {

namespace {

bool writeFile(const std::filesystem::path &path, const std::string &text, std::ostream &err) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, ignored);
            err << path.string() << ": cannot write\n";
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, ignored);
        err << path.string() << ": cannot write: " << error.message() << '\n';
        return false;
    }
    return true;
}

} // namespace

int runMuncieBuilder(const std::vector<std::string> &args, std::ostream &err) {
    if (args.size() != 2) {
        err << "usage: muncie_builder INPUT.csv OUTPUT.dat\n";
        return 2;
    }
    const std::string &input = args[0];
    const std::string &output = args[1];
    std::ifstream csv(input, std::ios::binary);
    if (!csv) {
        err << input << ": cannot open for reading\n";
        return 1;
    }
    const MuncieBuild build = buildMuncieTable(csv);
    if (!build.ok()) {
        err << input << ':' << build.errorLine << ": " << build.error << '\n';
        return 1;
    }
    return writeFile(output, muncieText(build.table), err) ? 0 : 1;
}

} // namespace tw::tools
