#include "designer/designerlayout.h"
#include "designer/form1.h"
#include "designer/form2.h"
#include "designer/impostasfondo.h"
#include "designertesting.h"
#include "ui/colorvalue.h"
#include "ui/styledbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(Form1::Mode)

namespace {

using Mode = Form1::Mode;
const QStringList Fields{u"FE1(0)"_qs, u"FE1(1)"_qs, u"FE1(2)"_qs, u"FE1(3)"_qs, u"FE1(4)"_qs};

// The named fields as text, then bold + 2 * italic.
QStringList fields(QWidget &form, const QStringList &names = Fields)
{
    QStringList texts;
    for (const QString &name : names)
        texts << named<QLineEdit>(form, name)->text();
    return texts << QString::number(named<QCheckBox>(form, u"CB1(0)"_qs)->isChecked()
                                    + 2 * named<QCheckBox>(form, u"CB1(1)"_qs)->isChecked());
}

// Every element with values of its own, so that a dialog reading the wrong one shows it.
ScreenLayout sample()
{
    ScreenLayout layout = DesignerLayout::designTime();
    layout.title = {u"Anagrafe"_qs, 10,    20,       u"Verdana"_qs, 14.25f,
                    true,           false, 16777215, 255,           true};
    layout.bar.backColor = 12632256;
    layout.bar.fixedTextColor = 8388608;
    layout.backColor = 4000;
    for (int i = 0; i < ScreenLayout::PanelCount; ++i)
        layout.panels[i] = {true,     0,          0,          u"Tahoma"_qs,
                            8.0f + i, i % 2 == 1, i % 3 == 0, i % 7,
                            1000 + i, 3000 + i,   2000 + i,   layout.panels[i].buttonText};
    return layout;
}

} // namespace

// Form1 on the title, the bar or the screen; Form2 on all the panels; the picture picker.
class TestElementDialogs : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogs dialogs_;

private slots:
    void init() { dialogs_ = ScriptedDialogs(); }

    void form1ShowsAndAppliesItsElement_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("disabled");
        QTest::newRow("Titolo") << Mode::Title
                                << QStringList{u"Verdana"_qs, u"14.25"_qs,    u"Anagrafe"_qs,
                                               u"255"_qs,     u"16777215"_qs, u"1"_qs}
                                << QStringList{};
        QTest::newRow("Barra") << Mode::Bar
                               << QStringList{{}, {}, {}, u"8388608"_qs, u"12632256"_qs, u"0"_qs}
                               << QStringList{u"FE1(2)"_qs, u"PB1(0)"_qs};
        QTest::newRow("Colore Sfondo Schermata")
            << Mode::ScreenColour << QStringList{{}, {}, {}, {}, u"4000"_qs, u"0"_qs}
            << QStringList{u"FE1(2)"_qs, u"PB1(0)"_qs, u"PB1(2)"_qs};
    }

    void form1ShowsAndAppliesItsElement()
    {
        QFETCH(Mode, mode);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, disabled);
        ScreenLayout layout = sample();
        Form1 form(dialogs_, layout, mode);
        QCOMPARE(named<QLabel>(form, u"Label1"_qs)->text(),
                 QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(fields(form), shown);
        for (const QString &name : {u"FE1(2)"_qs, u"PB1(0)"_qs, u"PB1(2)"_qs})
            QCOMPARE(named(form, name)->isEnabled(), !disabled.contains(name));

        // Every field typed: only those of the mode reach the layout.
        for (int f = 0;
             const QString &text : {u"Courier"_qs, u"10,5"_qs, u"Ciao"_qs, u"65280"_qs, u"0"_qs})
            named<QLineEdit>(form, Fields[f++])->setText(text);
        named<QCheckBox>(form, u"CB1(0)"_qs)->setChecked(false);
        named<QCheckBox>(form, u"CB1(1)"_qs)->setChecked(true);
        ScreenLayout expected = sample();
        if (mode == Mode::Title)
            expected.title = {u"Ciao"_qs, 10,   20, u"Courier"_qs, 10.5f,
                              false,      true, 0,  65280,         true};
        else if (mode == Mode::Bar)
            expected.bar = {expected.bar.top, expected.bar.left, 0, 65280, true};
        else
            expected.backColor = 0;
        click(form, u"BTn(0)"_qs);
        QVERIFY(layout == expected);
    }

    void refusedEntryAppliesNothing_data()
    {
        QTest::addColumn<int>("mode"); // Form1's, or -1 for Form2
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("complaint"); // empty: silently nothing
        const QString range = u"\" deve essere un numero intero da 0 a 16777215."_qs;
        QTest::newRow("font size") << int(Mode::Title) << u"FE1(1)"_qs << u"0"_qs
                                   << u"La dimensione del font deve essere un numero maggiore "
                                      u"di zero, fino a 1638 (ad esempio 8.25)."_qs;
        QTest::newRow("screen colour emptied")
            << int(Mode::ScreenColour) << u"FE1(4)"_qs << u" "_qs << QString();
        QTest::newRow("panel colour")
            << -1 << u"FE1(2)"_qs << u"16777216"_qs << u"\"Colore Sfondo Pannello"_qs + range;
    }

    void refusedEntryAppliesNothing()
    {
        QFETCH(int, mode);
        QFETCH(QString, field);
        QFETCH(QString, entry);
        QFETCH(QString, complaint);
        ScreenLayout layout = sample();
        std::unique_ptr<QDialog> form;
        if (mode < 0)
            form = std::make_unique<Form2>(dialogs_, layout);
        else
            form = std::make_unique<Form1>(dialogs_, layout, Mode(mode));
        // A valid change beside it must not slip through either.
        named<QLineEdit>(*form, mode < 0 ? u"TCS"_qs : u"FE1(2)"_qs)->setText(u"Cambiato"_qs);
        named<QLineEdit>(*form, field)->setText(entry);
        click(*form, u"BTn(0)"_qs);

        QVERIFY(layout == sample());
        if (complaint.isEmpty())
            QVERIFY(dialogs_.messages.isEmpty());
        else
            QCOMPARE(dialogs_.alert(), complaint + u"\nNessuna impostazione è stata applicata."_qs);
    }

    void form2OpensOnTheSingleQueueAndGivesEveryPanelOneLook()
    {
        ScreenLayout layout = sample();
        layout.panels[10].appearance = 9; // no entry of its own: the list stays where it is
        Form2 form(dialogs_, layout);
        const QStringList names{u"FE1(0)"_qs, u"FE1(1)"_qs, u"FE1(3)"_qs,
                                u"FE1(4)"_qs, u"FE1(2)"_qs, u"TCS"_qs};
        QCOMPARE(fields(form, names), (QStringList{u"Tahoma"_qs, u"18"_qs, u"1010"_qs, u"2010"_qs,
                                                   u"3010"_qs, u"Coda Unica"_qs, u"0"_qs}));
        QCOMPARE(named<QLabel>(form, u"Label3"_qs)->text(), u"9"_qs);
        QCOMPARE(named<QComboBox>(form, u"ComboBox1"_qs)->currentIndex(), 0);
        const auto *sampleButton = named<StyledButton>(form, u"BTn(2)"_qs);
        QCOMPARE(sampleButton->appearance(), 9);

        // The choosers fill the fields and the sample, which gains bold from a choice but
        // never loses it to one; a cancel changes nothing.
        QFont courier(u"Courier"_qs);
        courier.setPointSizeF(12.5);
        courier.setBold(true);
        dialogs_.fonts << std::nullopt << courier << QFont(u"Courier"_qs);
        dialogs_.colors << std::nullopt << QColor(1, 2, 3) << QColor(Qt::red) << QColor(Qt::blue);
        for (const char *chooser :
             {"PB1(0)", "PB1(2)", "PB1(0)", "PB1(2)", "PB1(3)", "PB1(1)", "PB1(0)"})
            click(form, QString::fromLatin1(chooser));
        QVERIFY(sampleButton->font().bold());
        QCOMPARE(ColorValue::fromColor(sampleButton->palette().color(QPalette::ButtonText)),
                 197121);
        named<QLineEdit>(form, u"FE1(1)"_qs)->setText(u"12,5"_qs);
        named<QLineEdit>(form, u"TCS"_qs)->setText(u"Tutti"_qs);
        named<QComboBox>(form, u"ComboBox1"_qs)->setCurrentIndex(4);
        QVERIFY(layout.panels[10].fontName != u"Courier"_qs);
        click(form, u"BTn(0)"_qs);

        for (int i = 0; i < ScreenLayout::PanelCount; ++i) {
            const ScreenLayout::Panel expected{
                true,   0,        0,     u"Courier"_qs,
                12.5f,  false,    false, 4,
                197121, 16711680, 255,   i == 10 ? std::optional(u"Tutti"_qs) : std::nullopt};
            QVERIFY2(layout.panels[i] == expected, qPrintable(QString::number(i)));
        }
    }
    void pickerSaysWhatWasChosen_data()
    {
        QTest::addColumn<QString>("file"); // empty: none clicked
        QTest::addColumn<QString>("button");
        QTest::addColumn<QSize>("size"); // of the picture chosen; invalid: none
        QTest::newRow("jpeg") << u"a.jpg"_qs << u"PushButton1"_qs << QSize(40, 30);
        QTest::newRow("bitmap") << u"b.BMP"_qs << u"PushButton1"_qs << QSize(17, 9);
        QTest::newRow("imposta without a file") << QString() << u"PushButton1"_qs << QSize();
        QTest::newRow("elimina") << u"a.jpg"_qs << u"PushButton3"_qs << QSize();
    }

    void pickerSaysWhatWasChosen()
    {
        QFETCH(QString, file);
        QFETCH(QString, button);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        const QString folder = QDir::toNativeSeparators(dir.path());
        const auto path = [&folder](const QString &name) {
            return folder + QDir::separator() + name;
        };
        QImage picture(40, 30, QImage::Format_RGB32);
        QVERIFY(picture.save(path(u"a.jpg"_qs), "JPG") && picture.save(path(u"c.png"_qs), "PNG"));
        QVERIFY(picture.copy(0, 0, 17, 9).save(path(u"b.BMP"_qs), "BMP"));
        QFile other(path(u"X.JPG"_qs)); // listed, whatever it holds
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write("non un'immagine") > 0);
        other.close();
        const QString root = QDir::toNativeSeparators(QDir::rootPath());
        QCOMPARE(ImpostaSfondo::joinPath(root, u"f.jpg"_qs), root + u"f.jpg"_qs);

        // It opens on the folder of the picture in use, listing JPEG and bitmap files only.
        ImpostaSfondo form(dialogs_, path(u"a.jpg"_qs));
        QCOMPARE(form.folder(), folder);
        auto *files = named<QListWidget>(form, u"File1"_qs);
        QCOMPARE(files->count(), 3);
        QSignalSpy chosen(&form, &ImpostaSfondo::backgroundChosen);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (!file.isEmpty()) {
            const QRect place =
                files->visualItemRect(files->findItems(file, Qt::MatchExactly).value(0));
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, place.center());
        }
        if (size.isValid()) {
            QCOMPARE(named<QLabel>(form, u"Image1"_qs)->size(), size); // natural size
            QCOMPARE(QSize(named<QLineEdit>(form, u"F1"_qs)->text().toInt(),
                           named<QLineEdit>(form, u"F2"_qs)->text().toInt()),
                     size);
        }
        click(form, button);

        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].toString(), size.isValid() ? path(file) : QString());
        QCOMPARE(chosen[0][1].value<QPixmap>().size(), size.isValid() ? size : QSize(0, 0));
        QVERIFY(dialogs_.messages.isEmpty());
    }
};

QTEST_MAIN(TestElementDialogs)
#include "tst_elementdialogs.moc"
