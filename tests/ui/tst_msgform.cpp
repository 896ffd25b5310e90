#include "ui/msgform.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// The texts MsgForm shows for its callers are checked in tst_imporete and tst_layout1.
class TestMsgForm : public QObject
{
    Q_OBJECT

private slots:
    void unsetLinesAreHiddenAndEitherButtonCloses()
    {
        for (const QString &button : {u"PB1(0)"_qs, u"PB1(1)"_qs}) { // Chiudi, Conferma
            MsgForm form;
            form.setLines(u"Memorizzazione effettuata !"_qs);
            form.show();
            QCOMPARE(form.size(), QSize(440, 220)); // the background picture is the whole window
            const auto shown = [&](int line) {
                return form.findChild<QLabel *>(u"Label2(%1)"_qs.arg(line))->isVisible();
            };
            QVERIFY(shown(0) && !shown(1));
            // A line set on a form already up appears when the form is next activated.
            form.setLines(u"Memorizzazione effettuata !"_qs, u"Seconda riga"_qs);
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(&form, &activate);
            QVERIFY(shown(1));
            QTest::mouseClick(form.findChild<QPushButton *>(button), Qt::LeftButton);
            QVERIFY(!form.isVisible());
        }
    }
};

QTEST_MAIN(TestMsgForm)
#include "tst_msgform.moc"
