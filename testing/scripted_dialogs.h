// The modal services for tests: answers come from queues filled beforehand,
// and every call is recorded in order with everything it was given.
//
// A call whose queue is empty gets the default answer - the first button of
// the set (Ok for Ok and Ok/Cancel, Yes for Yes/No and Yes/No/Cancel), an
// empty text for the input box (an answer, not Cancel) and the file dialog
// (as Cancel gives it) - and is
// recorded as unscripted, so a test can tell that the code asked more than
// the script foresaw.
#pragma once

#include "services/dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tw::services {

class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { MessageBox, InputBox, OpenFile };

    struct Call {
        Kind kind = Kind::MessageBox;
        std::string text; // message text, input prompt or dialog title
        std::string title; // message and input box title
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        std::string proposed; // input box proposed answer
        std::string initialFolder;
        std::string filter;
        bool scripted = true; // false when the answer was the default
        Answer answer = Answer::Ok; // what a message box returned
        std::string answerText; // what an input box or file dialog returned
        bool cancelled = false; // the input box was cancelled
    };

    void queueAnswer(Answer answer) { answers_.push_back(answer); }
    void queueInput(std::string text) { inputs_.push_back(std::move(text)); }
    // The next input box is cancelled.
    void queueCancel() { inputs_.push_back(std::nullopt); }
    void queueFile(std::string path) { files_.push_back(std::move(path)); }

    Answer messageBox(const std::string &text, Buttons buttons = Buttons::Ok,
        const std::string &title = {}, Icon icon = Icon::None) override;
    std::optional<std::string> askText(const std::string &prompt, const std::string &title = {},
        const std::string &proposed = {}) override;
    std::string openFile(const std::string &title, const std::string &initialFolder,
        const std::string &filter) override;
    void yield() override;
    void beep() override { ++beeps_; }

    // Runs at every yield (for instance the real event loop, or a simulated
    // click arriving while a long operation yields).
    void setOnYield(std::function<void()> hook) { onYield_ = std::move(hook); }

    [[nodiscard]] const std::vector<Call> &calls() const { return calls_; }
    // The texts of the message boxes shown, in order.
    [[nodiscard]] std::vector<std::string> messages() const;
    [[nodiscard]] int unscriptedCount() const;
    // True when every queued answer has been used.
    [[nodiscard]] bool scriptUsedUp() const;
    [[nodiscard]] int yieldCount() const { return yields_; }
    [[nodiscard]] int beepCount() const { return beeps_; }

    // Forgets the calls and counters and empties the queues.
    void reset();

private:
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> inputs_;
    std::deque<std::string> files_;
    std::vector<Call> calls_;
    std::function<void()> onYield_;
    int yields_ = 0;
    int beeps_ = 0;
};

} // namespace tw::services
