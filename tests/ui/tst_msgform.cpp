#include "ui/msgform.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// The texts MsgForm shows for its callers are checked in tst_imporete and tst_layout1.
class TestMsgForm : public QObject
{
    Q_OBJECT

private slots:
    void unsetLinesAreHiddenAndEitherButtonCloses_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Chiudi") << u"PB1(0)"_qs;
        QTest::newRow("Conferma") << u"PB1(1)"_qs;
    }
    void unsetLinesAreHiddenAndEitherButtonCloses()
    {
        QFETCH(QString, button);
        MsgForm form;
        form.setLines(u"Memorizzazione effettuata !"_qs);
        form.show();
        QCOMPARE(form.size(), QSize(440, 220)); // the background picture is the whole window
        const auto visible = [&](int line) {
            return form.findChild<QLabel *>(u"Label2(%1)"_qs.arg(line))->isVisible();
        };
        QVERIFY(visible(0) && !visible(1));
        // A line set on a form already up appears when the form is next activated.
        form.setLines(u"Memorizzazione effettuata !"_qs, u"Seconda riga"_qs);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&form, &activate);
        QVERIFY(visible(1));
        QTest::mouseClick(form.findChild<QPushButton *>(button), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestMsgForm)
#include "tst_msgform.moc"
