// The printer service: prints one page holding an image (a window's picture)
// on the default printer and says whether that worked. Windows show their
// "Printer not Found" message on any failure; the reason is for the log and
// for tests.
#pragma once

#include <QImage>

#include <string>

class QWidget;

namespace tw::services {

struct PrintResult {
    bool ok = true;
    std::string reason; // why it failed; empty on success

    explicit operator bool() const { return ok; }
};

class Printer {
public:
    virtual ~Printer() = default;

    // Prints `page` on one sheet. A null image is a failure.
    [[nodiscard]] virtual PrintResult printImage(const QImage &page) = 0;

    // Prints the widget as it looks now (its whole area, children included).
    [[nodiscard]] PrintResult printWidget(QWidget &widget);
};

} // namespace tw::services
