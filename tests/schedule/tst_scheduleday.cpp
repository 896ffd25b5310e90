#include "archive/archiveerror.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "schedule/operatorlist.h"
#include "schedule/scheduleday.h"
#include "support/archivefixture.h"

#include <QtTest>

namespace {
const QString tuesday = QStringLiteral("TotemMartedì");
} // namespace

class TestScheduleDay : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ArchiveFixture> archives_;

    QList<QVariantList> stored(const QString &table) const { return archives_->dayRows(table); }

    ArchiveError::Reason failureOf(const std::function<void()> &operation) const
    {
        try {
            operation();
        } catch (const ArchiveError &error) {
            return error.reason();
        }
        return ArchiveError::Reason::Other;
    }

private slots:
    void init()
    {
        archives_ = std::make_unique<ArchiveFixture>();
        QVERIFY(archives_->isValid());
    }

    void aDayThatCannotBeReadWhollyIsRefused()
    {
        QVERIFY(archives_->setDuty(tuesday, 1, QStringLiteral("sette"), 5));
        QVERIFY(archives_->run(QStringLiteral("Totem.mdb"),
                               {QStringLiteral("DELETE FROM \"TotemMartedì\" WHERE rowid = "
                                               "(SELECT MAX(rowid) FROM \"TotemMartedì\")"),
                                QStringLiteral("DROP TABLE \"TotemMercoledì\""),
                                QStringLiteral("UPDATE \"TotemGiovedì\" SET otto = NULL WHERE "
                                               "rowid = (SELECT rowid FROM \"TotemGiovedì\" "
                                               "ORDER BY rowid LIMIT 1 OFFSET 2)")}));
        const QString folder = archives_->folder();
        const QList<QVariantList> nineRecords = stored(tuesday);
        QCOMPARE(failureOf([&] { ScheduleDay::read(folder, tuesday); }),
                 ArchiveError::Reason::NoCurrentRecord);
        QCOMPARE(failureOf([&] { ScheduleDay().write(folder, tuesday); }),
                 ArchiveError::Reason::NoCurrentRecord);
        QCOMPARE(stored(tuesday), nineRecords);

        QCOMPARE(failureOf([&] { ScheduleDay::read(folder, QStringLiteral("TotemMercoledì")); }),
                 ArchiveError::Reason::MissingTable);

        try {
            ScheduleDay::read(folder, QStringLiteral("TotemGiovedì"));
            QFAIL("an empty hour field was read as a value");
        } catch (const ArchiveError &error) {
            QVERIFY(error.message().contains(QStringLiteral("otto")));
            QVERIFY(error.message().contains(QStringLiteral("postazione 3")));
        }
    }

    void cellTextsNameTheFirstOperatorOrShowTheIdentifier()
    {
        QVERIFY(archives_->addOperator(5, QStringLiteral("Rossi Anna")));
        QVERIFY(archives_->addOperator(5, QStringLiteral("Rossi Bis")));
        QVERIFY(archives_->addOperator(6, QStringLiteral(" ")));
        QVERIFY(
            archives_->run(QStringLiteral("KZ4.mdb"),
                           {QStringLiteral("INSERT INTO Utenti(Nominativo) VALUES('Senza ID')")}));
        const OperatorList list = OperatorList::read(archives_->folder());
        QCOMPARE(list.size(), 4);
        QCOMPARE(list.at(1).name, QStringLiteral("Rossi Bis"));
        QCOMPARE(list.at(3).id, 0);
        QCOMPARE(list.cellText(5), QStringLiteral("Rossi Anna"));
        QCOMPARE(list.cellText(6), QStringLiteral("ID 6"));
        QCOMPARE(list.cellText(99), QStringLiteral("?99"));
    }
};

QTEST_GUILESS_MAIN(TestScheduleDay)
#include "tst_scheduleday.moc"
