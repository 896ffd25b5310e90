#include "designer/form1.h"

#include "designertesting.h"
#include "support/designerfixture.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <tuple>

namespace {

using Mode = Form1::Mode;

QLineEdit *fe1(QWidget &form, int i)
{
    return form.findChild<QLineEdit *>(QStringLiteral("FE1(%1)").arg(i));
}

QCheckBox *cb1(QWidget &form, int i)
{
    return form.findChild<QCheckBox *>(QStringLiteral("CB1(%1)").arg(i));
}

// The fields as text, FE1(0) to FE1(4), then bold + 2 * italic.
QStringList fields(QWidget &form)
{
    QStringList texts;
    for (int i = 0; i < 5; ++i)
        texts << fe1(form, i)->text();
    return texts << QString::number(cb1(form, 0)->isChecked() + 2 * cb1(form, 1)->isChecked());
}

// Everything Form1 may write: title font, caption, text and back colours; bar colour; screen
// colour; the bar's five labels.
QStringList state(const DesignerFixture &designer)
{
    const QWidget *title = designer.element(u"Titolo"_qs);
    QStringList state{title->font().toString(), title->property("text").toString()};
    for (const auto &[name, role] :
         {std::pair{u"Titolo"_qs, QPalette::WindowText}, std::pair{u"Titolo"_qs, QPalette::Window},
          std::pair{u"GB0"_qs, QPalette::Window}, std::pair{QString(), QPalette::Window}})
        state << QString::number(designer.colour(name, role));
    for (const char *label : {"Label4(0)", "Label4(1)", "Label2", "Label3", "Label1(1)"})
        state << QString::number(designer.colour(QString::fromLatin1(label), QPalette::WindowText));
    return state;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init() { dialogs_ = ScriptedDialogs(); }
    void opensOnTheElementOfItsMode();
    void applyWritesOnlyTheElementsOfItsMode();
    void choosersFillOnlyTheFieldsAndACancelKeepsThem();
    void refusedEntryAppliesNothing();

private:
    ScriptedDialogs dialogs_;
};

void TestForm1::opensOnTheElementOfItsMode()
{
    const QList<std::tuple<Mode, QString, QStringList, QStringList>> modes{
        {Mode::Title,
         u"Titolo"_qs,
         {u"Tahoma"_qs, u"14.25"_qs, u"Titolo"_qs, u"255"_qs, u"16777215"_qs, u"1"_qs},
         {}},
        {Mode::Bar,
         u"Barra"_qs,
         {{}, {}, {}, u"8388608"_qs, u"12632256"_qs, u"0"_qs},
         {u"FE1(2)"_qs, u"PB1(0)"_qs}},
        {Mode::ScreenColour,
         u"Colore Sfondo Schermata"_qs,
         {{}, {}, {}, {}, u"4000"_qs, u"0"_qs},
         {u"FE1(2)"_qs, u"PB1(0)"_qs, u"PB1(2)"_qs}},
    };
    DesignerFixture designer;
    for (const auto &[mode, heading, shown, disabled] : modes) {
        Form1 form(dialogs_, designer, mode, &designer);
        QCOMPARE(form.findChild<QLabel *>(u"Label1"_qs)->text(), heading);
        QCOMPARE(fields(form), shown);
        const QList<QWidget *> all = form.findChildren<QWidget *>();
        for (const QWidget *widget : all)
            if (!widget->objectName().isEmpty())
                QVERIFY2(widget->isEnabled() != disabled.contains(widget->objectName()),
                         qPrintable(widget->objectName()));
    }
}

void TestForm1::applyWritesOnlyTheElementsOfItsMode()
{
    DesignerFixture designer;
    QStringList expected = state(designer);
    // Every field typed in every mode: only those of the mode reach the designer.
    const auto fillAll = [](Form1 &form) {
        for (int i = 0; i < 5; ++i)
            fe1(form, i)->setText(
                QStringList{u"Courier"_qs, u"10,5"_qs, u"Benvenuti"_qs, u"65280"_qs, u"0"_qs}[i]);
        cb1(form, 0)->setChecked(false);
        cb1(form, 1)->setChecked(true);
        form.show();
    };

    Form1 title(dialogs_, designer, Mode::Title, &designer);
    fillAll(title);
    click(title, "BTn(0)");
    const QFont font = designer.element(u"Titolo"_qs)->font();
    QCOMPARE(font.family(), u"Courier"_qs);
    QCOMPARE(font.pointSizeF(), 10.5);
    QVERIFY(!font.bold() && font.italic());
    expected.replace(0, font.toString());
    expected.replace(1, u"Benvenuti"_qs);
    expected.replace(2, u"65280"_qs);
    expected.replace(3, u"0"_qs);
    QCOMPARE(state(designer), expected);
    // Each press writes the fields again; "C&hiudi" writes nothing.
    fe1(title, 2)->setText(u"Di nuovo"_qs);
    click(title, "BTn(0)");
    fe1(title, 2)->setText(u"Mai"_qs);
    click(title, "BTn(1)");
    QCOMPARE(title.result(), int(QDialog::Rejected));
    expected.replace(1, u"Di nuovo"_qs);
    QCOMPARE(state(designer), expected);

    Form1 bar(dialogs_, designer, Mode::Bar, &designer);
    fillAll(bar);
    click(bar, "BTn(0)");
    expected.replace(4, u"0"_qs);
    for (int i = 6; i < 11; ++i)
        expected.replace(i, u"65280"_qs);
    QCOMPARE(state(designer), expected);

    Form1 screen(dialogs_, designer, Mode::ScreenColour, &designer);
    fillAll(screen);
    fe1(screen, 4)->setText(u" "_qs);
    click(screen, "BTn(0)"); // an emptied field applies nothing
    QCOMPARE(state(designer), expected);
    fe1(screen, 4)->setText(u"8421504"_qs);
    click(screen, "BTn(0)");
    expected.replace(5, u"8421504"_qs);
    QCOMPARE(state(designer), expected);
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestForm1::choosersFillOnlyTheFieldsAndACancelKeepsThem()
{
    DesignerFixture designer;
    const QStringList before = state(designer);
    Form1 form(dialogs_, designer, Mode::Title);
    form.show();
    QFont courier(u"Courier"_qs);
    courier.setPointSizeF(9.75);
    courier.setItalic(true);
    dialogs_.fonts << std::nullopt << courier;
    dialogs_.colors << std::nullopt << std::nullopt << QColor(1, 2, 3) << QColor(Qt::blue);

    fe1(form, 4)->setText(u"?"_qs); // a cancel must not even make it 0
    QStringList expected = fields(form);
    for (const char *chooser : {"PB1(0)", "PB1(2)", "PB1(3)"})
        click(form, chooser);
    QCOMPARE(fields(form), expected);
    for (const char *chooser : {"PB1(0)", "PB1(2)", "PB1(3)"})
        click(form, chooser);
    expected =
        QStringList{u"Courier"_qs, u"9.75"_qs, u"Titolo"_qs, u"197121"_qs, u"16711680"_qs, u"2"_qs};
    QCOMPARE(fields(form), expected);
    QCOMPARE(state(designer), before);
}

void TestForm1::refusedEntryAppliesNothing()
{
    const QString range = u"\" deve essere un numero intero da 0 a 16777215."_qs;
    const QList<std::tuple<Mode, int, QString, QString>> entries{
        {Mode::Title, 3, u"rosso"_qs, u"\"Colore Testo"_qs + range},
        {Mode::Title, 1, u"0"_qs,
         u"La dimensione del font deve essere un numero maggiore di zero, fino a 1638 (ad "
         u"esempio 8.25)."_qs},
        {Mode::Bar, 4, u"16777216"_qs, u"\"Colore Sfondo"_qs + range},
        {Mode::ScreenColour, 4, u"12a"_qs, u"\"Colore Sfondo"_qs + range},
    };
    DesignerFixture designer;
    const QStringList before = state(designer);
    for (const auto &[mode, field, entry, complaint] : entries) {
        dialogs_ = ScriptedDialogs();
        Form1 form(dialogs_, designer, mode);
        form.show();
        fe1(form, 2)->setText(u"Cambiato"_qs); // a valid change must not slip through either
        fe1(form, field)->setText(entry);
        click(form, "BTn(0)");

        QCOMPARE(dialogs_.alert(), complaint + u"\nNessuna impostazione è stata applicata."_qs);
        QCOMPARE(state(designer), before);
    }
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
