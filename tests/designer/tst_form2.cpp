#include "designer/form2.h"

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

QLineEdit *field(QWidget &form, const QString &name)
{
    return form.findChild<QLineEdit *>(name);
}

QString text(QWidget &form, const QString &name)
{
    return field(form, name)->text();
}

QCheckBox *checkBox(QWidget &form, int index)
{
    return form.findChild<QCheckBox *>(QStringLiteral("CB1(%1)").arg(index));
}

QComboBox *styleList(QWidget &form)
{
    return form.findChild<QComboBox *>(u"ComboBox1"_qs);
}

QString styleNumber(QWidget &form)
{
    return form.findChild<QLabel *>(u"Label3"_qs)->text();
}

StyledButton *sample(QWidget &form)
{
    return form.findChild<StyledButton *>(u"BTn(2)"_qs);
}

qint32 textColour(const QWidget *widget)
{
    return ColorValue::fromColor(widget->palette().color(QPalette::ButtonText));
}

void click(QWidget &form, const QString &button)
{
    QTest::mouseClick(form.findChild<QPushButton *>(button), Qt::LeftButton);
}

// Everything Form2 may write, as text, so that "nothing applied" is one comparison.
QStringList designerState(const DesignerFixture &designer)
{
    QStringList state;
    for (int i = 0; i < Panels; ++i) {
        const StyledButton *button = designer.button(i);
        state << button->font().toString() << button->text()
              << QString::number(button->appearance()) << QString::number(textColour(button))
              << QString::number(designer.colour("Postazione1", i, QPalette::Window));
        for (const char *label : {"Label5", "Label6", "Label7", "Label8"})
            state << QString::number(designer.colour(label, i, QPalette::WindowText));
    }
    return state;
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void init() { dialogs_ = ScriptedDialogs(); }
    void opensOnTheSingleQueuePanel();
    void styleWithoutAnEntryLeavesTheList_data();
    void styleWithoutAnEntryLeavesTheList();
    void applyGivesEveryPanelTheSameLook();
    void untouchedApplyFollowsTheCheckBoxes();
    void choosersAndTheSample();
    void refusedEntryAppliesNothing_data();
    void refusedEntryAppliesNothing();

private:
    ScriptedDialogs dialogs_;
};

void TestForm2::opensOnTheSingleQueuePanel()
{
    DesignerFixture designer;
    // A child of the designer, as when the designer opens it: its own PB1 and Label3 must
    // not be taken for the designer's.
    Form2 form(dialogs_, designer, &designer);
    QCOMPARE(form.objectName(), u"Form2"_qs);
    QCOMPARE(form.windowTitle(), u"Impostazioni Elementi"_qs);
    QCOMPARE(form.findChild<QLabel *>(u"Label1"_qs)->text(), u"Pannelli"_qs);

    QCOMPARE(text(form, u"FE1(0)"_qs), u"Tahoma"_qs);
    QCOMPARE(text(form, u"FE1(1)"_qs), u"18"_qs);
    QVERIFY(!checkBox(form, 0)->isChecked()); // panel 9 is bold, panel 3 italic
    QVERIFY(!checkBox(form, 1)->isChecked());
    QCOMPARE(text(form, u"FE1(3)"_qs), u"1010"_qs);
    QCOMPARE(text(form, u"FE1(4)"_qs), u"2010"_qs);
    QCOMPARE(text(form, u"FE1(2)"_qs), u"3010"_qs);
    QCOMPARE(text(form, u"TCS"_qs), u"Coda Unica"_qs);

    QCOMPARE(styleNumber(form), u"5"_qs);
    QStringList entries;
    for (int i = 0; i < styleList(form)->count(); ++i)
        entries << styleList(form)->itemText(i);
    QCOMPARE(entries, StyledButton::styleNames());
    QCOMPARE(styleList(form)->currentText(), u"Office 2003"_qs);

    QCOMPARE(sample(form)->text(), u"Prova Impostazione Pulsante"_qs);
    QCOMPARE(sample(form)->font().pointSizeF(), 18.0);
    QCOMPARE(sample(form)->appearance(), 5);
    QCOMPARE(textColour(sample(form)), 1010);
}

void TestForm2::styleWithoutAnEntryLeavesTheList_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("past the list") << 9;
    QTest::newRow("negative") << -1;
}

void TestForm2::styleWithoutAnEntryLeavesTheList()
{
    QFETCH(int, style);
    DesignerFixture designer;
    designer.button(10)->setAppearance(style);

    Form2 form(dialogs_, designer);
    form.show();
    QCOMPARE(styleNumber(form), QString::number(style));
    QCOMPARE(styleList(form)->currentIndex(), 4); // left there by panel 9
    QCOMPARE(sample(form)->appearance(), style);

    // What stands in Label3 is what every button gets.
    click(form, u"BTn(0)"_qs);
    for (int i = 0; i < Panels; ++i)
        QCOMPARE(designer.button(i)->appearance(), style);

    styleList(form)->setCurrentIndex(2);
    QCOMPARE(styleNumber(form), u"2"_qs);
    QCOMPARE(sample(form)->appearance(), 2);
    QCOMPARE(designer.button(10)->appearance(), style);
}

void TestForm2::applyGivesEveryPanelTheSameLook()
{
    DesignerFixture designer;
    Form2 form(dialogs_, designer, &designer);
    form.show();
    field(form, u"FE1(0)"_qs)->setText(u"Courier"_qs);
    field(form, u"FE1(1)"_qs)->setText(u"12,5"_qs);
    checkBox(form, 0)->setChecked(true);
    checkBox(form, 1)->setChecked(true);
    field(form, u"FE1(3)"_qs)->setText(u"255"_qs);
    styleList(form)->setCurrentIndex(4);
    field(form, u"FE1(4)"_qs)->setText(u"65280"_qs);
    field(form, u"FE1(2)"_qs)->setText(u"16711680"_qs);
    field(form, u"TCS"_qs)->setText(u"Sportello Unico"_qs);
    click(form, u"BTn(0)"_qs);

    for (int i = 0; i < Panels; ++i) {
        const StyledButton *button = designer.button(i);
        QCOMPARE(button->font().family(), u"Courier"_qs);
        QCOMPARE(button->font().pointSizeF(), 12.5);
        QVERIFY(button->font().bold() && button->font().italic());
        QCOMPARE(textColour(button), 255);
        QCOMPARE(button->appearance(), 4);
        QCOMPARE(button->text(),
                 i == 10 ? u"Sportello Unico"_qs : QStringLiteral("P%1").arg(i + 1));
        QCOMPARE(designer.colour("Postazione1", i, QPalette::Window), 16711680);
        QVERIFY(designer.element("Postazione1", i)->autoFillBackground());
        for (const char *label : {"Label5", "Label6", "Label7", "Label8"})
            QCOMPARE(designer.colour(label, i, QPalette::WindowText), 65280);
    }
    QVERIFY(dialogs_.messages.isEmpty());
    QVERIFY(form.isVisible());
}

void TestForm2::untouchedApplyFollowsTheCheckBoxes()
{
    DesignerFixture designer;
    Form2 form(dialogs_, designer);
    form.show();
    click(form, u"BTn(0)"_qs);

    // Panel 10's look everywhere: panel 3 loses its bold and italic, panel 4 its colours.
    for (int i = 0; i < Panels; ++i) {
        const QFont font = designer.button(i)->font();
        QVERIFY(!font.bold() && !font.italic());
        QCOMPARE(font.pointSizeF(), 18.0);
        QCOMPARE(textColour(designer.button(i)), 1010);
        QCOMPARE(designer.button(i)->appearance(), 5);
        QCOMPARE(designer.colour("Postazione1", i, QPalette::Window), 3010);
        for (const char *label : {"Label5", "Label6", "Label7", "Label8"})
            QCOMPARE(designer.colour(label, i, QPalette::WindowText), 2010);
    }
}

void TestForm2::choosersAndTheSample()
{
    DesignerFixture designer;
    QFont boldItalic = designer.button(10)->font();
    boldItalic.setBold(true);
    boldItalic.setItalic(true);
    designer.button(10)->setFont(boldItalic);
    const QStringList before = designerState(designer);

    Form2 form(dialogs_, designer);
    form.show();
    const QString sampleFont = sample(form)->font().toString();
    QFont plain(u"Courier"_qs);
    plain.setPointSizeF(20);
    dialogs_.fonts << std::nullopt << plain;
    dialogs_.colors << std::nullopt << QColor(1, 2, 3) << QColor(Qt::red) << QColor(Qt::blue);

    click(form, u"PB1(0)"_qs);
    click(form, u"PB1(2)"_qs);
    QCOMPARE(text(form, u"FE1(0)"_qs), u"Tahoma"_qs);
    QVERIFY(checkBox(form, 0)->isChecked() && checkBox(form, 1)->isChecked());
    QCOMPARE(text(form, u"FE1(3)"_qs), u"1010"_qs);
    QCOMPARE(sample(form)->font().toString(), sampleFont);
    QCOMPARE(textColour(sample(form)), 1010);

    click(form, u"PB1(0)"_qs);
    QCOMPARE(text(form, u"FE1(0)"_qs), u"Courier"_qs);
    QCOMPARE(text(form, u"FE1(1)"_qs), u"20"_qs);
    QVERIFY(!checkBox(form, 0)->isChecked() && !checkBox(form, 1)->isChecked());
    // A choice without bold or italic leaves the sample's as they were.
    QCOMPARE(sample(form)->font().family(), u"Courier"_qs);
    QCOMPARE(sample(form)->font().pointSizeF(), 20.0);
    QVERIFY(sample(form)->font().bold() && sample(form)->font().italic());

    click(form, u"PB1(2)"_qs);
    QCOMPARE(text(form, u"FE1(3)"_qs), u"197121"_qs);
    QCOMPARE(textColour(sample(form)), 197121);
    click(form, u"PB1(3)"_qs);
    QCOMPARE(text(form, u"FE1(4)"_qs), u"255"_qs);
    click(form, u"PB1(1)"_qs);
    QCOMPARE(text(form, u"FE1(2)"_qs), u"16711680"_qs);
    QCOMPARE(textColour(sample(form)), 197121);

    click(form, u"BTn(1)"_qs);
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(designerState(designer), before);
}

void TestForm2::refusedEntryAppliesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("complaint");

    const QString range = u"\" deve essere un numero intero da 0 a 16777215."_qs;
    QTest::newRow("size a word") << u"FE1(1)"_qs << u"dodici"_qs
                                 << u"La dimensione del font deve essere un numero maggiore di "
                                    u"zero, fino a 1638 (ad esempio 8.25)."_qs;
    QTest::newRow("text past white")
        << u"FE1(3)"_qs << u"16777216"_qs << u"\"Colore Testo"_qs + range;
    QTest::newRow("labels emptied")
        << u"FE1(4)"_qs << QString() << u"\"Colore Testi Fissi"_qs + range;
    QTest::newRow("panel negative")
        << u"FE1(2)"_qs << u"-5"_qs << u"\"Colore Sfondo Pannello"_qs + range;
}

void TestForm2::refusedEntryAppliesNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, entry);
    QFETCH(QString, complaint);

    DesignerFixture designer;
    const QStringList before = designerState(designer);
    Form2 form(dialogs_, designer);
    form.show();
    field(form, u"TCS"_qs)->setText(u"Cambiato"_qs);
    styleList(form)->setCurrentIndex(1);
    field(form, name)->setText(entry);
    click(form, u"BTn(0)"_qs);

    QCOMPARE(dialogs_.messages.size(), 1);
    QCOMPARE(dialogs_.messages[0].kind, Dialogs::Kind::Critical);
    QCOMPARE(dialogs_.messages[0].title, u"ATTENZIONE"_qs);
    QCOMPARE(dialogs_.messages[0].text,
             complaint + u"\nNessuna impostazione è stata applicata."_qs);
    QCOMPARE(designerState(designer), before);
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
