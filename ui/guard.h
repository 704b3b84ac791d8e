// Keeping exceptions inside the event handlers.
//
// An exception that reaches the toolkit's event loop ends the program, so
// every handler the toolkit calls runs inside runGuarded(): a std::exception
// (or anything else thrown) becomes a returned failure, is written to the
// warning log and handed to the failure sink if one is set. The controls of
// this layer already guard the handlers they call for user actions; windows
// use tryRun() where a failure has a meaning of its own (a conversion that
// shows "Out of Munsell Range", for example).
//
// Handlers fired by a write from code (TextBox::setText, ScrollBar::setValue
// ...) are called directly, so an exception in them travels back to the code
// that made the write, as any other failure of that code would.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace tw::ui {

struct HandlerResult {
    bool ok = true;
    std::string message; // what() of the exception when !ok

    explicit operator bool() const { return ok; }
};

// Runs the handler and turns any exception into a failure. Logs nothing.
template<class Handler> [[nodiscard]] HandlerResult tryRun(Handler &&handler) noexcept {
    try {
        std::invoke(std::forward<Handler>(handler));
        return {};
    } catch (const std::exception &e) {
        return { false, e.what() };
    } catch (...) {
        return { false, "unknown exception" };
    }
}

// Receives every failure that runGuarded() catches: where it happened and the
// exception's text. The program may show it; tests may collect it.
using FailureSink = std::function<void(const std::string &where, const std::string &message)>;

// Installs the sink (an empty function removes it) and returns the previous one.
FailureSink setFailureSink(FailureSink sink);

// Logs a failure and passes it to the sink. Never throws.
void reportFailure(std::string_view where, std::string_view message) noexcept;

// tryRun() plus reporting of the failure under the name `where`.
template<class Handler>
HandlerResult runGuarded(std::string_view where, Handler &&handler) noexcept {
    HandlerResult result = tryRun(std::forward<Handler>(handler));
    if (!result.ok) {
        reportFailure(where, result.message);
    }
    return result;
}

} // namespace tw::ui
