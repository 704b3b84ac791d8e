// Printing on the system's default printer. Fails when there is no default
// printer, when the printer cannot be opened or the page not finished.
#pragma once

#include "services/printer.h"

namespace tw::services {

class QtPrinter : public Printer {
public:
    [[nodiscard]] PrintResult printImage(const QImage &page) override;
};

} // namespace tw::services
