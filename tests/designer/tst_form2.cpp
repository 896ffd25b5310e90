#include "designer/form2.h"

#include "designertesting.h"
#include "support/designerfixture.h"
#include "support/scripteddialogs.h"
#include "ui/colorvalue.h"
#include "ui/styledbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int Panels = DesignerFixture::PanelCount;

QString textColour(const QWidget *widget)
{
    return QString::number(ColorValue::fromColor(widget->palette().color(QPalette::ButtonText)));
}

// The fields FE1(0), FE1(1), FE1(3), FE1(4), FE1(2), TCS, then bold + 2 * italic and Label3.
QStringList fields(QWidget &form)
{
    QStringList texts;
    for (const char *name : {"FE1(0)", "FE1(1)", "FE1(3)", "FE1(4)", "FE1(2)", "TCS"})
        texts << named<QLineEdit>(form, name)->text();
    return texts << QString::number(named<QCheckBox>(form, "CB1(0)")->isChecked()
                                    + 2 * named<QCheckBox>(form, "CB1(1)")->isChecked())
                 << named<QLabel>(form, "Label3")->text();
}

// Panel i as text: button font, caption, style and text colour, panel colour, fixed labels.
QStringList panel(const DesignerFixture &designer, int i)
{
    const StyledButton *button = designer.button(i);
    QStringList state{button->font().toString(), button->text(),
                      QString::number(button->appearance()), textColour(button),
                      QString::number(designer.colour(QStringLiteral("Postazione1(%1)").arg(i),
                                                      QPalette::Window))};
    for (const char *label : {"Label5", "Label6", "Label7", "Label8"})
        state << QString::number(designer.colour(
            QStringLiteral("%1(%2)").arg(QLatin1String(label)).arg(i), QPalette::WindowText));
    return state;
}

QList<QStringList> panels(const DesignerFixture &designer)
{
    QList<QStringList> all;
    for (int i = 0; i < Panels; ++i)
        all << panel(designer, i);
    return all;
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void init() { dialogs_ = ScriptedDialogs(); }
    void opensOnTheSingleQueuePanel();
    void applyGivesEveryPanelTheSameLook();
    void styleWithoutAnEntryLeavesTheList();
    void choosersFillTheFieldsAndTheSample();
    void refusedEntryAppliesNothing();

private:
    ScriptedDialogs dialogs_;
};

void TestForm2::opensOnTheSingleQueuePanel()
{
    DesignerFixture designer;
    // A child of the designer, as the designer opens it, with its own PB1 and Label3.
    Form2 form(dialogs_, designer, &designer);
    QCOMPARE(named<QLabel>(form, "Label1")->text(), u"Pannelli"_qs);
    // Not bold like panel 9, not italic like panel 3.
    QCOMPARE(fields(form), (QStringList{u"Tahoma"_qs, u"18"_qs, u"1010"_qs, u"2010"_qs, u"3010"_qs,
                                        u"Coda Unica"_qs, u"0"_qs, u"5"_qs}));
    QCOMPARE(named<QComboBox>(form, "ComboBox1")->currentIndex(), 5);

    const auto *sample = named<StyledButton>(form, "BTn(2)");
    QCOMPARE(sample->font(), designer.button(10)->font());
    QCOMPARE(sample->appearance(), 5);
    QCOMPARE(textColour(sample), u"1010"_qs);
}

void TestForm2::applyGivesEveryPanelTheSameLook()
{
    DesignerFixture designer;
    Form2 form(dialogs_, designer, &designer);
    form.show();
    // Untouched, it gives every panel the single queue's look, bold and italic included.
    click(form, "BTn(0)");
    for (int i = 0; i < Panels; ++i) {
        QCOMPARE(panel(designer, i).first(), panel(designer, 10).first());
        QCOMPARE(panel(designer, i).mid(2), panel(designer, 10).mid(2));
    }

    const QStringList typed{u"Courier"_qs, u"12,5"_qs,     u"255"_qs,
                            u"65280"_qs,   u"16711680"_qs, u"Sportello Unico"_qs};
    for (int f = 0; const char *name : {"FE1(0)", "FE1(1)", "FE1(3)", "FE1(4)", "FE1(2)", "TCS"})
        named<QLineEdit>(form, name)->setText(typed[f++]);
    named<QCheckBox>(form, "CB1(0)")->setChecked(true);
    named<QComboBox>(form, "ComboBox1")->setCurrentIndex(4);
    click(form, "BTn(0)");

    for (int i = 0; i < Panels; ++i) {
        const QFont font = designer.button(i)->font();
        QCOMPARE(font.family(), u"Courier"_qs);
        QCOMPARE(font.pointSizeF(), 12.5);
        QVERIFY(font.bold() && !font.italic());
        const QString caption = i == 10 ? u"Sportello Unico"_qs : QStringLiteral("P%1").arg(i + 1);
        QCOMPARE(panel(designer, i).mid(1),
                 (QStringList{caption, u"4"_qs, u"255"_qs, u"16711680"_qs, u"65280"_qs, u"65280"_qs,
                              u"65280"_qs, u"65280"_qs}));
    }
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestForm2::styleWithoutAnEntryLeavesTheList()
{
    DesignerFixture designer;
    designer.button(10)->setAppearance(9);
    Form2 form(dialogs_, designer);
    form.show();
    auto *list = named<QComboBox>(form, "ComboBox1");
    const auto *sample = named<StyledButton>(form, "BTn(2)");
    QCOMPARE(fields(form).last(), u"9"_qs);
    QCOMPARE(list->currentIndex(), 4); // where panel 9 left it
    QCOMPARE(sample->appearance(), 9);

    click(form, "BTn(0)"); // Label3, not the list, is what the buttons get
    for (int i = 0; i < Panels; ++i)
        QCOMPARE(designer.button(i)->appearance(), 9);

    list->setCurrentIndex(2);
    QCOMPARE(fields(form).last(), u"2"_qs);
    QCOMPARE(sample->appearance(), 2);
}

void TestForm2::choosersFillTheFieldsAndTheSample()
{
    DesignerFixture designer;
    QFont boldItalic = designer.button(10)->font();
    boldItalic.setBold(true);
    boldItalic.setItalic(true);
    designer.button(10)->setFont(boldItalic);
    const QList<QStringList> before = panels(designer);
    Form2 form(dialogs_, designer);
    form.show();
    const auto *sample = named<StyledButton>(form, "BTn(2)");
    const QString sampleFont = sample->font().toString();

    QFont plain(u"Courier"_qs);
    plain.setPointSizeF(20);
    dialogs_.fonts << std::nullopt << plain;
    dialogs_.colors << std::nullopt << QColor(1, 2, 3) << QColor(Qt::red) << QColor(Qt::blue);
    named<QLineEdit>(form, "FE1(3)")->setText(u"?"_qs); // a cancel must not even make it 0
    const QStringList opened = fields(form);
    click(form, "PB1(0)");
    click(form, "PB1(2)");
    QCOMPARE(fields(form), opened);
    QCOMPARE(sample->font().toString(), sampleFont);

    for (const char *chooser : {"PB1(0)", "PB1(2)", "PB1(3)", "PB1(1)"})
        click(form, chooser);
    QCOMPARE(fields(form), (QStringList{u"Courier"_qs, u"20"_qs, u"197121"_qs, u"255"_qs,
                                        u"16711680"_qs, u"Coda Unica"_qs, u"0"_qs, u"5"_qs}));
    // A choice without bold or italic leaves the sample's as they were.
    QCOMPARE(sample->font().family(), u"Courier"_qs);
    QCOMPARE(sample->font().pointSizeF(), 20.0);
    QVERIFY(sample->font().bold() && sample->font().italic());
    QCOMPARE(textColour(sample), u"197121"_qs);

    click(form, "BTn(1)");
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(panels(designer), before);
}

void TestForm2::refusedEntryAppliesNothing()
{
    DesignerFixture designer;
    const QList<QStringList> before = panels(designer);
    const QString range = u"\" deve essere un numero intero da 0 a 16777215."_qs;
    const QList<std::pair<QString, QString>> entries{
        {u"FE1(1)"_qs, u"La dimensione del font deve essere un numero maggiore di zero, fino a "
                       u"1638 (ad esempio 8.25)."_qs},
        {u"FE1(3)"_qs, u"\"Colore Testo"_qs + range},
        {u"FE1(4)"_qs, u"\"Colore Testi Fissi"_qs + range},
        {u"FE1(2)"_qs, u"\"Colore Sfondo Pannello"_qs + range},
    };
    for (const auto &[name, complaint] : entries) {
        dialogs_ = ScriptedDialogs();
        Form2 form(dialogs_, designer);
        form.show();
        named<QLineEdit>(form, "TCS")->setText(u"Cambiato"_qs); // must not slip through
        form.findChild<QLineEdit *>(name)->setText(u"rosso"_qs);
        click(form, "BTn(0)");

        QCOMPARE(dialogs_.alert(), complaint + u"\nNessuna impostazione è stata applicata."_qs);
        QCOMPARE(panels(designer), before);
    }
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
