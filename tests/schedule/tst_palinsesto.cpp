#include "archive/archiveschema.h"
#include "schedule/palinsesto.h"
#include "support/kioskfixture.h"

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

// The operators, in the archive's order (neither by name nor by ID): Rossi Anna (5), on duty
// at counter 3 on Monday at 09:00, Verdi Carla (9), Bianchi Luca (7).
class TestPalinsesto : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KioskFixture> office_;
    std::unique_ptr<Palinsesto> screen_;

    void open()
    {
        screen_ = std::make_unique<Palinsesto>(office_->state, office_->dialogs);
        screen_->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen_.get()));
    }
    QTableWidget *grid() const { return named<QTableWidget>(*screen_, u"Grid1"_qs); }
    QString cell(int row, int column) const { return grid()->item(row, column)->text(); }
    void clickCell(int row, int column)
    {
        const QRect place = grid()->visualRect(grid()->model()->index(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, place.center());
    }
    QString label3(int i) const { return named<QLabel>(*screen_, u"Label3(%1)"_qs.arg(i))->text(); }
    void clickDay(int index) { named<QRadioButton>(*screen_, u"RB1(%1)"_qs.arg(index))->click(); }
    void save() { named<QPushButton>(*screen_, u"PB1(1)"_qs)->click(); }
    QList<QVariantList> stored(const QString &table) const
    {
        return office_->archives.dayRows(table);
    }
    int storedAt(const QString &table, int counter, int hour) const
    {
        return stored(table).at(counter - 1).at(hour - ArchiveSchema::FirstHour).toInt();
    }

private slots:
    void init()
    {
        office_ = std::make_unique<KioskFixture>();
        QVERIFY(office_->isValid());
        QVERIFY(office_->archives.addOperator(9, u"Verdi Carla"_qs));
        QVERIFY(office_->archives.addOperator(7, u"Bianchi Luca"_qs));
    }

    void cleanup() { screen_.reset(); }

    void opensOnMondayAndCellsToggleUntilSalvaWrites()
    {
        open();
        QCOMPARE(screen_->currentDayTable(), u"Totemlunedì"_qs);
        QCOMPARE(label3(0), u"Rossi Anna"_qs);
        const QAbstractItemModel *operators = named<QTableView>(*screen_, u"grid"_qs)->model();
        QCOMPARE(operators->index(2, 0).data().toString(), u"Bianchi Luca"_qs);

        // The keyboard picks an operator as a click does.
        QTest::keyClick(named<QTableView>(*screen_, u"grid"_qs), Qt::Key_Down);
        QCOMPARE(label3(0), u"Verdi Carla"_qs);
        QCOMPARE(cell(3, 3), u"Rossi Anna"_qs);
        clickCell(3, 3); // filled: emptied, whoever is selected
        QCOMPARE(cell(3, 3), QString());
        clickCell(3, 3); // empty: the selected operator
        QCOMPARE(cell(3, 3), u"Verdi Carla"_qs);
        clickCell(5, 6);
        clickCell(6, 6); // one operator at two counters in the same hour is accepted
        clickCell(0, 6); // headers are not cells of the schedule
        clickCell(6, 0);
        QCOMPARE(cell(0, 6) + cell(6, 0), u"12:00Sportello 6"_qs);
        QCOMPARE(storedAt(monday, 5, 12), 0);

        save();
        for (const QPoint cell : {QPoint(3, 9), QPoint(5, 12), QPoint(6, 12)})
            QCOMPARE(storedAt(monday, cell.x(), cell.y()), 9);
        QVERIFY(office_->dialogs.messages.isEmpty());

        // Another day drops what was not saved, and saves into its own table.
        clickCell(1, 1);
        clickDay(1);
        QCOMPARE(cell(1, 1), QString());
        QCOMPARE(cell(3, 3), QString());
        clickCell(2, 4);
        save();
        QCOMPARE(storedAt(tuesday, 2, 10), 9);
        clickDay(0);
        QCOMPARE(cell(1, 1), QString());
        QCOMPARE(storedAt(monday, 2, 10), 0);
    }

    void cellsNameTheOperatorAndAnUnchangedDayIsSavedAsItWas()
    {
        // A second operator with ID 5, one without a name, one without an ID.
        QVERIFY(office_->archives.addOperator(5, u"Rossi Bis"_qs));
        QVERIFY(office_->archives.addOperator(6, u" "_qs));
        QVERIFY(office_->archives.run(u"KZ4.mdb"_qs,
                                      {u"INSERT INTO Utenti(Nominativo) VALUES('Senza ID')"_qs}));
        QVERIFY(office_->archives.setDuty(monday, 2, u"sette"_qs, 6));
        QVERIFY(office_->archives.setDuty(monday, 4, u"quindici"_qs, 99)); // nobody's ID
        QVERIFY(office_->archives.run(u"Totem.mdb"_qs,
                                      {u"INSERT INTO \"TotemLunedì\"(sette) VALUES(9)"_qs}));
        const QList<QVariantList> before = stored(monday);
        open();
        QCOMPARE(cell(3, 3), u"Rossi Anna"_qs); // the first one with the ID
        save();
        QCOMPARE(stored(monday), before);

        clickCell(4, 9);
        clickCell(4, 9);
        save();
        QCOMPARE(storedAt(monday, 4, 15), 5);
        // Records after the tenth are neither shown nor saved.
        QCOMPARE(stored(monday).at(10), before.at(10));
    }

    void daysThatCannotBeReadAreReportedAndNeverSaved()
    {
        QVERIFY(office_->archives.run(
            u"Totem.mdb"_qs,
            {u"DELETE FROM \"TotemMartedì\" WHERE rowid = (SELECT MAX(rowid) FROM \"TotemMartedì\")"_qs,
             u"DROP TABLE \"TotemMercoledì\""_qs,
             u"UPDATE \"TotemGiovedì\" SET otto = NULL WHERE rowid = (SELECT rowid FROM "
             "\"TotemGiovedì\" ORDER BY rowid LIMIT 1 OFFSET 2)"_qs}));
        const QList<QVariantList> shortTuesday = stored(tuesday);
        open();
        for (int day : {1, 2, 3}) {
            office_->dialogs = ScriptedDialogs();
            clickDay(day);
            const QString told = office_->dialogs.alert();
            QVERIFY2(told.startsWith(u"Il palinsesto di %1 non può essere mostrato: per questo "
                                     "giorno non verrà salvato nulla."_qs.arg(label3(1))),
                     qPrintable(told));
            // An empty hour is named with its record, not read as nobody on duty.
            QVERIFY(day != 3 || (told.contains(u"otto"_qs) && told.contains(u"postazione 3"_qs)));
            QCOMPARE(cell(3, 3), QString()); // not Monday's operator under another day
            clickCell(1, 2);
            QCOMPARE(cell(1, 2), QString());
            save();
            QCOMPARE(office_->dialogs.messages.value(1).text,
                     u"Il palinsesto di %1 non è stato caricato: non è stato salvato nulla."_qs.arg(
                         label3(1)));
        }
        QCOMPARE(stored(tuesday), shortTuesday);
        clickDay(0);
        QCOMPARE(cell(3, 3), u"Rossi Anna"_qs);
    }
};

QTEST_MAIN(TestPalinsesto)
#include "tst_palinsesto.moc"
