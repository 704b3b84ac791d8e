// Printing on the system's default printer. Fails when there is no default
// printer, when the printer cannot be opened or the page not finished.
#pragma once

#include "ui/printer.h"

namespace tw::ui {

class QtPrinter : public Printer {
public:
    [[nodiscard]] PrintResult printImage(const QImage &page) override;
};

} // namespace tw::ui
