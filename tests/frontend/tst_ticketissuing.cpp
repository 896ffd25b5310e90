#include "core/kioskstate.h"
#include "frontend/numbering.h"
#include "frontend/ticketissuer.h"
#include "report/reportengine.h"
#include "report/ticketproject.h"
#include "support/archivefixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"
#include "support/workingfolder.h"

#include <QtTest>

#include <limits>

using Shown = QList<int>; // the eleven lines' numbers; -1: no number shown

// A press on a line: the next number stored with the others, recorded and printed to a
// PDF folder, and every way it can fail leaving the numbering as it was.
class TestTicketIssuing : public QObject
{
    Q_OBJECT

private slots:
    void issue_data()
    {
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<QString>("breakage"); // printer, or an SQL statement on Totem.mdb
        QTest::addColumn<int>("after");        // line 3's number after the press
        QTest::addColumn<QString>("stored");   // P1 to P11 after the press
        QTest::addColumn<QString>("said");     // a part of the one message, if any
        const Shown shown{-1, 20, 41, 0, -1, -1, -1, -1, -1, -1, 110};
        QTest::newRow("printed") << shown << QString() << 42 << u"7|20|42|0|7|7|7|7|7|7|110"_qs
                                 << QString();
        QTest::newRow("no number shown")
            << Shown(11, -1) << QString() << 1 << u"7|7|1|7|7|7|7|7|7|7|7"_qs << QString();
        QTest::newRow("beyond the limit")
            << Shown{-1, -1, std::numeric_limits<qint32>::max(), -1, -1, -1, -1, -1, -1, -1, -1}
            << QString() << std::numeric_limits<qint32>::max() << u"7|7|7|7|7|7|7|7|7|7|7"_qs
            << u"non è stato emesso"_qs;
        // A printer known to be unable to print is asked before the number is taken.
        QTest::newRow("no pdf folder") << shown << u"pdf:manca"_qs << 41
                                       << u"7|7|7|7|7|7|7|7|7|7|7"_qs << u"non è pronta"_qs;
        QTest::newRow("unknown printer")
            << shown << u"StampanteInesistente"_qs << 41 << u"7|7|7|7|7|7|7|7|7|7|7"_qs
            << u"StampanteInesistente"_qs;
        QTest::newRow("no ticket record") << shown << u"UPDATE DatiDaStampare SET ID = 2"_qs << 41
                                          << u"7|20|41|0|7|7|7|7|7|7|110"_qs
                                          << u"Nessun dato da stampare per questa selezione !"_qs;
        QTest::newRow("numbering not stored")
            << shown << u"DROP TABLE Numerazione"_qs << 41 << QString()
            << u"la numerazione non può essere memorizzata"_qs;
    }

    void issue()
    {
        QFETCH(Shown, shown);
        QFETCH(QString, breakage);
        QFETCH(int, after);
        QFETCH(QString, stored);
        QFETCH(QString, said);
        ArchiveFixture archives;
        WorkingFolder work;
        QVERIFY(archives.isValid() && work.isValid());
        QStringList everySeven;
        for (int k = 1; k <= 11; ++k)
            everySeven << u"P%1 = 7"_qs.arg(k);
        QVERIFY(
            archives.run(u"Totem.mdb"_qs, {u"UPDATE Numerazione SET "_qs + everySeven.join(u',')}));
        const bool sql = breakage.contains(u' ');
        if (sql)
            QVERIFY(archives.run(u"Totem.mdb"_qs, {breakage}));
        TicketProject::defaultTicket(sql || breakage.isEmpty() ? u"pdf:tickets"_qs : breakage)
            .save(TicketProject::defaultFileName());

        Numbering numbering;
        for (int k = 0; k < 11; ++k)
            numbering.set(k, shown[k] < 0 ? std::nullopt : std::optional<qint32>(shown[k]));
        ScriptedDialogs dialogs;
        ManualClock clock;
        ReportEngine engine(dialogs, clock);
        KioskState state;
        state.archiveFolder = archives.folder();
        TicketIssuer issuer(state, dialogs, engine, nullptr);
        issuer.issue(
            numbering, 2,
            {u"Comune"_qs, u"Rossi Anna"_qs, u"Protocollo"_qs, u"07/12/2026"_qs, u"09.41"_qs});

        QCOMPARE(numbering.current(2), std::optional<qint32>(after));
        QCOMPARE(dialogs.messageTexts().join(u'|').contains(said), true);
        QCOMPARE(dialogs.messages.size(), said.isEmpty() ? 0 : 1);
        QStringList fields;
        for (int k = 1; k <= 11 && !stored.isEmpty(); ++k)
            fields << archives.firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P%1"_qs.arg(k));
        QCOMPARE(fields.join(u'|'), stored);
        QCOMPARE(work.ticketFiles().size(), said.isEmpty() ? 1 : 0);
        if (!said.isEmpty())
            return;
        QStringList ticket;
        for (const char *field : {"Titolo", "QualeUtente", "QualePostazione", "QualeData",
                                  "QualeOra", "NumeroDaStampare"})
            ticket << archives.firstValue(u"Totem.mdb"_qs, u"DatiDaStampare"_qs,
                                          QLatin1String(field));
        QCOMPARE(ticket.join(u'|'),
                 u"Comune|Rossi Anna|Protocollo|07/12/2026|09.41|%1"_qs.arg(after));
    }
};

QTEST_MAIN(TestTicketIssuing)
#include "tst_ticketissuing.moc"
