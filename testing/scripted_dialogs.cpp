// Scripted dialogs: one queue per kind of question, one record per call.
#include "testing/scripted_dialogs.h"

#include <algorithm>

namespace tw::services {

namespace {

Answer firstButton(Buttons buttons) {
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

} // namespace

Answer ScriptedDialogs::messageBox(
    const std::string &text, Buttons buttons, const std::string &title, Icon icon) {
    Call call;
    call.kind = Kind::MessageBox;
    call.text = text;
    call.title = title;
    call.buttons = buttons;
    call.icon = icon;
    if (answers_.empty()) {
        call.scripted = false;
        call.answer = firstButton(buttons);
    } else {
        call.answer = answers_.front();
        answers_.pop_front();
    }
    calls_.push_back(call);
    return call.answer;
}

std::optional<std::string> ScriptedDialogs::askText(
    const std::string &prompt, const std::string &title, const std::string &proposed) {
    Call call;
    call.kind = Kind::InputBox;
    call.text = prompt;
    call.title = title;
    call.proposed = proposed;
    std::optional<std::string> answer = std::string();
    if (inputs_.empty()) {
        call.scripted = false;
    } else {
        answer = inputs_.front();
        inputs_.pop_front();
    }
    call.cancelled = !answer.has_value();
    call.answerText = answer.value_or(std::string());
    calls_.push_back(call);
    return answer;
}

std::string ScriptedDialogs::openFile(
    const std::string &title, const std::string &initialFolder, const std::string &filter) {
    Call call;
    call.kind = Kind::OpenFile;
    call.text = title;
    call.initialFolder = initialFolder;
    call.filter = filter;
    if (files_.empty()) {
        call.scripted = false;
    } else {
        call.answerText = files_.front();
        files_.pop_front();
    }
    calls_.push_back(call);
    return call.answerText;
}

void ScriptedDialogs::yield() {
    ++yields_;
    if (const auto hook = onYield_) {
        hook();
    }
}

std::vector<std::string> ScriptedDialogs::messages() const {
    std::vector<std::string> texts;
    for (const Call &c : calls_) {
        if (c.kind == Kind::MessageBox) {
            texts.push_back(c.text);
        }
    }
    return texts;
}

int ScriptedDialogs::unscriptedCount() const {
    return static_cast<int>(
        std::count_if(calls_.begin(), calls_.end(), [](const Call &c) { return !c.scripted; }));
}

bool ScriptedDialogs::scriptUsedUp() const {
    return answers_.empty() && inputs_.empty() && files_.empty();
}

void ScriptedDialogs::reset() {
    answers_.clear();
    inputs_.clear();
    files_.clear();
    calls_.clear();
    yields_ = 0;
    beeps_ = 0;
}

} // namespace tw::services
