// The modal services a window is handed at construction: message box, input
// box, open-file dialog, yield and beep. The Qt implementation shows real
// dialogs; tests hand in a double that answers from a script and records
// every call.
#pragma once

#include <optional>
#include <string>

namespace tw::services {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Icon { None, Information, Warning, Critical, Question };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal message with a button set; returns the button pressed.
    virtual Answer messageBox(const std::string &text, Buttons buttons = Buttons::Ok,
        const std::string &title = {}, Icon icon = Icon::None)
        = 0;

    // A modal question with a prompt, a title and a proposed answer; returns
    // the text, or nothing on Cancel.
    virtual std::optional<std::string> askText(
        const std::string &prompt, const std::string &title = {}, const std::string &proposed = {})
        = 0;

    // The same question where Cancel counts as an empty answer.
    std::string inputBox(const std::string &prompt, const std::string &title = {},
        const std::string &proposed = {}) {
        return askText(prompt, title, proposed).value_or(std::string());
    }

    // An open-file dialog: initial folder, filter in "Text (*.txt)|*.txt"
    // pairs separated by "|"; returns the chosen path, empty on Cancel. It
    // never changes the working directory.
    virtual std::string openFile(
        const std::string &title, const std::string &initialFolder, const std::string &filter)
        = 0;

    // Runs all pending window events and returns.
    virtual void yield() = 0;

    virtual void beep() = 0;
};

} // namespace tw::services
