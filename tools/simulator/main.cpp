// tintwise-instrument-sim: answers on a serial line like one of the
// spectrophotometer families the program measures with, so that Calibrate
// and Measure can be tried, and tested, without an instrument.
//
// It opens a pseudo-terminal and prints the path of its terminal side on
// stdout (the program opens that path as its serial port), or serves a real
// serial device given with --device. It keeps the terminal side open itself,
// so the program may open and close the port between presses. With --port N
// it also serves as the user's own port N: a link to its terminal in a
// folder of the user's (services/serial/user_ports.h), which the program
// looks at first for port N and which needs no root, unlike a link in /dev.
//
// It can also misbehave as instruments and lines do: answer nothing, answer
// in pieces, stall halfway through a measurement, send noise or a short
// record, or vanish in the middle of a reply (closing its side of the line
// and exiting, as a device that is unplugged). With --faulty-measures the
// faults last only for the program's first presses: the simulator watches
// its terminal side for openings, and each opening of the port is a press.
#include "instrument_model.h"
#include "services/serial/user_ports.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#ifdef __linux__
#include <sys/inotify.h>
#endif
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace tw::sim;

const char *kUsage = R"(usage: tintwise-instrument-sim [options]
  --family NAME     CE7000 | CE2180 | XTH | Ci | Spectrolino  (default CE7000)
  --spectrum FILE   40 reflectance values in percent, 360..750 nm (commas or
                    blanks; a name before them is allowed); default a red sample
  --uncalibrated    report "not calibrated" until a white calibration
  --asleep N        leave the first N wake-up calls unanswered
  --silent          answer nothing at all
  --slow MS         send each reply in pieces, MS milliseconds apart
  --pieces N        with --slow, that many pieces (default 4; a piece holds
                    at least one byte)
  --too-slow MS     measurement records stall halfway for MS milliseconds
  --garbage         measurement records turn to noise halfway
  --short           measurement records stop halfway, then end properly
  --vanish-after N  answer N commands, then vanish halfway through the next
                    answer: close the line, remove the link and exit
  --faulty-measures N
                    --silent, --slow, --too-slow, --garbage and --short last
                    only for the first N times the port is opened (presses
                    of Measure or Calibrate); pseudo-terminal only
  --device PATH     serve this serial device instead of a pseudo-terminal
  --port N          serve port N (1 to 4) of the user's own: link the
                    pseudo-terminal as port<N> in $XDG_RUNTIME_DIR/tintwise
                    (/tmp/tintwise-UID without XDG_RUNTIME_DIR), where
                    Tintwise looks first; no root needed
  --link PATH       also make PATH a symbolic link to the pseudo-terminal
  --verbose         log every command on stderr
  --help            print this text
  --version         print the version
The path of the pseudo-terminal is printed on stdout.
)";

struct Options {
    Family family = Family::CE7000;
    Behaviour behaviour;
    int slowMs = 0;
    int pieces = 4;
    int tooSlowMs = 0;
    int vanishAfter = -1; // commands answered before vanishing; -1 never
    int faultyMeasures = -1; // openings the faults last for; -1 all
    std::string spectrumFile;
    std::string device;
    std::string link;
    int port = 0; // the user's own port to serve; 0 none
    bool verbose = false;
};

// A usage error: the problem and the usage text on standard error, status 2.
[[noreturn]] void usage(const char *problem) {
    std::fprintf(stderr, "tintwise-instrument-sim: %s\n", problem);
    std::fputs(kUsage, stderr);
    std::exit(2);
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
        } else if (arg == "--pieces") {
            options.pieces = std::max(1, number(value()));
        } else if (arg == "--too-slow") {
            options.tooSlowMs = number(value());
        } else if (arg == "--garbage") {
            options.behaviour.garbage = true;
        } else if (arg == "--short") {
            options.behaviour.shortRecords = true;
        } else if (arg == "--vanish-after") {
            options.vanishAfter = number(value());
        } else if (arg == "--faulty-measures") {
            options.faultyMeasures = number(value());
        } else if (arg == "--device") {
            options.device = value();
        } else if (arg == "--link") {
            options.link = value();
        } else if (arg == "--port") {
            options.port = number(value());
            if (options.port < 1 || options.port > 4) {
                usage("--port takes 1 to 4, the ports Tintwise offers");
            }
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (arg == "--version") {
            std::printf("tintwise-instrument-sim %s\n", TW_VERSION);
            std::exit(0);
        } else {
            usage(("unknown option " + arg).c_str());
        }
    }
    if (options.faultyMeasures >= 0 && !options.device.empty()) {
        // The program opens the other end of the cable: its openings cannot
        // be seen from here.
        usage("--faulty-measures needs the pseudo-terminal, not --device");
    }
    if (options.port > 0 && !options.device.empty()) {
        // The program belongs on the other end of the cable, not on the
        // device the simulator serves.
        usage("--port needs the pseudo-terminal, not --device");
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

// How replies go out while the faults act.
struct Pacing {
    int slowMs = 0; // between pieces
    int pieces = 4;
    int stallMs = 0; // halfway through a measurement record
};

void sendText(int fd, const std::string &text, const Pacing &pacing) {
    if (pacing.slowMs <= 0 || text.empty()) {
        writeAll(fd, text);
        return;
    }
    const std::size_t pieces = static_cast<std::size_t>(pacing.pieces);
    const std::size_t piece = std::max<std::size_t>(1, (text.size() + pieces - 1) / pieces);
    for (std::size_t at = 0; at < text.size(); at += piece) {
        std::this_thread::sleep_for(std::chrono::milliseconds(pacing.slowMs));
        writeAll(fd, text.substr(at, piece));
    }
}

void send(int fd, const Reply &reply, const Pacing &pacing) {
    std::this_thread::sleep_for(std::chrono::milliseconds(reply.pauseMs));
    if (reply.record && pacing.stallMs > 0) {
        const std::size_t half = reply.text.size() / 2;
        sendText(fd, reply.text.substr(0, half), pacing);
        std::this_thread::sleep_for(std::chrono::milliseconds(pacing.stallMs));
        sendText(fd, reply.text.substr(half), pacing);
        return;
    }
    sendText(fd, reply.text, pacing);
}

// The first half of the bytes of an answer, in its replies.
std::vector<Reply> firstHalf(std::vector<Reply> replies) {
    std::size_t total = 0;
    for (const Reply &reply : replies) {
        total += reply.text.size();
    }
    std::size_t left = total / 2;
    std::vector<Reply> half;
    for (Reply &reply : replies) {
        if (left == 0) {
            break;
        }
        reply.text.resize(std::min(left, reply.text.size()));
        left -= reply.text.size();
        half.push_back(std::move(reply));
    }
    return half;
}

// Counts the times the terminal side is opened, by a watch on its device
// node. Our own hold on it was taken before the watch began, so every
// opening counted is the program's.
class OpeningWatch {
public:
    explicit OpeningWatch(const std::string &path) {
#ifdef __linux__
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ >= 0 && ::inotify_add_watch(fd_, path.c_str(), IN_OPEN) < 0) {
            ::close(fd_);
            fd_ = -1;
        }
#else
        (void)path;
#endif
    }
    [[nodiscard]] bool watching() const {
        return fd_ >= 0;
    }
    // The openings so far. An opening is recorded before the opener's
    // first write returns, so reading this after data arrived counts the
    // opening that sent it.
    int openings() {
#ifdef __linux__
        alignas(inotify_event) char events[4096];
        for (;;) {
            const ssize_t n = fd_ < 0 ? -1 : ::read(fd_, events, sizeof events);
            if (n <= 0) {
                break;
            }
            for (ssize_t at = 0; at < n;) {
                const auto *event = reinterpret_cast<const inotify_event *>(events + at);
                if (event->mask & IN_OPEN) {
                    ++openings_;
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
#endif
        return openings_;
    }

private:
    int fd_ = -1;
    int openings_ = 0;
};

// Removed again when the simulator is stopped: the --link link, and the
// user's own port (its link and lock file). Set before the signal handlers.
std::string linkPath;
tw::services::UserPortClaim portClaim;

void removeLinks() {
    if (!linkPath.empty()) {
        ::unlink(linkPath.c_str());
    }
    if (!portClaim.link().empty()) {
        ::unlink(portClaim.link().c_str());
        ::unlink(portClaim.lockFile().c_str());
    }
}

void stop(int) {
    removeLinks();
    _exit(0);
}

// The device goes away: both our hold on the terminal side and the line
// itself are closed, so the program's port sees a hang-up. A hang-up
// throws away what the terminal side has not read yet, so the bytes sent
// just before are given a moment to be read, as from a device that is
// unplugged a moment after it began to answer.
[[noreturn]] void vanish(int fd, int keepOpen) {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (keepOpen >= 0) {
        ::close(keepOpen);
    }
    ::close(fd);
    std::fputs("sim: vanished\n", stderr);
    stop(0);
    std::abort(); // not reached: stop exits
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
    if (options.port > 0) {
        std::string error;
        if (!portClaim.claim(tw::services::userPortFolder(), options.port, path, error)) {
            std::fprintf(stderr, "tintwise-instrument-sim: %s\n", error.c_str());
            removeLinks();
            return 1;
        }
    }
    ::signal(SIGINT, stop);
    ::signal(SIGTERM, stop);
    ::signal(SIGHUP, stop);

    OpeningWatch watch(path);
    if (options.faultyMeasures >= 0 && !watch.watching()) {
        std::fprintf(
            stderr, "tintwise-instrument-sim: cannot watch %s for openings\n", path.c_str());
        removeLinks();
        _exit(1);
    }

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
        const int openings = watch.openings();
        const bool faulty = options.faultyMeasures < 0 || openings <= options.faultyMeasures;
        model.setFaulty(faulty);
        const Pacing pacing
            = faulty ? Pacing { options.slowMs, options.pieces, options.tooSlowMs } : Pacing {};
        if (options.verbose) {
            static int logged = 0;
            for (; logged < openings; ++logged) {
                std::fprintf(stderr, "sim: port opened (%d)%s\n", logged + 1,
                    faulty ? "" : ", answering well");
            }
        }
        for (ssize_t i = 0; i < n; ++i) {
            std::vector<Reply> replies = model.receive(buffer[i]);
            if (options.verbose) {
                static std::size_t logged = 0;
                for (; logged < model.commands().size(); ++logged) {
                    std::fprintf(stderr, "sim: command \"%s\"\n", model.commands()[logged].c_str());
                }
            }
            // The command after the last one answered: half its answer, then gone.
            const bool last = options.vanishAfter >= 0
                && model.commands().size() > static_cast<std::size_t>(options.vanishAfter);
            if (last) {
                replies = firstHalf(std::move(replies));
            }
            for (const Reply &reply : replies) {
                send(fd, reply, pacing);
            }
            if (last) {
                vanish(fd, keepOpen);
            }
        }
    }
    stop(0);
}
