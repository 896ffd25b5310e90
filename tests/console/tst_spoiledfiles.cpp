#include "frontend/frontend.h"
#include "report/ticketproject.h"
#include "support/kioskfixture.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

// The ticket project is a file others may have spoiled: the public screen and the console's
// ticket design each meet it; neither crashes, each tells why in Italian, nothing is printed
// or lost on its word, and the file is left for the administrator to mend.
class TestSpoiledFiles : public QObject
{
    Q_OBJECT

private slots:
    void ticketProjects_data()
    {
        QTest::addColumn<QByteArray>("content"); // "<tickets>" stands for the PDF folder
        QTest::addColumn<QString>("says");       // empty: the ticket prints

        TicketProject unknown = TicketProject::defaultTicket(u"pdf:<tickets>"_qs);
        unknown.items[1].text = QStringLiteral("Sportello {Sconosciuto}");
        const QByteArray good = unknown.toJson();
        QByteArray newer = good;
        newer.replace("\"version\": 1", "\"version\": 2");

        QTest::newRow("empty") << QByteArray() << u"è vuoto"_qs;
        QTest::newRow("truncated") << good.left(good.size() / 2) << u"non è un file JSON valido"_qs;
        QTest::newRow("newer version") << newer << u"versione più recente del programma"_qs;
        // A name no data item has is printed as written, so a misspelling shows on paper.
        QTest::newRow("unknown data item") << good << QString();
    }

    void ticketProjects()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, says);
        KioskFixture office;
        QVERIFY(office.isValid());
        content.replace("<tickets>", office.workPath(u"tickets"_qs).toUtf8());
        QFile project(TicketProject::defaultFileName());
        QVERIFY(project.open(QIODevice::WriteOnly) && project.write(content) == content.size());
        project.close();
        office.state.startingNumbers[KioskFixture::StaffedCounter - 1] = 30;

        {
            FrontEnd screen(office.state, office.dialogs, office.clock);
            screen.activate();
            const bool printed = office.press(screen, KioskFixture::StaffedCounter);
            QCOMPARE(printed, says.isEmpty());
            QCOMPARE(named<QLineEdit>(screen, u"Numero3"_qs)->text(),
                     printed ? u"31"_qs : u"30"_qs);
            if (printed) {
                QVERIFY(office.dialogs.messages.isEmpty());
                QProcess pdfText;
                pdfText.start(
                    u"pdftotext"_qs,
                    {QDir(office.workPath(u"tickets"_qs)).filePath(office.printed()[0]), u"-"_qs});
                QVERIFY2(pdfText.waitForFinished(30000), "pdftotext (poppler-utils) did not run");
                QVERIFY(pdfText.readAllStandardOutput().contains("Sportello {Sconosciuto}"));
            } else {
                const QString alert = office.dialogs.alert();
                QVERIFY2(alert.contains(says) && alert.contains(u"restituito"_qs),
                         qPrintable(alert));
                QCOMPARE(office.archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P3"_qs),
                         u"30"_qs);
            }
        }

        office.dialogs = ScriptedDialogs();
        QStringList offered;
        const QString shown = office.openFromConsole(u"PB1(2)"_qs, [&](QDialog &designer) {
            const auto *names = named<QComboBox>(designer, u"dataItems"_qs);
            for (int i = 0; names && i < names->count(); ++i)
                offered << names->itemText(i);
        });
        if (says.isEmpty()) {
            QCOMPARE(shown, u"TicketDesigner"_qs);
            QVERIFY2(offered.contains(u"Sconosciuto"_qs), qPrintable(offered.join(u',')));
        } else {
            QCOMPARE(shown, QString());
            QVERIFY2(office.dialogs.alert().contains(says), qPrintable(office.dialogs.alert()));
            QVERIFY(project.open(QIODevice::ReadOnly));
            QCOMPARE(project.readAll(), content);
        }
    }
};

QTEST_MAIN(TestSpoiledFiles)
#include "tst_spoiledfiles.moc"
