// The command around buildMuncieTable: file handling and messages. The whole
// table is built before anything is written, and the text goes through a
// text::PartFile, so a faulty input or a failed write never leaves a
// truncated Muncie.dat behind.
#include "tools/muncie/muncie_builder.h"

#include "tools/muncie/muncie_table.h"

#include "text/textfile.h"

#include <fstream>

namespace tw::tools {

namespace {

bool writeOutput(const std::string &path, const std::string &text, std::ostream &err) {
    text::PartFile file;
    if (file.open(path)) {
        file.write(text);
    }
    if (!file.commit()) {
        err << path << ": cannot write: " << file.reason() << '\n';
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
    return writeOutput(output, muncieText(build.table), err) ? 0 : 1;
}

} // namespace tw::tools
