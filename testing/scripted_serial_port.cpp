// Pieces become due in the order they were scheduled; a piece whose delay has
// not yet passed holds back the pieces behind it, so a reply is never
// reordered, as on a real line.
#include "testing/scripted_serial_port.h"

#include <utility>

namespace tw::services {

namespace {

bool endsWith(const std::string &text, const std::string &tail) {
    return text.size() >= tail.size()
        && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

double elapsedSince(double start, double now) {
    double d = now - start;
    if (d < 0) {
        d += 86400;
    }
    return d;
}

} // namespace

ScriptedSerialPort::ScriptedSerialPort(const Clock &clock)
    : clock_(clock) { }

void ScriptedSerialPort::answer(const std::string &command, std::vector<Piece> pieces, int times) {
    rules_.push_back(Rule { command, std::move(pieces), times == kAlways, times });
}

void ScriptedSerialPort::answer(
    const std::string &command, const std::string &reply, double delay, int times) {
    answer(command, std::vector<Piece> { { delay, reply } }, times);
}

void ScriptedSerialPort::ignore(const std::string &command, int times) {
    answer(command, std::vector<Piece> {}, times);
}

void ScriptedSerialPort::feed(const std::string &text) {
    fed_ += text;
}

void ScriptedSerialPort::refuseOpen(PortError error) {
    refuse_ = true;
    refusal_ = std::move(error);
}

std::vector<std::string> ScriptedSerialPort::settingsLog() const {
    std::vector<std::string> out;
    for (const auto &entry : log_) {
        if (entry.rfind("Output=", 0) != 0) {
            out.push_back(entry);
        }
    }
    return out;
}

std::vector<std::string> ScriptedSerialPort::commands() const {
    std::vector<std::string> out;
    for (const auto &entry : log_) {
        if (entry.rfind("Output=", 0) == 0) {
            out.push_back(entry.substr(7));
        }
    }
    return out;
}

void ScriptedSerialPort::setCommPort(int port) {
    log_.push_back("CommPort=" + std::to_string(port));
}

void ScriptedSerialPort::setSettings(const std::string &settings) {
    log_.push_back("Settings=" + settings);
}

void ScriptedSerialPort::setHandshaking(int mode) {
    log_.push_back("Handshaking=" + std::to_string(mode));
}

void ScriptedSerialPort::setRTSEnable(bool enable) {
    log_.push_back(std::string("RTSEnable=") + (enable ? "1" : "0"));
}

bool ScriptedSerialPort::setPortOpen(bool open) {
    log_.push_back(std::string("PortOpen=") + (open ? "1" : "0"));
    if (!open) {
        open_ = false;
        received_.clear();
        due_.clear();
        pending_.clear();
        return true;
    }
    if (refuse_) {
        error_ = refusal_;
        return false;
    }
    if (!open_) {
        ++opens_;
        open_ = true;
        received_ += fed_;
        fed_.clear();
    }
    error_ = {};
    return true;
}

void ScriptedSerialPort::output(std::string_view bytes) {
    log_.push_back("Output=" + std::string(bytes));
    if (!open_) {
        ++writesWhileClosed_;
        return;
    }
    written_ += bytes;
    pending_ += bytes;
    for (auto &rule : rules_) {
        if ((!rule.always && rule.usesLeft <= 0) || !endsWith(pending_, rule.command)) {
            continue;
        }
        if (!rule.always) {
            --rule.usesLeft;
        }
        const double now = clock_.secondsSinceMidnight();
        for (const auto &piece : rule.pieces) {
            due_.push_back(Due { now, piece });
        }
        pending_.clear();
        break;
    }
}

void ScriptedSerialPort::deliverDue() {
    if (due_.empty()) {
        return;
    }
    const double now = clock_.secondsSinceMidnight();
    while (!due_.empty() && elapsedSince(due_.front().sentAt, now) >= due_.front().piece.delay) {
        received_ += due_.front().piece.text;
        due_.pop_front();
    }
}

std::string ScriptedSerialPort::input() {
    deliverDue();
    return std::exchange(received_, {});
}

int ScriptedSerialPort::inBufferCount() {
    deliverDue();
    return static_cast<int>(received_.size());
}

} // namespace tw::services
