#include "designer/form1.h"

#include "support/designerfixture.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Mode = Form1::Mode;

QLineEdit *field(QWidget &form, int index)
{
    return form.findChild<QLineEdit *>(QStringLiteral("FE1(%1)").arg(index));
}

QCheckBox *checkBox(QWidget &form, int index)
{
    return form.findChild<QCheckBox *>(QStringLiteral("CB1(%1)").arg(index));
}

void click(QWidget &form, const QString &button)
{
    QTest::mouseClick(form.findChild<QPushButton *>(button), Qt::LeftButton);
}

void type(QWidget &form, int index, const QString &text)
{
    field(form, index)->setText(text);
}

// Everything Form1 may write, as text, so that "nothing applied" is one comparison.
QStringList designerState(const DesignerFixture &designer)
{
    const QWidget *title = designer.element(QStringLiteral("Titolo"));
    QStringList state{title->font().toString(),
                      title->property("text").toString(),
                      QString::number(designer.colour(u"Titolo"_qs, QPalette::WindowText)),
                      QString::number(designer.colour(u"Titolo"_qs, QPalette::Window)),
                      QString::number(designer.colour(u"GB0"_qs, QPalette::Window)),
                      QString::number(designer.colour(QString(), QPalette::Window))};
    for (const QString &label :
         {u"Label4(0)"_qs, u"Label4(1)"_qs, u"Label2"_qs, u"Label3"_qs, u"Label1(1)"_qs})
        state << QString::number(designer.colour(label, QPalette::WindowText));
    return state;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init() { dialogs_ = ScriptedDialogs(); }
    void opensOnTheElementOfItsMode_data();
    void opensOnTheElementOfItsMode();
    void titleApplyWritesEveryFieldEachTime();
    void barApplyGivesItsFiveLabelsOneColour();
    void screenColourAppliesOnlyAFilledField();
    void choosersFillOnlyTheFieldsAndACancelKeepsThem();
    void refusedEntryAppliesNothing_data();
    void refusedEntryAppliesNothing();

private:
    ScriptedDialogs dialogs_;
};

void TestForm1::opensOnTheElementOfItsMode_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("fields"); // FE1(0) to FE1(4)
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QStringList>("disabled");

    QTest::newRow("title") << Mode::Title << u"Titolo"_qs
                           << QStringList{u"Tahoma"_qs, u"14.25"_qs, u"Titolo"_qs, u"255"_qs,
                                          u"16777215"_qs}
                           << true << QStringList{};
    QTest::newRow("bar") << Mode::Bar << u"Barra"_qs
                         << QStringList{{}, {}, {}, u"8388608"_qs, u"12632256"_qs} << false
                         << QStringList{u"FE1(2)"_qs, u"PB1(0)"_qs};
    QTest::newRow("screen colour") << Mode::ScreenColour << u"Colore Sfondo Schermata"_qs
                                   << QStringList{{}, {}, {}, {}, u"4000"_qs} << false
                                   << QStringList{u"FE1(2)"_qs, u"PB1(0)"_qs, u"PB1(2)"_qs};
}

void TestForm1::opensOnTheElementOfItsMode()
{
    QFETCH(Mode, mode);
    QFETCH(QString, heading);
    QFETCH(QStringList, fields);
    QFETCH(bool, bold);
    QFETCH(QStringList, disabled);

    DesignerFixture designer;
    Form1 form(dialogs_, designer, mode, &designer);
    QCOMPARE(form.objectName(), u"Form1"_qs);
    QCOMPARE(form.windowTitle(), u"Impostazione Elementi"_qs);
    QCOMPARE(form.findChild<QLabel *>(u"Label1"_qs)->text(), heading);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(field(form, i)->text(), fields[i]);
    QCOMPARE(checkBox(form, 0)->isChecked(), bold);
    QVERIFY(!checkBox(form, 1)->isChecked());

    const QList<QWidget *> all = form.findChildren<QWidget *>();
    for (const QWidget *widget : all)
        if (!widget->objectName().isEmpty())
            QVERIFY2(widget->isEnabled() != disabled.contains(widget->objectName()),
                     qPrintable(widget->objectName()));
}

void TestForm1::titleApplyWritesEveryFieldEachTime()
{
    DesignerFixture designer;
    const QStringList before = designerState(designer);
    Form1 form(dialogs_, designer, Mode::Title, &designer);
    form.show();
    type(form, 0, u"Courier"_qs);
    type(form, 1, u"10,5"_qs);
    checkBox(form, 0)->setChecked(false);
    checkBox(form, 1)->setChecked(true);
    type(form, 3, u"65280"_qs);
    type(form, 4, u"0"_qs);
    type(form, 2, u"Benvenuti"_qs);
    click(form, u"BTn(0)"_qs);

    const QWidget *title = designer.element(u"Titolo"_qs);
    QCOMPARE(title->font().family(), u"Courier"_qs);
    QCOMPARE(title->font().pointSizeF(), 10.5);
    QVERIFY(!title->font().bold());
    QVERIFY(title->font().italic());
    QCOMPARE(designer.colour(u"Titolo"_qs, QPalette::WindowText), 65280);
    QCOMPARE(designer.colour(u"Titolo"_qs, QPalette::Window), 0);
    QCOMPARE(title->property("text").toString(), u"Benvenuti"_qs);
    // The bar and the screen belong to the other modes.
    QCOMPARE(designerState(designer).mid(4), before.mid(4));
    QVERIFY(form.isVisible());

    type(form, 2, u"Di nuovo"_qs);
    click(form, u"BTn(0)"_qs);
    QCOMPARE(title->property("text").toString(), u"Di nuovo"_qs);
    QVERIFY(dialogs_.messages.isEmpty());

    type(form, 2, u"Mai applicato"_qs);
    click(form, u"BTn(1)"_qs);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(title->property("text").toString(), u"Di nuovo"_qs);
}

void TestForm1::barApplyGivesItsFiveLabelsOneColour()
{
    DesignerFixture designer;
    // The labels start apart; the bar's colour is read from Label4(0) alone.
    QPalette odd = designer.element(u"Label3"_qs)->palette();
    odd.setColor(QPalette::WindowText, Qt::green);
    designer.element(u"Label3"_qs)->setPalette(odd);
    const QStringList before = designerState(designer);

    Form1 form(dialogs_, designer, Mode::Bar, &designer);
    form.show();
    type(form, 0, u"Courier"_qs);
    type(form, 1, u"30"_qs);
    type(form, 3, u"255"_qs);
    type(form, 4, u"16777215"_qs);
    click(form, u"BTn(0)"_qs);

    for (const QString &label :
         {u"Label4(0)"_qs, u"Label4(1)"_qs, u"Label2"_qs, u"Label3"_qs, u"Label1(1)"_qs})
        QCOMPARE(designer.colour(label, QPalette::WindowText), 255);
    QCOMPARE(designer.colour(u"GB0"_qs, QPalette::Window), 16777215);
    QVERIFY(designer.element(u"GB0"_qs)->autoFillBackground());
    // No font in this mode, and the title and the screen keep theirs.
    QCOMPARE(designerState(designer).mid(0, 4), before.mid(0, 4));
    QCOMPARE(designerState(designer).at(5), before.at(5));
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestForm1::screenColourAppliesOnlyAFilledField()
{
    DesignerFixture designer;
    const QStringList before = designerState(designer);
    Form1 form(dialogs_, designer, Mode::ScreenColour, &designer);
    form.show();

    type(form, 4, u"  "_qs);
    click(form, u"BTn(0)"_qs);
    QCOMPARE(designerState(designer), before);

    type(form, 4, u"8421504"_qs);
    click(form, u"BTn(0)"_qs);
    QCOMPARE(designer.colour(QString(), QPalette::Window), 8421504);
    QStringList after = designerState(designer);
    after[5] = before[5];
    QCOMPARE(after, before);
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestForm1::choosersFillOnlyTheFieldsAndACancelKeepsThem()
{
    DesignerFixture designer;
    const QStringList before = designerState(designer);
    Form1 form(dialogs_, designer, Mode::Title, &designer);
    form.show();
    const QStringList opened{field(form, 0)->text(), field(form, 1)->text(), field(form, 3)->text(),
                             field(form, 4)->text()};

    QFont courier(u"Courier"_qs);
    courier.setPointSizeF(9.75);
    courier.setItalic(true);
    dialogs_.fonts << std::nullopt << courier;
    dialogs_.colors << std::nullopt << std::nullopt << QColor(1, 2, 3) << QColor(Qt::blue);

    click(form, u"PB1(0)"_qs);
    click(form, u"PB1(2)"_qs);
    click(form, u"PB1(3)"_qs);
    QCOMPARE((QStringList{field(form, 0)->text(), field(form, 1)->text(), field(form, 3)->text(),
                          field(form, 4)->text()}),
             opened);
    QVERIFY(checkBox(form, 0)->isChecked());

    click(form, u"PB1(0)"_qs);
    click(form, u"PB1(2)"_qs);
    click(form, u"PB1(3)"_qs);
    QCOMPARE(field(form, 0)->text(), u"Courier"_qs);
    QCOMPARE(field(form, 1)->text(), u"9.75"_qs);
    QVERIFY(!checkBox(form, 0)->isChecked());
    QVERIFY(checkBox(form, 1)->isChecked());
    QCOMPARE(field(form, 3)->text(), u"197121"_qs); // 0x00030201
    QCOMPARE(field(form, 4)->text(), u"16711680"_qs);
    QCOMPARE(dialogs_.prompts.size(), 6);
    QCOMPARE(designerState(designer), before);
}

void TestForm1::refusedEntryAppliesNothing_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("complaint");

    const QString size = u"La dimensione del font deve essere un numero maggiore di zero, fino a "
                         u"1638 (ad esempio 8.25)."_qs;
    const QString text = u"\"Colore Testo\" deve essere un numero intero da 0 a 16777215."_qs;
    const QString back = u"\"Colore Sfondo\" deve essere un numero intero da 0 a 16777215."_qs;
    QTest::newRow("title: word for colour") << Mode::Title << 3 << u"rosso"_qs << text;
    QTest::newRow("title: half a number") << Mode::Title << 4 << u"12a"_qs << back;
    QTest::newRow("title: size zero") << Mode::Title << 1 << u"0"_qs << size;
    QTest::newRow("title: size a word") << Mode::Title << 1 << u"grande"_qs << size;
    QTest::newRow("bar: past white") << Mode::Bar << 4 << u"16777216"_qs << back;
    QTest::newRow("bar: emptied") << Mode::Bar << 3 << QString() << text;
    QTest::newRow("screen: negative") << Mode::ScreenColour << 4 << u"-1"_qs << back;
}

void TestForm1::refusedEntryAppliesNothing()
{
    QFETCH(Mode, mode);
    QFETCH(int, index);
    QFETCH(QString, entry);
    QFETCH(QString, complaint);

    DesignerFixture designer;
    const QStringList before = designerState(designer);
    Form1 form(dialogs_, designer, mode, &designer);
    form.show();
    // Valid changes elsewhere must not slip through either.
    type(form, 2, u"Cambiato"_qs);
    if (mode != Mode::ScreenColour && index != 3)
        type(form, 3, u"65535"_qs);
    type(form, index, entry);
    click(form, u"BTn(0)"_qs);

    QCOMPARE(dialogs_.messages.size(), 1);
    QCOMPARE(dialogs_.messages[0].kind, Dialogs::Kind::Critical);
    QCOMPARE(dialogs_.messages[0].title, u"ATTENZIONE"_qs);
    QCOMPARE(dialogs_.messages[0].text,
             complaint + u"\nNessuna impostazione è stata applicata."_qs);
    QCOMPARE(designerState(designer), before);
    QVERIFY(form.isVisible());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
