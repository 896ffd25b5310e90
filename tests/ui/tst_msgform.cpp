#include "ui/msgform.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

static QLabel *line(QWidget &form, int index)
{
    return form.findChild<QLabel *>(QStringLiteral("Label2(%1)").arg(index));
}

// The texts MsgForm shows for the folder setup are checked in tst_imporete.
class TestMsgForm : public QObject
{
    Q_OBJECT

private slots:
    void unsetLinesAreHiddenAndEitherButtonCloses()
    {
        MsgForm none;
        none.show();
        QVERIFY(!line(none, 0)->isVisible() && !line(none, 1)->isVisible());
        QCOMPARE(none.size(), QSize(440, 220)); // the background picture is the whole window

        MsgForm form;
        form.setLines(u"Memorizzazione effettuata !"_qs);
        form.show();
        QVERIFY(line(form, 0)->isVisible());
        QVERIFY(!line(form, 1)->isVisible());
        // A line set on a form already up appears when the form is next activated.
        form.setLines(u"Memorizzazione effettuata !"_qs, u"Seconda riga"_qs);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&form, &activate);
        QVERIFY(line(form, 1)->isVisible());

        for (const char *button : {"PB1(0)", "PB1(1)"}) { // Chiudi, Conferma
            MsgForm shown;
            shown.show();
            QTest::mouseClick(shown.findChild<QPushButton *>(QLatin1String(button)),
                              Qt::LeftButton);
            QVERIFY2(!shown.isVisible(), button);
        }
    }
};

QTEST_MAIN(TestMsgForm)
#include "tst_msgform.moc"
