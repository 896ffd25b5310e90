#include "report/ticketproject.h"
#include "support/reporterrorof.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestTicketProject : public QObject
{
    Q_OBJECT

private slots:
    void roundTripsThroughFileIgnoringUnknownKeys()
    {
        TicketProject project = TicketProject::defaultTicket(u"pdf:/tmp/biglietti"_qs);
        project.items[0].alignment = Qt::AlignLeft | Qt::AlignTop;
        project.items[1].alignment = Qt::AlignRight | Qt::AlignBottom;
        project.items[1].italic = true;
        project.items[1].fontFamily = u"Liberation Serif"_qs;
        project.items[1].box = QRectF(0, 0.25, 12.5, 1000);
        QTemporaryDir dir;
        const QString path = dir.filePath(TicketProject::defaultFileName());
        const auto load = [&] { return TicketProject::load(path); };
        QCOMPARE(reportErrorOf(load), u"Il progetto di stampa Ticket.lbl non esiste: "_qs
                                          + QDir::toNativeSeparators(path));
        project.save(path);
        QCOMPARE(load(), project);

        QByteArray json = project.toJson();
        json.replace("\"items\"", "\"author\": \"ufficio\", \"items\"");
        json.replace("\"text\"", "\"colour\": \"red\", \"text\"");
        QCOMPARE(TicketProject::fromJson(json), project);
        // What an item leaves out takes the defaults.
        json = R"({"format":"totem-ticket","version":1,"paper":{"width":80,"height":100},
                   "items":[{"text":"a","box":{"x":1,"y":2,"width":70,"height":10}}]})";
        QCOMPARE(TicketProject::fromJson(json).items,
                 (QList<TicketItem>{{u"a"_qs, QRectF(1, 2, 70, 10)}}));

        QVERIFY(QFile::remove(path) && QDir(dir.path()).mkdir(TicketProject::defaultFileName()));
        QCOMPARE(reportErrorOf(load), u"Il progetto di stampa Ticket.lbl non si può leggere."_qs);
        // Each name once, whatever its case, in the order the texts first use it.
        project.items[1].text = u"{titolo} {Nome con spazi}{ID} {non chiuso"_qs;
        QCOMPARE(project.referencedItems().join(u','),
                 u"Titolo,Nome con spazi,ID,NumeroDaStampare,QualePostazione,QualeUtente,"
                 "QualeData,QualeOra"_qs);
    }

    void rejectsWhatIsNotAProject_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("says");
        const QByteArray head = R"({"format":"totem-ticket","version":1,)";
        const QByteArray item = head + R"("paper":{"width":80,"height":100},"items":[)";
        const QByteArray box = item + R"({"text":"a","box":{"x":1,"y":2,"width":70,"height":10},)";
        QTest::newRow("format") << QByteArray(R"({"format":"layout","version":1})")
                                << u"non è nel formato dei ticket"_qs;
        QTest::newRow("no paper") << head + R"("printer":""})" << u"\"paper\" manca"_qs;
        QTest::newRow("paper") << head + R"("paper":{"width":80,"height":1e5}})"
                               << u"l'altezza della carta"_qs;
        QTest::newRow("no box") << item + R"({"text":"a"}]})" << u"\"box\" nell'elemento 1"_qs;
        QTest::newRow("width")
            << item + R"({"text":"a","box":{"x":1,"y":2,"width":-7,"height":1}}]})"
            << u"nell'elemento 1 la larghezza del riquadro"_qs;
        QTest::newRow("font") << box + R"("font":{"size":0}}]})" << u"dimensione del carattere"_qs;
        QTest::newRow("align") << box + R"("align":"middle"}]})" << u"\"center\" o \"right\""_qs;
    }
    void rejectsWhatIsNotAProject()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, says);
        const QString message = reportErrorOf([&] { TicketProject::fromJson(json); });
        QVERIFY2(message.startsWith(u"Il progetto di stampa"_qs) && message.contains(says),
                 qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestTicketProject)
#include "tst_ticketproject.moc"
