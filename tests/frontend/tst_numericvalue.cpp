#include "frontend/numericvalue.h"

#include <QtTest>

#include <cmath>

class TestNumericValue : public QObject
{
    Q_OBJECT

private slots:
    void longestLeadingNumberRoundedHalfToEven_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << QStringLiteral("41") << 41.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
        QTest::newRow("trailing letters") << QStringLiteral("12abc") << 12.0;
        QTest::newRow("leading blanks") << QStringLiteral("  \t7") << 7.0;
        QTest::newRow("inner blank stops") << QStringLiteral("1 2") << 1.0;
        QTest::newRow("half down to even") << QStringLiteral("12.5") << 12.0;
        QTest::newRow("half up to even") << QStringLiteral("13.5") << 14.0;
        QTest::newRow("fraction") << QStringLiteral("7.6x") << 8.0;
        QTest::newRow("point first") << QStringLiteral(".5") << 0.0;
        QTest::newRow("point last") << QStringLiteral("5.") << 5.0;
        QTest::newRow("minus") << QStringLiteral("-3") << -3.0;
        QTest::newRow("plus") << QStringLiteral("+4") << 4.0;
        QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
        QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
        QTest::newRow("no exponent") << QStringLiteral("1e5") << 1.0;
        QTest::newRow("comma is not a point") << QStringLiteral("1,9") << 1.0;
        QTest::newRow("non-ASCII digits") << QStringLiteral("٤٢") << 0.0;
        QTest::newRow("beyond 32 bits") << QStringLiteral("2147483648") << 2147483648.0;
    }

    void longestLeadingNumberRoundedHalfToEven()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(NumericValue::rounded(text), expected);
    }

    void aNumberTooLongForADoubleIsHugeNotZero()
    {
        // It must be refused as too large, never taken for an empty box.
        QVERIFY(std::isinf(NumericValue::of(QString(400, u'9'))));
        QVERIFY(NumericValue::of(u'-' + QString(400, u'9')) < 0);
    }
};

QTEST_GUILESS_MAIN(TestNumericValue)
#include "tst_numericvalue.moc"
