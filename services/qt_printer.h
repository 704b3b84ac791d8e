// Printing on the system's default printer. Fails when there is no default
// printer, when the printer cannot be opened or the page not finished.
#pragma once

#include "services/printer.h"

class QPrinter;

namespace tw::services {

class QtPrinter : public Printer {
public:
    [[nodiscard]] PrintResult printImage(const QImage &page) override;

    // Prints `page` on `printer` as printImage does on the default printer:
    // in colour, whatever colour mode the printer or its queue starts in.
    [[nodiscard]] static PrintResult printOn(QPrinter &printer, const QImage &page);
};

} // namespace tw::services
