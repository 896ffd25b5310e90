#include "designer/designerlayout.h"
#include "designer/form2.h"
#include "designertesting.h"
#include "support/scripteddialogs.h"
#include "ui/colorvalue.h"
#include "ui/styledbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

// Every panel with a look of its own, so that a dialog reading the wrong one shows it.
ScreenLayout sample()
{
    ScreenLayout layout = DesignerLayout::designTime();
    for (int i = 0; i < ScreenLayout::PanelCount; ++i) {
        ScreenLayout::Panel &panel = layout.panels[i];
        panel.fontSize = 8.0f + i;
        panel.bold = i % 2 == 1;
        panel.italic = i % 3 == 0;
        panel.appearance = i % 7;
        panel.textColor = 1000 + i;
        panel.panelColor = 3000 + i;
        panel.fixedTextColor = 2000 + i;
    }
    return layout;
}

// FE1(0), FE1(1), FE1(3), FE1(4), FE1(2), TCS, bold + 2 * italic, Label3.
QStringList fields(QWidget &form)
{
    QStringList texts;
    for (const char *name : {"FE1(0)", "FE1(1)", "FE1(3)", "FE1(4)", "FE1(2)", "TCS"})
        texts << named<QLineEdit>(form, name)->text();
    texts << QString::number(named<QCheckBox>(form, "CB1(0)")->isChecked()
                             + 2 * named<QCheckBox>(form, "CB1(1)")->isChecked());
    return texts << named<QLabel>(form, "Label3")->text();
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogs dialogs_;

private slots:
    void init() { dialogs_ = ScriptedDialogs(); }

    void opensOnTheSingleQueueAndGivesEveryPanelOneLook()
    {
        ScreenLayout layout = sample();
        Form2 form(dialogs_, layout);
        QSignalSpy applied(&form, &Form2::applied);
        QCOMPARE(fields(form), (QStringList{u"Tahoma"_qs, u"18"_qs, u"1010"_qs, u"2010"_qs,
                                            u"3010"_qs, u"Coda Unica"_qs, u"0"_qs, u"3"_qs}));
        QCOMPARE(named<QComboBox>(form, "ComboBox1")->currentIndex(), 3);
        const auto *sampleButton = named<StyledButton>(form, "BTn(2)");
        QCOMPARE(sampleButton->appearance(), 3);
        QCOMPARE(ColorValue::fromColor(sampleButton->palette().color(QPalette::ButtonText)), 1010);

        const QStringList typed{u"Courier"_qs, u"12,5"_qs,     u"255"_qs,
                                u"65280"_qs,   u"16711680"_qs, u"Sportello Unico"_qs};
        for (int f = 0;
             const char *name : {"FE1(0)", "FE1(1)", "FE1(3)", "FE1(4)", "FE1(2)", "TCS"})
            named<QLineEdit>(form, name)->setText(typed[f++]);
        named<QCheckBox>(form, "CB1(0)")->setChecked(true);
        named<QComboBox>(form, "ComboBox1")->setCurrentIndex(4);
        click(form, "BTn(0)");

        QCOMPARE(applied.count(), 1);
        for (int i = 0; i < ScreenLayout::PanelCount; ++i) {
            ScreenLayout::Panel expected = sample().panels[i];
            expected.fontName = u"Courier"_qs;
            expected.fontSize = 12.5f;
            expected.bold = true;
            expected.italic = false;
            expected.appearance = 4;
            expected.textColor = 255;
            expected.fixedTextColor = 65280;
            expected.panelColor = 16711680;
            if (i == ScreenLayout::PanelCount - 1)
                expected.buttonText = u"Sportello Unico"_qs;
            QVERIFY2(layout.panels[i] == expected, qPrintable(QString::number(i)));
        }
    }

    void aStyleWithoutAnEntryLeavesTheListAndIsApplied()
    {
        ScreenLayout layout = sample();
        layout.panels[10].appearance = 9;
        Form2 form(dialogs_, layout);
        QCOMPARE(fields(form).last(), u"9"_qs);
        QCOMPARE(named<QComboBox>(form, "ComboBox1")->currentIndex(), 0);
        click(form, "BTn(0)");
        for (const ScreenLayout::Panel &panel : layout.panels)
            QCOMPARE(panel.appearance, 9);
    }

    void choosersFillTheFieldsAndTheSample()
    {
        ScreenLayout layout = sample();
        layout.panels[10].bold = true;
        layout.panels[10].italic = true;
        Form2 form(dialogs_, layout);
        const auto *sampleButton = named<StyledButton>(form, "BTn(2)");
        QFont plain(u"Courier"_qs);
        plain.setPointSizeF(20);
        dialogs_.fonts << std::nullopt << plain;
        dialogs_.colors << std::nullopt << QColor(1, 2, 3) << QColor(Qt::red) << QColor(Qt::blue);
        named<QLineEdit>(form, "FE1(3)")->setText(u"?"_qs); // a cancel must not make it 0
        const QStringList opened = fields(form);
        click(form, "PB1(0)");
        click(form, "PB1(2)");
        QCOMPARE(fields(form), opened);

        for (const char *chooser : {"PB1(0)", "PB1(2)", "PB1(3)", "PB1(1)"})
            click(form, chooser);
        QCOMPARE(fields(form), (QStringList{u"Courier"_qs, u"20"_qs, u"197121"_qs, u"255"_qs,
                                            u"16711680"_qs, u"Coda Unica"_qs, u"0"_qs, u"3"_qs}));
        // A choice without bold or italic leaves the sample's as they were.
        QCOMPARE(sampleButton->font().family(), u"Courier"_qs);
        QVERIFY(sampleButton->font().bold() && sampleButton->font().italic());
        QCOMPARE(ColorValue::fromColor(sampleButton->palette().color(QPalette::ButtonText)),
                 197121);
        QVERIFY(layout.panels[10].fontName != u"Courier"_qs);
    }

    void refusedEntryAppliesNothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("complaint");
        const QString range = u"\" deve essere un numero intero da 0 a 16777215."_qs;
        QTest::newRow("size") << u"FE1(1)"_qs
                              << u"La dimensione del font deve essere un numero maggiore di "
                                 u"zero, fino a 1638 (ad esempio 8.25)."_qs;
        QTest::newRow("text") << u"FE1(3)"_qs << u"\"Colore Testo"_qs + range;
        QTest::newRow("fixed") << u"FE1(4)"_qs << u"\"Colore Testi Fissi"_qs + range;
        QTest::newRow("panel") << u"FE1(2)"_qs << u"\"Colore Sfondo Pannello"_qs + range;
    }

    void refusedEntryAppliesNothing()
    {
        QFETCH(QString, field);
        QFETCH(QString, complaint);
        ScreenLayout layout = sample();
        Form2 form(dialogs_, layout);
        named<QLineEdit>(form, "TCS")->setText(u"Cambiato"_qs); // must not slip through
        named<QLineEdit>(form, field)->setText(u"rosso"_qs);
        click(form, "BTn(0)");
        QCOMPARE(dialogs_.alert(), complaint + u"\nNessuna impostazione è stata applicata."_qs);
        QVERIFY(layout == sample());
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
