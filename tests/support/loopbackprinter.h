#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>

#include <atomic>

// A thermal printer on this machine that speaks ESC/POS: it answers status requests as the
// test sets it, records every byte, rebuilds each ticket's raster image and counts cuts.
// It runs in a thread of its own, because the code under test blocks the test's thread
// while it waits for answers. Reached over TCP on 127.0.0.1, or through a pseudo-terminal
// standing in for a printer's device file.
class LoopbackPrinter
{
public:
    enum class Status
    {
        Ready,
        NearEnd,
        PaperEnd,
        CoverOpen,
        Error,
        Offline,
        Silent // never answers a status request
    };
    enum class Link
    {
        Tcp,
        Pty
    };

    explicit LoopbackPrinter(Link link = Link::Tcp);
    ~LoopbackPrinter();

    // "escpos:tcp://127.0.0.1:PORT" or "escpos:/dev/pts/N".
    QString printerText() const { return printerText_; }

    // Set by the test at any time; read by the printer's thread.
    std::atomic<Status> status = Status::Ready;
    // Hangs up once this many bytes have come in, keeping exactly those (-1: never).
    std::atomic<qsizetype> dropAfter = -1;

    // What has come in so far.
    struct Record
    {
        QByteArray received;   // every byte
        qsizetype printed = 0; // the bytes but status requests
        QList<QImage> tickets; // raster rows up to each cut or feed, 1-bit, 1 = black
        int cuts = 0;
        int connections = 0;
    };
    Record record() const;

private:
    void listen();
    void openPty();
    // Takes bytes as they come in; returns the answers to send back and sets hangUp.
    QByteArray take(const QByteArray &bytes, bool *hangUp);
    // The length of the whole command at the start of pending_, handled; 0 if not whole.
    qsizetype command(QByteArray *answers);
    void endTicket();

    QThread thread_;
    QObject *context_ = nullptr; // lives in thread_; parent of the server and connections
    QString printerText_;
    int ptyMaster_ = -1;
    int ptySlave_ = -1;

    mutable QMutex mutex_;
    Record record_;
    QByteArray pending_;
    QByteArray rows_;
    int rowBytes_ = 0;
};
