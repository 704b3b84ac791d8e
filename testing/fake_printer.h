// A printer for tests: keeps every page it is given, or fails with a set
// reason (and then keeps nothing).
#pragma once

#include "services/printer.h"

#include <string>
#include <vector>

namespace tw::services {

class FakePrinter : public Printer {
public:
    [[nodiscard]] PrintResult printImage(const QImage &page) override;

    // From now on every print fails with this reason; an empty reason makes
    // printing work again.
    void setFailure(std::string reason) { failure_ = std::move(reason); }

    [[nodiscard]] const std::vector<QImage> &pages() const { return pages_; }
    [[nodiscard]] int attempts() const { return attempts_; }

private:
    std::string failure_;
    std::vector<QImage> pages_;
    int attempts_ = 0;
};

} // namespace tw::services
