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
        const QList<std::pair<const char16_t *, double>> rows{{u"41", 41},
                                                              {u"", 0},
                                                              {u"abc", 0},
                                                              {u"  \t12abc", 12},
                                                              {u"1 2", 1},
                                                              {u"12.5", 12},
                                                              {u"13.5", 14},
                                                              {u".5", 0},
                                                              {u"5.", 5},
                                                              {u"-3", -3},
                                                              {u"+4", 4},
                                                              {u"-", 0},
                                                              {u".", 0},
                                                              {u"1e5", 1},
                                                              {u"1,9", 1},
                                                              {u"٤٢", 0},
                                                              {u"2147483648", 2147483648.0}};
        for (const auto &[text, expected] : rows)
            QTest::newRow(QString::fromUtf16(text).toUtf8())
                << QString::fromUtf16(text) << expected;
    }

    void longestLeadingNumberRoundedHalfToEven()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(NumericValue::rounded(text), expected);
    }

    void aNumberTooLongForADoubleIsHugeNotZero()
    {
        QVERIFY(std::isinf(NumericValue::of(QString(400, u'9'))));
        QVERIFY(NumericValue::of(u'-' + QString(400, u'9')) < 0);
    }
};

QTEST_GUILESS_MAIN(TestNumericValue)
#include "tst_numericvalue.moc"
