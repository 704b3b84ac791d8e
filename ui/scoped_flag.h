// A flag raised for the life of a scope, such as the conversion screen's
// `updating` or a window's busy flag: it is raised on construction and put
// back as it was on every way out, early returns and exceptions included.
#pragma once

namespace tw::ui {

class ScopedFlag {
public:
    explicit ScopedFlag(bool &flag)
        : flag_(flag)
        , was_(flag) {
        flag_ = true;
    }
    ~ScopedFlag() { flag_ = was_; }
    ScopedFlag(const ScopedFlag &) = delete;
    ScopedFlag &operator=(const ScopedFlag &) = delete;

private:
    bool &flag_;
    bool was_;
};

} // namespace tw::ui
