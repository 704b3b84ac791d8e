// muncie_builder INPUT.csv OUTPUT.dat: builds the renotation table file.
#include "tools/muncie/muncie_builder.h"

#include <iostream>

int main(int argc, char *argv[]) {
    return tw::tools::runMuncieBuilder(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
