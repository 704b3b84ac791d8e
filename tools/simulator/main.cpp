// tintwise-instrument-sim: answers on a serial line like one of the
// spectrophotometer families the program measures with, so that Calibrate
// and Measure can be tried, and tested, without an instrument.
//
// It opens a pseudo-terminal and prints the path of its terminal side on
// stdout (the program opens that path as its serial port), or serves a real
// serial device given with --device. It keeps the terminal side open itself,
// so the program may open and close the port between presses.
#include "instrument_model.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace {

using namespace tw::sim;

const char *kUsage = R"(usage: tintwise-instrument-sim [options]
  --family NAME     CE7000 | CE2180 | XTH | Ci | Spectrolino  (default CE7000)
  --spectrum FILE   40 reflectance values in percent, 360..750 nm (commas or
                    blanks; a name before them is allowed); default a red sample
  --uncalibrated    report "not calibrated" until a white calibration
  --asleep N        leave the first N wake-up calls unanswered
  --silent          answer nothing at all
  --slow MS         send each reply in 4 pieces, MS milliseconds apart
  --device PATH     serve this serial device instead of a pseudo-terminal
  --link PATH       also make PATH a symbolic link to the pseudo-terminal
  --verbose         log every command on stderr
The path of the pseudo-terminal is printed on stdout.
)";

struct Options {
    Family family = Family::CE7000;
    Behaviour behaviour;
    int slowMs = 0;
    std::string spectrumFile;
    std::string device;
    std::string link;
    bool verbose = false;
};

[[noreturn]] void usage(const char *problem) {
    if (problem) {
        std::fprintf(stderr, "tintwise-instrument-sim: %s\n", problem);
    }
    std::fputs(kUsage, stderr);
    std::exit(problem ? 2 : 0);
}

int number(const char *text) {
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 0 || value > 1000000) {
        usage("expected a whole number");
    }
    return static_cast<int>(value);
}

Options parse(int argc, char **argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char * {
            if (i + 1 >= argc) {
                usage(("missing value after " + arg).c_str());
            }
            return argv[++i];
        };
        if (arg == "--family") {
            const auto family = familyNamed(value());
            if (!family) {
                usage("unknown family");
            }
            options.family = *family;
        } else if (arg == "--spectrum") {
            options.spectrumFile = value();
        } else if (arg == "--uncalibrated") {
            options.behaviour.uncalibrated = true;
        } else if (arg == "--asleep") {
            options.behaviour.asleep = number(value());
        } else if (arg == "--silent") {
            options.behaviour.silent = true;
        } else if (arg == "--slow") {
            options.slowMs = number(value());
        } else if (arg == "--device") {
            options.device = value();
        } else if (arg == "--link") {
            options.link = value();
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--help" || arg == "-h") {
            usage(nullptr);
        } else {
            usage(("unknown option " + arg).c_str());
        }
    }
    return options;
}

void makeRaw(int fd, Family family) {
    termios tio {};
    if (tcgetattr(fd, &tio) != 0) {
        return;
    }
    cfmakeraw(&tio);
    const bool fast = family == Family::XTH || family == Family::Ci;
    cfsetispeed(&tio, fast ? B38400 : B9600);
    cfsetospeed(&tio, fast ? B38400 : B9600);
    tio.c_cflag |= CLOCAL | CREAD;
    if (fast) {
        tio.c_cflag |= CRTSCTS;
    }
    tcsetattr(fd, TCSANOW, &tio);
}

void writeAll(int fd, const std::string &text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

void send(int fd, const Reply &reply, int slowMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(reply.pauseMs));
    if (slowMs <= 0) {
        writeAll(fd, reply.text);
        return;
    }
    const std::size_t piece = (reply.text.size() + 3) / 4;
    for (std::size_t at = 0; at < reply.text.size(); at += piece) {
        std::this_thread::sleep_for(std::chrono::milliseconds(slowMs));
        writeAll(fd, reply.text.substr(at, piece));
    }
}

std::string linkPath; // removed again when the simulator is stopped

void stop(int) {
    if (!linkPath.empty()) {
        ::unlink(linkPath.c_str());
    }
    _exit(0);
}

} // namespace

int main(int argc, char **argv) {
    const Options options = parse(argc, argv);

    Curve curve = sampleCurve();
    if (!options.spectrumFile.empty()) {
        std::ifstream in(options.spectrumFile);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        const auto read = curveFromText(text);
        if (!in.is_open() || !read) {
            std::fprintf(stderr, "tintwise-instrument-sim: %s does not hold 40 values\n",
                options.spectrumFile.c_str());
            return 2;
        }
        curve = *read;
    }

    int fd = -1;
    int keepOpen = -1;
    std::string path;
    if (!options.device.empty()) {
        fd = ::open(options.device.c_str(), O_RDWR | O_NOCTTY);
        if (fd < 0) {
            std::fprintf(stderr, "tintwise-instrument-sim: %s: %s\n", options.device.c_str(),
                std::strerror(errno));
            return 1;
        }
        makeRaw(fd, options.family);
        path = options.device;
    } else {
        fd = posix_openpt(O_RDWR | O_NOCTTY);
        if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0 || !ptsname(fd)) {
            std::fprintf(
                stderr, "tintwise-instrument-sim: no pseudo-terminal: %s\n", std::strerror(errno));
            return 1;
        }
        path = ptsname(fd);
        // Holding the terminal side open keeps the line alive while the
        // program has the port closed, and lets us set raw mode before it
        // opens: nothing is echoed or held back for a line end.
        keepOpen = ::open(path.c_str(), O_RDWR | O_NOCTTY);
        if (keepOpen >= 0) {
            makeRaw(keepOpen, options.family);
        }
    }

    if (!options.link.empty()) {
        // Replace an old link, never a real file or device.
        struct stat old { };
        if (::lstat(options.link.c_str(), &old) == 0) {
            if (!S_ISLNK(old.st_mode)) {
                std::fprintf(stderr, "tintwise-instrument-sim: %s exists and is not a link\n",
                    options.link.c_str());
                return 1;
            }
            ::unlink(options.link.c_str());
        }
        if (::symlink(path.c_str(), options.link.c_str()) != 0) {
            std::fprintf(stderr, "tintwise-instrument-sim: cannot link %s: %s\n",
                options.link.c_str(), std::strerror(errno));
            return 1;
        }
        linkPath = options.link;
    }
    ::signal(SIGINT, stop);
    ::signal(SIGTERM, stop);
    ::signal(SIGHUP, stop);

    std::printf("%s\n", path.c_str());
    std::fflush(stdout);

    InstrumentModel model(options.family, curve, options.behaviour);
    char buffer[512];
    for (;;) {
        pollfd p { fd, POLLIN, 0 };
        if (::poll(&p, 1, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            // Only without our own hold on the terminal side (a device that
            // went away) does reading fail for good.
            if (errno == EIO && keepOpen >= 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                continue;
            }
            break;
        }
        for (ssize_t i = 0; i < n; ++i) {
            for (const Reply &reply : model.receive(buffer[i])) {
                send(fd, reply, options.slowMs);
            }
            if (options.verbose && !model.commands().empty()) {
                static std::size_t logged = 0;
                for (; logged < model.commands().size(); ++logged) {
                    std::fprintf(stderr, "sim: command \"%s\"\n", model.commands()[logged].c_str());
                }
            }
        }
    }
    stop(0);
}
