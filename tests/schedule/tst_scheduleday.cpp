#include "schedule/operatorlist.h"
#include "support/archivefixture.h"

#include <QtTest>

class TestScheduleDay : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ArchiveFixture> archives_;

private slots:
    void init()
    {
        archives_ = std::make_unique<ArchiveFixture>();
        QVERIFY(archives_->isValid());
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
