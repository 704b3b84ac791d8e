// The dialogs of a start-up that nobody watches (tintwise --check): a
// message box would wait for a click that never comes, behind a window
// nobody sees. Here every message and question is written to a stream
// instead, one line per line of its text after the program's name, and
// every question gets the answer that changes nothing: Cancel where there
// is one, else No; no text and no file are chosen.
#pragma once

#include "services/dialogs.h"

#include <ostream>
#include <string>

namespace tw::app {

class UnattendedDialogs final : public services::Dialogs {
public:
    explicit UnattendedDialogs(std::ostream &out)
        : out_(out) { }

    services::Answer messageBox(const std::string &text, services::Buttons buttons,
        const std::string &title, services::Icon icon) override;
    std::optional<std::string> askText(
        const std::string &prompt, const std::string &title, const std::string &proposed) override;
    std::string openFile(const std::string &title, const std::string &initialFolder,
        const std::string &filter) override;
    void yield() override { }
    void beep() override { }

    // How many messages and questions were written.
    [[nodiscard]] int reported() const { return reported_; }

private:
    void report(const std::string &text);

    std::ostream &out_;
    int reported_ = 0;
};

} // namespace tw::app
