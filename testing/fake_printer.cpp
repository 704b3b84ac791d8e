// Test printer: counts attempts, fails on request, otherwise keeps a copy.
#include "testing/fake_printer.h"

namespace tw::services {

PrintResult FakePrinter::printImage(const QImage &page) {
    ++attempts_;
    if (!failure_.empty()) {
        return { false, failure_ };
    }
    if (page.isNull()) {
        return { false, "nothing to print" };
    }
    pages_.push_back(page.copy());
    return {};
}

} // namespace tw::services
