// The serial-port service on QSerialPort.
//
// Opening applies CommPort (through the port locator), Settings,
// Handshaking and RTSEnable. Devices without modem lines (a pseudo-terminal)
// refuse to set RTS; that refusal is tolerated, since there is no line to
// drive, and noted in rtsNote(). Reading polls the device directly, so
// input() and inBufferCount() see new data inside a busy loop; when nothing
// is waiting, they wait up to idleWaitMs for data, which keeps such a loop
// from spinning the processor.
#pragma once

#include "services/serial/port_names.h"
#include "services/serial/serial_port.h"

#include <QSerialPort>

namespace tw::services {

class QtSerialPort final : public SerialPort {
public:
    explicit QtSerialPort(PortLocator locator = systemPortLocator(), int idleWaitMs = 2);
    ~QtSerialPort() override;

    void setCommPort(int port) override { commPort_ = port; }
    void setSettings(const std::string &settings) override { settings_ = settings; }
    void setHandshaking(int mode) override { handshaking_ = mode; }
    void setRTSEnable(bool enable) override { rtsEnable_ = enable; }

    bool setPortOpen(bool open) override;
    [[nodiscard]] bool portOpen() const override { return port_.isOpen(); }
    [[nodiscard]] const PortError &openError() const override { return error_; }

    void output(std::string_view bytes) override;
    [[nodiscard]] std::string input() override;
    [[nodiscard]] int inBufferCount() override;

    // Why RTS was not driven at the last open, empty when it was (or was not
    // asked for).
    [[nodiscard]] const std::string &rtsNote() const { return rtsNote_; }

private:
    bool open();
    bool fail(OpenFailure reason, std::string detail);
    void pump(int waitMs);

    PortLocator locator_;
    int idleWaitMs_;
    QSerialPort port_;
    int commPort_ = 1;
    std::string settings_ = "9600,N,8,1";
    int handshaking_ = 0;
    bool rtsEnable_ = false;
    std::string device_;
    PortError error_;
    std::string rtsNote_;
};

} // namespace tw::services
