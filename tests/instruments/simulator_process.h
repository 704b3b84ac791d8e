// The instrument simulator as a child process on a pseudo-terminal, answering
// with a known reflectance curve; path() is the terminal to open. Tests that
// use it skip where the simulator is not built (TW_SIMULATOR_PATH empty).
#pragma once

#include <QCoreApplication>
#include <QProcess>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tw::instruments::testing {

// 40 reflectances with two decimals: what every family can carry exactly.
inline float simulatedValue(int slot) {
    return 10.0f + 1.5f * static_cast<float>(slot) + (slot % 3) * 0.25f;
}

class Simulator {
public:
    Simulator(const std::string &family, const std::vector<std::string> &options) {
        spectrumFile_ = std::filesystem::temp_directory_path()
            / ("tw_sim_" + std::to_string(QCoreApplication::applicationPid()) + "_"
                + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".txt");
        {
            std::ofstream out(spectrumFile_);
            out << "simulated";
            for (int i = 1; i <= 40; ++i) {
                out << "," << simulatedValue(i);
            }
            out << "\n";
        }
        QStringList args { "--family", QString::fromStdString(family), "--spectrum",
            QString::fromStdString(spectrumFile_.string()) };
        for (const auto &option : options) {
            args << QString::fromStdString(option);
        }
        process_.start(TW_SIMULATOR_PATH, args);
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) { }
        path_ = process_.readLine().trimmed().toStdString();
    }
    ~Simulator() {
        process_.terminate();
        if (!process_.waitForFinished(2000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
        std::filesystem::remove(spectrumFile_);
    }
    [[nodiscard]] const std::string &path() const { return path_; }
    // True when the simulator has ended by itself (a device that vanished),
    // waiting up to `waitMs` for it.
    [[nodiscard]] bool exited(int waitMs = 0) {
        return process_.state() == QProcess::NotRunning || process_.waitForFinished(waitMs);
    }

private:
    QProcess process_;
    std::filesystem::path spectrumFile_;
    std::string path_;
};

} // namespace tw::instruments::testing
