#pragma once

#include "report/escposlink.h"

// A printer's device file: a USB printer (/dev/usb/lp0) or a serial line (/dev/ttyS0),
// whose settings of speed and parity stay as the system has them. Unix only.
class EscPosDeviceLink final : public EscPosLink
{
public:
    EscPosDeviceLink(const QString &path, int timeoutMs);
    ~EscPosDeviceLink() override;
    EscPosDeviceLink(const EscPosDeviceLink &) = delete;
    EscPosDeviceLink &operator=(const EscPosDeviceLink &) = delete;

    // False, with errorString(), when the file could not be opened.
    bool opened() const { return fd_ >= 0; }

    bool write(const QByteArray &bytes) override;
    std::optional<char> read() override;
    void discardInput() override;
    QString errorString() const override { return error_; }

private:
    // Waits for the file to be ready for events (poll's); false on timeout or error.
    bool waitFor(short events);
    void fail(const QString &what);

    int fd_ = -1;
    int timeoutMs_;
    QString error_;
};
