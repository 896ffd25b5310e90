#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "core/kioskstate.h"
#include "schedule/palinsesto.h"
#include "support/archivefixture.h"
#include "support/scripteddialogs.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

namespace {
const QString monday = QStringLiteral("TotemLunedì");
const QString tuesday = QStringLiteral("TotemMartedì");
} // namespace

class TestPalinsesto : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ArchiveFixture> archives_;
    KioskState state_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<Palinsesto> screen_;

    void open()
    {
        screen_ = std::make_unique<Palinsesto>(state_, dialogs_);
        screen_->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen_.get()));
    }
    template <typename T> T *find(const QString &name) const
    {
        T *widget = screen_->findChild<T *>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    QTableWidget *grid1() const { return find<QTableWidget>(QStringLiteral("Grid1")); }
    QString cell(int row, int column) const { return grid1()->item(row, column)->text(); }
    void clickCell(int row, int column)
    {
        const QRect place = grid1()->visualRect(grid1()->model()->index(row, column));
        QTest::mouseClick(grid1()->viewport(), Qt::LeftButton, {}, place.center());
    }
    QString label3(int index) const
    {
        return find<QLabel>(QStringLiteral("Label3(%1)").arg(index))->text();
    }
    void clickDay(int index) { find<QRadioButton>(QStringLiteral("RB1(%1)").arg(index))->click(); }
    void save() { find<QPushButton>(QStringLiteral("PB1(1)"))->click(); }

    QList<QVariantList> stored(const QString &table) const { return archives_->dayRows(table); }
    int storedAt(const QString &table, int counter, int hour) const
    {
        return stored(table).at(counter - 1).at(hour - ArchiveSchema::FirstHour).toInt();
    }

private slots:
    void init()
    {
        archives_ = std::make_unique<ArchiveFixture>();
        QVERIFY(archives_->isValid());
        state_ = KioskState();
        state_.archiveFolder = archives_->folder();
        for (int i = 0; i < KioskState::CounterCount; ++i)
            state_.counterNames[i] = QStringLiteral("Sportello %1").arg(i + 1);
        dialogs_ = ScriptedDialogs();
        // Neither by name nor by identifier: the list must keep the archive's order.
        QVERIFY(archives_->addOperator(9, QStringLiteral("Verdi Carla")));
        QVERIFY(archives_->addOperator(5, QStringLiteral("Rossi Anna")));
        QVERIFY(archives_->addOperator(7, QStringLiteral("Bianchi Luca")));
    }

    void cleanup() { screen_.reset(); }

    void opensOnMondayAndCellsToggleUntilSalvaWrites()
    {
        QVERIFY(archives_->setDuty(monday, 2, QStringLiteral("nove"), 7));
        QVERIFY(archives_->setDuty(tuesday, 1, QStringLiteral("sette"), 5));
        open();
        QCOMPARE(screen_->currentDayTable(), QStringLiteral("Totemlunedì"));
        QCOMPARE(label3(1), QStringLiteral("lunedì"));
        QVERIFY(find<QRadioButton>(QStringLiteral("RB1(0)"))->isChecked());
        QCOMPARE(label3(0), QStringLiteral("Verdi Carla"));
        const QAbstractItemModel *operators = find<QTableView>(QStringLiteral("grid"))->model();
        QCOMPARE(operators->rowCount(), 3);
        QCOMPARE(operators->index(2, 0).data().toString(), QStringLiteral("Bianchi Luca"));
        QCOMPARE(cell(0, 1), QStringLiteral("07:00"));
        QCOMPARE(cell(0, 14), QStringLiteral("20:00"));
        QCOMPARE(cell(10, 0), QStringLiteral("Sportello 10"));
        QCOMPARE(cell(1, 1), QString());

        QCOMPARE(cell(2, 3), QStringLiteral("Bianchi Luca"));
        clickCell(2, 3); // filled: emptied, whoever is selected
        QCOMPARE(cell(2, 3), QString());
        clickCell(2, 3); // empty: the selected operator
        QCOMPARE(cell(2, 3), QStringLiteral("Verdi Carla"));
        QCOMPARE(screen_->assignments().operatorAt(1, 2), 9);
        clickCell(5, 6);
        clickCell(6, 6); // one operator at two counters in the same hour is accepted
        clickCell(0, 6); // headers are not cells of the schedule
        clickCell(6, 0);
        QCOMPARE(cell(0, 6), QStringLiteral("12:00"));
        QCOMPARE(cell(6, 0), QStringLiteral("Sportello 6"));
        // The keyboard picks an operator as a click does.
        QTest::keyClick(find<QTableView>(QStringLiteral("grid")), Qt::Key_Down);
        QCOMPARE(label3(0), QStringLiteral("Rossi Anna"));
        clickCell(1, 1);
        QCOMPARE(cell(1, 1), QStringLiteral("Rossi Anna"));
        QCOMPARE(screen_->assignments().filledCount(), 4);
        QCOMPARE(storedAt(monday, 2, 9), 7);
        QCOMPARE(storedAt(monday, 5, 12), 0);

        save();
        QCOMPARE(storedAt(monday, 2, 9), 9);
        QCOMPARE(storedAt(monday, 5, 12), 9);
        QCOMPARE(storedAt(monday, 6, 12), 9);
        QCOMPARE(storedAt(monday, 1, 7), 5);
        QVERIFY(dialogs_.messages.isEmpty());
    }

    void anotherDayDropsTheEditsAndShowsWhatIsStored()
    {
        QVERIFY(archives_->setDuty(monday, 1, QStringLiteral("sette"), 7));
        QVERIFY(archives_->setDuty(tuesday, 3, QStringLiteral("dieci"), 5));
        open();
        clickCell(1, 1);
        clickCell(3, 4);
        clickDay(1);
        QCOMPARE(label3(1), QStringLiteral("martedì"));
        QCOMPARE(cell(1, 1), QString());
        QCOMPARE(cell(3, 4), QStringLiteral("Rossi Anna"));

        clickCell(3, 4); // saved into Tuesday's table, not Monday's
        save();
        QCOMPARE(storedAt(tuesday, 3, 10), 0);
        clickDay(0);
        QCOMPARE(cell(1, 1), QStringLiteral("Bianchi Luca"));
        QCOMPARE(cell(3, 4), QString());
        QCOMPARE(storedAt(monday, 1, 7), 7);
        QCOMPARE(storedAt(monday, 3, 10), 0);
    }

    void cellsNameTheOperatorAndAnUnchangedDayIsSavedAsItWas()
    {
        // A second operator with ID 5, one without a name, one without an ID.
        QVERIFY(archives_->addOperator(5, QStringLiteral("Rossi Bis")));
        QVERIFY(archives_->addOperator(6, QStringLiteral(" ")));
        QVERIFY(
            archives_->run(QStringLiteral("KZ4.mdb"),
                           {QStringLiteral("INSERT INTO Utenti(Nominativo) VALUES('Senza ID')")}));
        QVERIFY(archives_->setDuty(monday, 1, QStringLiteral("sette"), 5));
        QVERIFY(archives_->setDuty(monday, 2, QStringLiteral("sette"), 6));
        QVERIFY(archives_->setDuty(monday, 4, QStringLiteral("quindici"), 99)); // nobody's ID
        QVERIFY(archives_->setDuty(monday, 10, QStringLiteral("venti"), 7));
        QVERIFY(archives_->run(QStringLiteral("Totem.mdb"),
                               {QStringLiteral("INSERT INTO \"TotemLunedì\"(sette) VALUES(9)")}));
        const QList<QVariantList> before = stored(monday);
        open();
        QCOMPARE(find<QTableView>(QStringLiteral("grid"))->model()->rowCount(), 6);
        QCOMPARE(cell(1, 1), QStringLiteral("Rossi Anna")); // the first one with the ID
        QCOMPARE(cell(2, 1), QStringLiteral("ID 6"));
        QCOMPARE(cell(4, 9), QStringLiteral("?99"));
        save();
        QCOMPARE(stored(monday), before);

        clickCell(4, 9);
        clickCell(4, 9);
        clickCell(1, 1);
        save();
        const QList<QVariantList> after = stored(monday);
        QCOMPARE(after.at(3).at(8).toInt(), 9);
        QCOMPARE(after.at(0).at(0).toInt(), 0);
        QCOMPARE(after.at(10), before.at(10));
    }

    void daysThatCannotBeReadAreReportedAndNeverSaved()
    {
        QVERIFY(archives_->setDuty(monday, 1, QStringLiteral("sette"), 7));
        QVERIFY(archives_->run(QStringLiteral("Totem.mdb"),
                               {QStringLiteral("DELETE FROM \"TotemMartedì\" WHERE rowid = "
                                               "(SELECT MAX(rowid) FROM \"TotemMartedì\")"),
                                QStringLiteral("DROP TABLE \"TotemMercoledì\""),
                                QStringLiteral("UPDATE \"TotemGiovedì\" SET otto = NULL WHERE "
                                               "rowid = (SELECT rowid FROM \"TotemGiovedì\" "
                                               "ORDER BY rowid LIMIT 1 OFFSET 2)")}));
        const QList<QVariantList> shortTuesday = stored(tuesday);
        const QList<QVariantList> emptyThursday = stored(QStringLiteral("TotemGiovedì"));
        open();
        for (int day : {1, 2, 3}) {
            dialogs_ = ScriptedDialogs();
            clickDay(day);
            QCOMPARE(dialogs_.messages.size(), 1);
            QCOMPARE(dialogs_.messages.at(0).kind, Dialogs::Kind::Critical);
            const QString told = dialogs_.messages.at(0).text;
            QVERIFY2(told.startsWith(QStringLiteral("Il palinsesto di %1 non può essere mostrato: "
                                                    "per questo giorno non verrà salvato nulla.")
                                         .arg(label3(1))),
                     qPrintable(told));
            // An empty hour is named with its record, not read as nobody on duty.
            if (day == 3)
                QVERIFY2(told.contains(QStringLiteral("otto"))
                             && told.contains(QStringLiteral("postazione 3")),
                         qPrintable(told));
            QCOMPARE(cell(1, 1), QString()); // not Monday's operator under another day
            clickCell(1, 2);
            QCOMPARE(cell(1, 2), QString());
            save();
            QCOMPARE(dialogs_.messages.size(), 2);
            QCOMPARE(dialogs_.messages.at(1).text,
                     QStringLiteral("Il palinsesto di %1 non è stato caricato: non è stato "
                                    "salvato nulla.")
                         .arg(label3(1)));
        }
        QCOMPARE(stored(tuesday), shortTuesday);
        QCOMPARE(stored(QStringLiteral("TotemGiovedì")), emptyThursday);
        clickDay(0);
        QCOMPARE(cell(1, 1), QStringLiteral("Bianchi Luca"));
    }

    void withoutOperatorsNothingIsShownOrSaved()
    {
        QVERIFY(archives_->run(QStringLiteral("KZ4.mdb"), {QStringLiteral("DELETE FROM Utenti")}));
        QVERIFY(archives_->setDuty(monday, 1, QStringLiteral("sette"), 7));
        const QList<QVariantList> before = stored(monday);
        open();
        QCOMPARE(label3(0), QString());
        QCOMPARE(label3(1), QString());
        QCOMPARE(cell(1, 1), QString());
        clickCell(1, 1);
        save();
        QCOMPARE(cell(1, 1), QString());
        QCOMPARE(stored(monday), before);
        clickDay(2);
        QCOMPARE(label3(1), QStringLiteral("mercoledì"));
        QCOMPARE(cell(1, 1), QString());
        QVERIFY(dialogs_.messages.isEmpty());
    }
};

QTEST_MAIN(TestPalinsesto)
#include "tst_palinsesto.moc"
