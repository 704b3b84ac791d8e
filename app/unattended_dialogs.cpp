#include "app/unattended_dialogs.h"

namespace tw::app {

using services::Answer;
using services::Buttons;

void UnattendedDialogs::report(const std::string &text) {
    ++reported_;
    // Texts break lines with CR LF, a lone CR or LF; blank lines are left out.
    std::string line;
    const auto flush = [&] {
        if (!line.empty()) {
            out_ << "tintwise: " << line << '\n';
            line.clear();
        }
    };
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            flush();
        } else {
            line += c;
        }
    }
    flush();
    out_.flush();
}

Answer UnattendedDialogs::messageBox(
    const std::string &text, Buttons buttons, const std::string &, services::Icon) {
    report(text);
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        break;
    }
    return Answer::Cancel;
}

std::optional<std::string> UnattendedDialogs::askText(
    const std::string &prompt, const std::string &, const std::string &) {
    report(prompt);
    return std::nullopt;
}

std::string UnattendedDialogs::openFile(
    const std::string &title, const std::string &, const std::string &) {
    report(title);
    return {};
}

} // namespace tw::app
