// Runs a built program as a user would from a shell, with a time limit: a
// program that hangs (waiting behind a window nobody sees, say) is killed
// and the run reports that it did not finish.
#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <grp.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace tw::app::testing {

struct ProgramRun {
    bool finished = false; // false: killed at the time limit
    int status = -1; // exit status
    std::string out;
    std::string err;
    qint64 ms = 0; // how long it ran
};

// The user a run as an ordinary user has when the tests run as root (for
// whom no folder is read-only): nobody.
constexpr uid_t kNobody = 65534;

// The variables a test sets or removes on top of its own environment.
struct Environment {
    std::vector<std::pair<QString, QString>> set;
    std::vector<QString> removed;
};

// Runs `program`; with `ordinaryUser` as nobody when the tests run as root.
inline ProgramRun runProgram(const QString &program, const QStringList &args,
    const Environment &env = {}, const QString &folder = {}, int limitMs = 10000,
    bool ordinaryUser = false) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : env.removed) {
        environment.remove(name);
    }
    for (const auto &[name, value] : env.set) {
        environment.insert(name, value);
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!folder.isEmpty()) {
        process.setWorkingDirectory(folder);
    }
    if (ordinaryUser && ::geteuid() == 0) {
        process.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
                ::_exit(127);
            }
        });
    }
    ProgramRun run;
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    run.finished = process.waitForFinished(limitMs);
    run.ms = timer.elapsed();
    if (!run.finished) {
        process.kill();
        process.waitForFinished(2000);
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

// The lines of a text, without their line ends.
inline std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

} // namespace tw::app::testing
