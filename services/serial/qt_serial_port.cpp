// QSerialPort reports a missing device as DeviceNotFoundError and both a
// device held by another program (its lock file or exclusive mode) and a
// device we may not open as PermissionError. The two are told apart by
// asking the file system whether we could read and write the device at all.
#include "services/serial/qt_serial_port.h"

#include "services/serial/line_settings.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tw::services {

namespace {

QSerialPort::Parity toQt(Parity parity) {
    switch (parity) {
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    case Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits toQt(StopBits stop) {
    switch (stop) {
    case StopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case StopBits::Two:
        return QSerialPort::TwoStop;
    case StopBits::One:
        break;
    }
    return QSerialPort::OneStop;
}

bool mayUse(const std::string &device) {
#ifdef _WIN32
    (void)device;
    return true;
#else
    return ::access(device.c_str(), R_OK | W_OK) == 0;
#endif
}

} // namespace

QtSerialPort::QtSerialPort(PortLocator locator, int idleWaitMs)
    : locator_(std::move(locator))
    , idleWaitMs_(idleWaitMs) { }

QtSerialPort::~QtSerialPort() {
    setPortOpen(false);
}

bool QtSerialPort::setPortOpen(bool open) {
    if (!open) {
        if (port_.isOpen()) {
            port_.close();
        }
        return true;
    }
    if (port_.isOpen()) {
        return true;
    }
    return this->open();
}

bool QtSerialPort::fail(OpenFailure reason, std::string detail) {
    error_ = PortError { reason, device_, std::move(detail) };
    if (port_.isOpen()) {
        port_.close();
    }
    return false;
}

bool QtSerialPort::open() {
    error_ = {};
    rtsNote_.clear();
    device_ = locator_ ? locator_(commPort_) : std::string();
    if (device_.empty()) {
        std::string looked;
        for (const auto &candidate : portPlaces(commPort_)) {
            looked += (looked.empty() ? "looked for " : ", ") + candidate;
        }
        return fail(OpenFailure::Absent, looked);
    }
    const auto line = parseLineSettings(settings_);
    if (!line) {
        return fail(OpenFailure::BadSettings, "the settings \"" + settings_ + "\" are not valid");
    }

    port_.setPortName(QString::fromStdString(device_));
    port_.setBaudRate(line->baud);
    port_.setParity(toQt(line->parity));
    port_.setDataBits(static_cast<QSerialPort::DataBits>(line->dataBits));
    port_.setStopBits(toQt(line->stopBits));
    port_.setFlowControl(handshaking_ == 2 || handshaking_ == 3 ? QSerialPort::HardwareControl
            : handshaking_ == 1                                 ? QSerialPort::SoftwareControl
                                                                : QSerialPort::NoFlowControl);

    if (!port_.open(QIODevice::ReadWrite)) {
        const auto qtError = port_.error();
        const std::string why = port_.errorString().toStdString();
        port_.clearError();
        switch (qtError) {
        case QSerialPort::DeviceNotFoundError:
            return fail(OpenFailure::Absent, why);
        case QSerialPort::PermissionError:
            return fail(mayUse(device_) ? OpenFailure::Busy : OpenFailure::NoPermission, why);
        case QSerialPort::UnsupportedOperationError:
            return fail(OpenFailure::BadSettings, why);
        default:
            return fail(OpenFailure::Other, why);
        }
    }

    // RTS can be driven only without RTS/CTS flow control, which drives it
    // itself. A pseudo-terminal has no modem lines and answers
    // "inappropriate ioctl", reported as an unsupported operation.
    if (rtsEnable_ && port_.flowControl() != QSerialPort::HardwareControl
        && !port_.setRequestToSend(true)) {
        const auto qtError = port_.error();
        const std::string why = port_.errorString().toStdString();
        port_.clearError();
        if (qtError != QSerialPort::UnsupportedOperationError) {
            return fail(OpenFailure::Other, "cannot raise RTS: " + why);
        }
        rtsNote_ = why;
    }
    return true;
}

void QtSerialPort::output(std::string_view bytes) {
    if (!port_.isOpen() || bytes.empty()) {
        return;
    }
    port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Hand everything to the driver now: the caller's next step is usually a
    // timed wait for the reply, which must not include our own write delay.
    while (port_.bytesToWrite() > 0 && port_.waitForBytesWritten(1000)) { }
    port_.clearError();
}

void QtSerialPort::pump(int waitMs) {
    // waitForReadyRead reports a time-out as an error; that is no fault here.
    port_.waitForReadyRead(waitMs);
    port_.clearError();
}

std::string QtSerialPort::input() {
    if (!port_.isOpen()) {
        return {};
    }
    pump(port_.bytesAvailable() > 0 ? 0 : idleWaitMs_);
    return port_.readAll().toStdString();
}

int QtSerialPort::inBufferCount() {
    if (!port_.isOpen()) {
        return 0;
    }
    pump(port_.bytesAvailable() > 0 ? 0 : idleWaitMs_);
    return static_cast<int>(port_.bytesAvailable());
}

} // namespace tw::services
