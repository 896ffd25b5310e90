#include "frontend/datetimebar.h"

#include "ui/screenelements.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLineEdit>

DateTimeBar::DateTimeBar(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("GB0"));
    setGeometry(Twips::rect(240, 1080, 17895, 855));
    ScreenElements::label(this, QStringLiteral("Label4(0)"), QStringLiteral("Data odierna"),
                          Twips::rect(240, 240, 1215, 255));
    longDateLabel_ = ScreenElements::label(this, QStringLiteral("Label2"), QString(),
                                           Twips::rect(240, 480, 3975, 300));
    ScreenElements::label(this, QStringLiteral("Label1(1)"),
                          QStringLiteral("Totem per la distribuzione dei ticket di coda....munirsi "
                                         "del ticket ed attendere la chiamata..."),
                          Twips::rect(4590, 360, 8835, 240));
    serverNotice_ = ScreenElements::label(this, QStringLiteral("Label9"),
                                          QStringLiteral("SERVER non raggiungibile"),
                                          Twips::rect(13560, 360, 2295, 255));
    serverNotice_->hide();
    journalNotice_ = ScreenElements::label(
        this, QStringLiteral("AvvisoGiornale"),
        QStringLiteral("Archivio non raggiungibile: i numeri sono conservati sul totem"),
        Twips::rect(4590, 600, 8835, 240));
    journalNotice_->hide();
    ScreenElements::label(this, QStringLiteral("Label4(1)"), QStringLiteral("Orario"),
                          Twips::rect(15960, 240, 1215, 255));
    timeLabel_ = ScreenElements::label(this, QStringLiteral("Label3"), QString(),
                                       Twips::rect(15960, 480, 1815, 375));
    QFont timeFont = timeLabel_->font();
    timeFont.setPointSizeF(12);
    timeFont.setBold(true);
    timeLabel_->setFont(timeFont);
    shortDateLabel_ = ScreenElements::label(this, QStringLiteral("Label77"), QString(),
                                            Twips::rect(240, 0, 1215, 255));
    shortDateLabel_->hide();
    // The installation's copy of the time for its hour test; the test itself asks the clock.
    hourTested_ = new QLineEdit(this);
    hourTested_->setObjectName(QStringLiteral("Label88"));
    hourTested_->hide();
}

void DateTimeBar::showTime(const QString &time)
{
    timeLabel_->setText(time);
    hourTested_->setText(time);
}

void DateTimeBar::showHourTested(const QString &time)
{
    hourTested_->setText(time);
}

void DateTimeBar::showServerNotice()
{
    serverNotice_->show();
}

void DateTimeBar::showJournalNotice(bool shown)
{
    journalNotice_->setVisible(shown);
}
