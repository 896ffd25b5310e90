#include "designer/designerlayout.h"
#include "designer/form1.h"
#include "designertesting.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(Form1::Mode)

namespace {

using Mode = Form1::Mode;

// FE1(0) to FE1(4) as text, then bold + 2 * italic.
QStringList fields(QWidget &form)
{
    QStringList texts;
    for (int i = 0; i < 5; ++i)
        texts << named<QLineEdit>(form, QStringLiteral("FE1(%1)").arg(i))->text();
    return texts << QString::number(named<QCheckBox>(form, "CB1(0)")->isChecked()
                                    + 2 * named<QCheckBox>(form, "CB1(1)")->isChecked());
}

void type(QWidget &form, const QStringList &texts)
{
    for (int i = 0; i < 5; ++i)
        named<QLineEdit>(form, QStringLiteral("FE1(%1)").arg(i))->setText(texts[i]);
}

ScreenLayout sample()
{
    ScreenLayout layout = DesignerLayout::designTime();
    layout.title = {u"Anagrafe"_qs, 10,    20,       u"Verdana"_qs, 14.25f,
                    true,           false, 16777215, 255,           true};
    layout.bar.backColor = 12632256;
    layout.bar.fixedTextColor = 8388608;
    layout.backColor = 4000;
    return layout;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogs dialogs_;

private slots:
    void init() { dialogs_ = ScriptedDialogs(); }

    void eachModeShowsAndAppliesItsElement_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("disabled");
        QTest::newRow("title") << Mode::Title << u"Titolo"_qs
                               << QStringList{u"Verdana"_qs, u"14.25"_qs,    u"Anagrafe"_qs,
                                              u"255"_qs,     u"16777215"_qs, u"1"_qs}
                               << QStringList{};
        QTest::newRow("bar") << Mode::Bar << u"Barra"_qs
                             << QStringList{{}, {}, {}, u"8388608"_qs, u"12632256"_qs, u"0"_qs}
                             << QStringList{u"FE1(2)"_qs, u"PB1(0)"_qs};
        QTest::newRow("screen") << Mode::ScreenColour << u"Colore Sfondo Schermata"_qs
                                << QStringList{{}, {}, {}, {}, u"4000"_qs, u"0"_qs}
                                << QStringList{u"FE1(2)"_qs, u"PB1(0)"_qs, u"PB1(2)"_qs};
    }

    void eachModeShowsAndAppliesItsElement()
    {
        QFETCH(Mode, mode);
        QFETCH(QString, heading);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, disabled);
        ScreenLayout layout = sample();
        Form1 form(dialogs_, layout, mode);
        QSignalSpy applied(&form, &Form1::applied);
        QCOMPARE(named<QLabel>(form, "Label1")->text(), heading);
        QCOMPARE(fields(form), shown);
        for (const QString &name : {u"FE1(2)"_qs, u"PB1(0)"_qs, u"PB1(2)"_qs})
            QCOMPARE(named(form, name)->isEnabled(), !disabled.contains(name));

        // Every field typed: only those of the mode reach the layout, on each press.
        type(form, {u"Courier"_qs, u"10,5"_qs, u"Benvenuti"_qs, u"65280"_qs, u"0"_qs});
        named<QCheckBox>(form, "CB1(0)")->setChecked(false);
        named<QCheckBox>(form, "CB1(1)")->setChecked(true);
        ScreenLayout expected = sample();
        if (mode == Mode::Title)
            expected.title = {u"Benvenuti"_qs, 10,   20, u"Courier"_qs, 10.5f,
                              false,           true, 0,  65280,         true};
        else if (mode == Mode::Bar)
            expected.bar = {expected.bar.top, expected.bar.left, 0, 65280, true};
        else
            expected.backColor = 0;
        click(form, "BTn(0)");
        click(form, "BTn(0)");
        QVERIFY(layout == expected);
        QCOMPARE(applied.count(), 2);
        click(form, "BTn(1)");
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }

    void refusedEntryAppliesNothing_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("complaint"); // empty: silently nothing
        const QString range = u"\" deve essere un numero intero da 0 a 16777215."_qs;
        QTest::newRow("text colour")
            << Mode::Title << 3 << u"rosso"_qs << u"\"Colore Testo"_qs + range;
        QTest::newRow("font size") << Mode::Title << 1 << u"0"_qs
                                   << u"La dimensione del font deve essere un numero maggiore "
                                      u"di zero, fino a 1638 (ad esempio 8.25)."_qs;
        QTest::newRow("bar colour")
            << Mode::Bar << 4 << u"16777216"_qs << u"\"Colore Sfondo"_qs + range;
        QTest::newRow("screen colour")
            << Mode::ScreenColour << 4 << u"12a"_qs << u"\"Colore Sfondo"_qs + range;
        QTest::newRow("screen colour emptied") << Mode::ScreenColour << 4 << u" "_qs << QString();
    }

    void refusedEntryAppliesNothing()
    {
        QFETCH(Mode, mode);
        QFETCH(int, field);
        QFETCH(QString, entry);
        QFETCH(QString, complaint);
        ScreenLayout layout = sample();
        Form1 form(dialogs_, layout, mode);
        QSignalSpy applied(&form, &Form1::applied);
        named<QLineEdit>(form, "FE1(2)")->setText(u"Cambiato"_qs); // valid, yet not applied
        named<QLineEdit>(form, QStringLiteral("FE1(%1)").arg(field))->setText(entry);
        click(form, "BTn(0)");

        QVERIFY(layout == sample());
        QCOMPARE(applied.count(), 0);
        if (complaint.isEmpty())
            QVERIFY(dialogs_.messages.isEmpty());
        else
            QCOMPARE(dialogs_.alert(), complaint + u"\nNessuna impostazione è stata applicata."_qs);
    }

    void choosersFillOnlyTheFieldsAndACancelKeepsThem()
    {
        ScreenLayout layout = sample();
        Form1 form(dialogs_, layout, Mode::Title);
        QFont courier(u"Courier"_qs);
        courier.setPointSizeF(9.75);
        courier.setItalic(true);
        dialogs_.fonts << std::nullopt << courier;
        dialogs_.colors << std::nullopt << std::nullopt << QColor(1, 2, 3) << QColor(Qt::blue);

        named<QLineEdit>(form, "FE1(4)")->setText(u"?"_qs); // a cancel must not make it 0
        const QStringList before = fields(form);
        for (const char *chooser : {"PB1(0)", "PB1(2)", "PB1(3)"})
            click(form, chooser);
        QCOMPARE(fields(form), before);
        for (const char *chooser : {"PB1(0)", "PB1(2)", "PB1(3)"})
            click(form, chooser);
        QCOMPARE(fields(form), (QStringList{u"Courier"_qs, u"9.75"_qs, u"Anagrafe"_qs, u"197121"_qs,
                                            u"16711680"_qs, u"2"_qs}));
        QVERIFY(layout == sample());
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
