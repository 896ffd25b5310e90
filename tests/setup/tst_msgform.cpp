#include "setup/msgform.h"

#include "support/scripteddialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

static QLabel *line(QWidget &form, int index)
{
    return form.findChild<QLabel *>(QStringLiteral("Label2(%1)").arg(index));
}

class TestMsgForm : public QObject
{
    Q_OBJECT

private slots:
    void unsetLinesAreHidden();
    void eachButtonClosesAndNextShowingStartsAfresh_data();
    void eachButtonClosesAndNextShowingStartsAfresh();
};

void TestMsgForm::unsetLinesAreHidden()
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
    QCOMPARE(line(form, 1)->text(), u"Label2"_qs);

    // A line set on a form already up appears when the form is next activated.
    form.setLines(u"Memorizzazione effettuata !"_qs, u"Seconda riga"_qs);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&form, &activate);
    QVERIFY(line(form, 1)->isVisible());
}

void TestMsgForm::eachButtonClosesAndNextShowingStartsAfresh_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Chiudi") << u"PB1(0)"_qs;
    QTest::newRow("Conferma") << u"PB1(1)"_qs;
}

void TestMsgForm::eachButtonClosesAndNextShowingStartsAfresh()
{
    QFETCH(QString, button);

    ScriptedDialogs dialogs;
    QStringList seen; // text and visibility of both lines, then whether the form closed
    const auto look = [&](QDialog &screen) {
        screen.show();
        for (int i = 0; i < 2; ++i)
            seen << line(screen, i)->text() << QVariant(line(screen, i)->isVisible()).toString();
        QTest::mouseClick(screen.findChild<QPushButton *>(button), Qt::LeftButton);
        seen << (screen.isVisible() ? u"open"_qs : u"closed"_qs);
        return screen.result();
    };
    dialogs.screenScripts << look << look;

    MsgForm::show(dialogs, nullptr, u"Percorso archivi impostato correttamente !"_qs,
                  u"Riavviare modulo KZ4 - Totem !"_qs);
    MsgForm::show(dialogs, nullptr, u"Selezionare un Percorso per gli archivi !"_qs);

    QCOMPARE(dialogs.screens, (QStringList{u"MsgForm"_qs, u"MsgForm"_qs}));
    QCOMPARE(seen, (QStringList{u"Percorso archivi impostato correttamente !"_qs, u"true"_qs,
                                u"Riavviare modulo KZ4 - Totem !"_qs, u"true"_qs, u"closed"_qs,
                                u"Selezionare un Percorso per gli archivi !"_qs, u"true"_qs,
                                u"Label2"_qs, u"false"_qs, u"closed"_qs}));
}

QTEST_MAIN(TestMsgForm)
#include "tst_msgform.moc"
