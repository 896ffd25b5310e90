#pragma once

#include <QGroupBox>

class QLabel;
class QLineEdit;

// The public screen's bar under the title: today's date, the running text, the notice
// that the server cannot be reached, and the time; and, hidden, the short date that the
// console sets for the tickets.
class DateTimeBar : public QGroupBox
{
    Q_OBJECT

public:
    explicit DateTimeBar(QWidget *parent);

    QLabel *longDateLabel() const { return longDateLabel_; }
    QLabel *shortDateLabel() const { return shortDateLabel_; }
    QLabel *timeLabel() const { return timeLabel_; }
    void showTime(const QString &time);
    void showHourTested(const QString &time);
    // Once shown it stays until the screen closes, so a flickering share is noticed.
    void showServerNotice();
    // While numbers issued with the archive out of reach are kept on the kiosk.
    void showJournalNotice(bool shown);

private:
    QLabel *longDateLabel_ = nullptr;
    QLabel *shortDateLabel_ = nullptr;
    QLabel *timeLabel_ = nullptr;
    QLabel *serverNotice_ = nullptr;
    QLabel *journalNotice_ = nullptr;
    QLineEdit *hourTested_ = nullptr;
};
