#include "archive/fieldvalue.h"
#include "core/daynumber.h"
#include "report/ticketproject.h"
#include "report/ticketrenderer.h"

#include <QLocale>
#include <QTest>

#include <ctime>

class TestTicketRenderer : public QObject
{
    Q_OBJECT

    const QList<DataItem> ticketData_{{u"NumeroDaStampare"_qs, u"42"_qs, DataItem::Number},
                                      {u"QualePostazione"_qs, u"Postazione 3"_qs, DataItem::Text},
                                      {u"ID"_qs, u"1"_qs, DataItem::Number}};

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void textsExpandWithoutCaseAndDatesShowInTheLocale()
    {
        QCOMPARE(TicketRenderer::expand(u"N. {numerodastampare} - {QUALEPOSTAZIONE}{ID} "
                                        "{Sportello} {ID"_qs,
                                        ticketData_),
                 u"N. 42 - Postazione 31 {Sportello} {ID"_qs);
        const QLocale it(QLocale::Italian, QLocale::Italy);
        const QList<std::tuple<QLocale, qint32, const char *, const char *>> shown = {
            {it, DataItem::Date, "46.360,5", "04/12/2026 12.00"},
            {QLocale::c(), DataItem::Date, "46360", "04/12/2026"},
            {QLocale::c(), DataItem::Date, "46360.49998", "04/12/2026 12.00"},
            {it, DataItem::Date, "0,75", "18.00"},
            {it, DataItem::Date, "46360.5", "46360.5"},
            {it, DataItem::Number, "1234.5", "1234.5"}};
        for (const auto &[locale, type, content, text] : shown) {
            QLocale::setDefault(locale);
            QCOMPARE(TicketRenderer::displayText({u"D"_qs, QString::fromUtf8(content), type}),
                     QString::fromUtf8(text));
        }
    }

    // The day number depends on the calendar and the wall clock only: under a zone whose
    // 1899 offset was not whole hours, and in summer time, the numbers and texts stay put.
    void dayNumbersIgnoreTheTimeZone_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<double>("dayNumber");
        QTest::addColumn<QString>("shown");
        const QDateTime noon(QDate(2026, 12, 4), QTime(12, 0));
        const QDateTime summerMidnight(QDate(2026, 7, 20), QTime(0, 0));
        const QDateTime beforeEpoch(QDate(1899, 12, 29), QTime(6, 0));
        for (const char *zone : {"UTC", "Europe/Amsterdam", "Europe/Rome", "America/New_York"}) {
            QTest::addRow("%s noon", zone)
                << QByteArray(zone) << noon << 46360.5 << u"04/12/2026 12.00"_qs;
            QTest::addRow("%s summer", zone)
                << QByteArray(zone) << summerMidnight << 46223.0 << u"20/07/2026"_qs;
            QTest::addRow("%s 1899", zone)
                << QByteArray(zone) << beforeEpoch << -1.25 << u"29/12/1899 06.00"_qs;
        }
    }

    void dayNumbersIgnoreTheTimeZone()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, when);
        QFETCH(double, dayNumber);
        QFETCH(QString, shown);
        const QByteArray previous = qgetenv("TZ");
        qputenv("TZ", zone);
        tzset();
        const auto restore = qScopeGuard([&] {
            previous.isNull() ? qunsetenv("TZ") : qputenv("TZ", previous);
            tzset();
        });
        // Built under the zone, as the program builds its times.
        const QDateTime local(when.date(), when.time());
        QCOMPARE(DayNumber::from(local), dayNumber);
        QCOMPARE(DayNumber::toDateTime(dayNumber), local);
        QCOMPARE(FieldValue::fromStorage(FieldKind::DateTime, dayNumber).toDateTime(), local);
        QCOMPARE(TicketRenderer::displayText(
                     {u"D"_qs, QString::number(dayNumber, 'g', 9), DataItem::Date}),
                 shown);
    }
};

QTEST_MAIN(TestTicketRenderer)
#include "tst_ticketrenderer.moc"
