#include "designer/designerlayout.h"
#include "designer/form1.h"
#include "designer/form2.h"
#include "designer/impostasfondo.h"
#include "designertesting.h"
#include "ui/colorvalue.h"
#include "ui/styledbutton.h"

#include <QCheckBox>
#include <QComboBox>

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
        QTest::addColumn<QStringList>("shown"); // empty: not checked
        QTest::addColumn<QStringList>("disabled");
        // A field, an entry there that stops the whole apply, and the complaint, if any.
        QTest::addColumn<QStringList>("refusal");
        QTest::newRow("Titolo") << Mode::Title
                                << QStringList{u"Verdana"_qs, u"14.25"_qs,    u"Anagrafe"_qs,
                                               u"255"_qs,     u"16777215"_qs, u"1"_qs}
                                << QStringList{} << QStringList{};
        QTest::newRow("Barra") << Mode::Bar
                               << QStringList{{}, {}, {}, u"8388608"_qs, u"12632256"_qs, u"0"_qs}
                               << QStringList{u"FE1(2)"_qs, u"PB1(0)"_qs} << QStringList{};
        QTest::newRow("Colore Sfondo Schermata")
            << Mode::ScreenColour << QStringList{{}, {}, {}, {}, u"4000"_qs, u"0"_qs}
            << QStringList{u"FE1(2)"_qs, u"PB1(0)"_qs, u"PB1(2)"_qs} << QStringList{};
        QTest::newRow("Titolo, font size refused")
            << Mode::Title << QStringList{} << QStringList{}
            << QStringList{u"FE1(1)"_qs, u"0"_qs,
                           u"La dimensione del font deve essere un numero maggiore di zero, fino a "
                           u"1638 (ad esempio 8.25).\nNessuna impostazione è stata applicata."_qs};
        QTest::newRow("Colore Sfondo Schermata, emptied: silently nothing")
            << Mode::ScreenColour << QStringList{} << QStringList{}
            << QStringList{u"FE1(4)"_qs, u" "_qs};
    }

    void form1ShowsAndAppliesItsElement()
    {
        QFETCH(Mode, mode);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, disabled);
        QFETCH(QStringList, refusal);
        ScreenLayout layout = sample();
        Form1 form(dialogs_, layout, mode);
        QCOMPARE(named<QLabel>(form, u"Label1"_qs)->text(),
                 QString::fromLatin1(QTest::currentDataTag()).section(u',', 0, 0));
        if (!shown.isEmpty()) {
            QCOMPARE(fields(form), shown);
            for (const QString &name : {u"FE1(2)"_qs, u"PB1(0)"_qs, u"PB1(2)"_qs})
                QCOMPARE(named(form, name)->isEnabled(), !disabled.contains(name));
        }

        // Every field typed: only those of the mode reach the layout, unless one is refused.
        for (int f = 0;
             const QString &text : {u"Courier"_qs, u"10,5"_qs, u"Ciao"_qs, u"65280"_qs, u"0"_qs})
            named<QLineEdit>(form, Fields[f++])->setText(text);
        named<QCheckBox>(form, u"CB1(0)"_qs)->setChecked(false);
        named<QCheckBox>(form, u"CB1(1)"_qs)->setChecked(true);
        ScreenLayout expected = sample();
        if (!refusal.isEmpty())
            named<QLineEdit>(form, refusal[0])->setText(refusal[1]);
        else if (mode == Mode::Title)
            expected.title = {u"Ciao"_qs, 10,   20, u"Courier"_qs, 10.5f,
                              false,      true, 0,  65280,         true};
        else if (mode == Mode::Bar)
            expected.bar = {expected.bar.top, expected.bar.left, 0, 65280, true};
        else
            expected.backColor = 0;
        click(form, u"BTn(0)"_qs);
        QVERIFY(layout == expected);
        QCOMPARE(dialogs_.messages.isEmpty() ? QString() : dialogs_.alert(), refusal.value(2));
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

        // A refused entry stops the whole apply, the valid changes beside it too.
        named<QLineEdit>(form, u"FE1(2)"_qs)->setText(u"16777216"_qs);
        named<QLineEdit>(form, u"TCS"_qs)->setText(u"Cambiato"_qs);
        const ScreenLayout applied = layout;
        click(form, u"BTn(0)"_qs);
        QVERIFY(layout == applied);
        QCOMPARE(dialogs_.alert(), u"\"Colore Sfondo Pannello\" deve essere un numero intero da 0 "
                                   u"a 16777215.\nNessuna impostazione è stata applicata."_qs);
    }

    void pickerSaysWhatWasChosen()
    {
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
        // A file clicked shows at its natural size, with that size in pixels; a command says
        // which picture, and how large, was chosen.
        const auto size = [](QSize s) { return u"%1x%2"_qs.arg(s.width()).arg(s.height()); };
        QStringList seen;
        for (const QString &step :
             {u"PushButton1"_qs, u"a.jpg"_qs, u"PushButton3"_qs, u"b.BMP"_qs, u"PushButton1"_qs}) {
            if (step.startsWith(u"PushButton")) {
                click(form, step);
                QCOMPARE(chosen.count(), 1);
                const QList<QVariant> said = chosen.takeFirst();
                seen << said.value(0).toString() + u' '
                            + size(said.value(1).value<QPixmap>().size());
                continue;
            }
            const QRect place =
                files->visualItemRect(files->findItems(step, Qt::MatchExactly).value(0));
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, place.center());
            seen << size(named<QLabel>(form, u"Image1"_qs)->size()) + u' '
                        + named<QLineEdit>(form, u"F1"_qs)->text() + u'x'
                        + named<QLineEdit>(form, u"F2"_qs)->text();
        }
        QCOMPARE(seen, (QStringList{u" 0x0"_qs, u"40x30 40x30"_qs, u" 0x0"_qs, u"17x9 17x9"_qs,
                                    path(u"b.BMP"_qs) + u" 17x9"_qs}));
        QVERIFY(dialogs_.messages.isEmpty());
    }
};

QTEST_MAIN(TestElementDialogs)
#include "tst_elementdialogs.moc"
