// Failure reporting for guarded handlers: a warning in the log (qWarning, so it
// reaches whatever message handler the program installed) and the sink.
// Reporting must not throw in turn, so a sink that throws is ignored.
#include "ui/guard.h"

#include <QtGlobal>

#include <utility>

namespace tw::ui {

namespace {
FailureSink &sink() {
    static FailureSink s;
    return s;
}
} // namespace

FailureSink setFailureSink(FailureSink newSink) {
    return std::exchange(sink(), std::move(newSink));
}

void reportFailure(std::string_view where, std::string_view message) noexcept {
    try {
        const std::string w(where);
        const std::string m(message);
        qWarning("tw::ui: handler %s failed: %s", w.c_str(), m.c_str());
        if (sink()) {
            sink()(w, m);
        }
    } catch (...) {
        // Nothing sensible is left to do; the handler's failure was logged if
        // the log itself still worked.
    }
}

} // namespace tw::ui
