#include "archive/archivecontent.h"
#include "designer/designerlayout.h"
#include "designer/designerloader.h"
#include "designer/dialogfields.h"
#include "designer/form2.h"
#include "designer/impostasfondo.h"
#include "designer/layout1.h"
#include "frontend/frontend.h"
#include "layout/layoutapplier.h"
#include "layout/screenlayoutreader.h"
#include "support/kioskfixture.h"
#include "ui/colorvalue.h"
#include "ui/styledbutton.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

void click(QWidget &screen, const QString &name)
{
    QTest::mouseClick(named(screen, name), Qt::LeftButton);
}

// A statement on one record of the screen layout table (rowid 1 to 14).
QString update(int record, const QString &assignments)
{
    return u"UPDATE Layout1 SET %1 WHERE rowid = %2"_qs.arg(assignments).arg(record);
}

// The named fields as text, then bold + 2 * italic.
QStringList fields(QWidget &form, const QStringList &names)
{
    QStringList texts;
    for (const QString &name : names)
        texts << named<QLineEdit>(form, name)->text();
    return texts << QString::number(named<QCheckBox>(form, u"CB1(0)"_qs)->isChecked()
                                    + 2 * named<QCheckBox>(form, u"CB1(1)"_qs)->isChecked());
}

// Every panel with values of its own, so that a dialog reading the wrong one shows it.
ScreenLayout sample()
{
    ScreenLayout layout = DesignerLayout::designTime();
    for (int i = 0; i < ScreenLayout::PanelCount; ++i)
        layout.panels[i] = {true,     0,          0,          u"Tahoma"_qs,
                            8.0f + i, i % 2 == 1, i % 3 == 0, i % 7,
                            1000 + i, 3000 + i,   2000 + i,   layout.panels[i].buttonText};
    return layout;
}

} // namespace

// The stored layout as the public screen shows it; the screen designer, Form2 on all the
// panels, and the picture picker. Form1 is tried through the designer below.

class TestLayout1 : public QObject
{
    Q_OBJECT

private:
    // A demo installation and a designer loaded from it and shown, fresh for every test.
    std::unique_ptr<ArchiveFixture> fixture_;
    KioskState state_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<Layout1> designer_;
    QStringList problems_;   // that reading the layout reported
    QTemporaryDir pictures_; // one picture, for the picker

    Layout1 &loadDesigner(const QStringList &changes = {})
    {
        if (!fixture_->run(u"Totem.mdb"_qs, changes))
            qFatal("cannot change the layout table");
        designer_ = std::make_unique<Layout1>(state_, dialogs_);
        DesignerLoader::load(*designer_, state_.archiveFolder, &problems_);
        designer_->show();
        return *designer_;
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(Twips::logicalDpi(), 96.0);
        QVERIFY(QImage(4, 3, QImage::Format_RGB32).save(pictures_.filePath(u"s.bmp"_qs)));
    }

    void init()
    {
        fixture_ = std::make_unique<ArchiveFixture>(true);
        QVERIFY(fixture_->isValid());
        state_.archiveFolder = fixture_->folder();
        dialogs_ = ScriptedDialogs();
        problems_.clear();
    }

    void cleanup() { designer_.reset(); }

    // The stored layout read and applied to the real public screen.
    void eachRecordReachesItsElements_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QVariant>("expected");
        const auto row = [](const char *name, int record, const char *set, const char *element,
                            const char *what, const QVariant &expected) {
            QTest::newRow(name) << update(record, QString::fromUtf8(set))
                                << QString::fromLatin1(element) << QString::fromLatin1(what)
                                << expected;
        };
        row("title as typed", 1, "TestoTitolo = '<b>Uffici</b> & co'", "Label1(0)", "text",
            u"<b>Uffici</b> & co"_qs);
        row("title hidden when empty", 1, "visibile = NULL", "Label1(0)", "hidden", true);
        row("bar texts", 2, "ColoreTestiFissi = 65280", "Label1(1)", "windowText", 65280);
        row("panel hidden, placed all the same", 4, "Visibile = 0, top = 30", "Postazione1(1)",
            "pos", QPoint(274, 2));
        row("empty bold is not bold", 5, "FontBold = NULL", "PB1(2)", "bold", false);
        row("style", 6, "Appearance = 4", "PB1(3)", "appearance", 4);
        row("fixed labels", 9, "ColoreTestiFissi = 128", "Label8(6)", "windowText", 128);
        row("no counter caption", 12, "TestoPulsante = 'Anagrafe'", "PB1(9)", "text", QString());
        row("single queue's caption", 13, "TestoPulsante = 'Tutti'", "PB1(10)", "text",
            u"Tutti"_qs);
        QTest::newRow("background picture")
            << update(14, u"PercorsoImmagine = '%1'"_qs.arg(pictures_.filePath(u"s.bmp"_qs)))
            << u"PB1(0)"_qs << u"picture"_qs << QVariant(QSize(4, 3));
    }

    void eachRecordReachesItsElements()
    {
        QFETCH(QString, change);
        QFETCH(QString, element);
        QFETCH(QString, what);
        QVERIFY(fixture_->run(u"Totem.mdb"_qs, {change}));
        ManualClock clock;
        FrontEnd screen(state_, dialogs_, clock);
        LayoutApplier::apply(ScreenLayoutReader::read(fixture_->folder(), nullptr), screen);

        QWidget *widget = named(screen, element);
        const QHash<QString, QVariant> seen{
            {u"text"_qs, widget->property("text")},
            {u"hidden"_qs, widget->isHidden()},
            {u"pos"_qs, widget->pos()},
            {u"bold"_qs, widget->font().bold()},
            {u"picture"_qs, screen.backgroundPicture().size()},
            {u"appearance"_qs, widget->property("appearance")},
            {u"windowText"_qs,
             ColorValue::fromColor(widget->palette().color(QPalette::WindowText))},
        };
        QTEST(seen.value(what), "expected");
    }

    // A short table leaves the last elements as designed and says which.
    void aShortLayoutTableNamesWhatItLeaves()
    {
        QVERIFY(fixture_->run(u"Totem.mdb"_qs, {u"DELETE FROM Layout1 WHERE rowid > 12"_qs}));
        QStringList problems;
        QCOMPARE(ScreenLayoutReader::read(fixture_->folder(), &problems).recordCount, 12);
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems[0].endsWith(u"contiene 12 record invece di 14; elementi lasciati come "
                                      "progettati: %1, %2"_qs.arg(ScreenLayout::recordName(13),
                                                                  ScreenLayout::recordName(14))),
                 qPrintable(problems[0]));
    }

    void form2OpensOnTheSingleQueueAndGivesEveryPanelOneLook()
    {
        ScreenLayout layout = sample();
        Form2 form(dialogs_, layout);
        const QStringList names{u"FE1(0)"_qs, u"FE1(1)"_qs, u"FE1(3)"_qs,
                                u"FE1(4)"_qs, u"FE1(2)"_qs, u"TCS"_qs};
        QCOMPARE(fields(form, names), (QStringList{u"Tahoma"_qs, u"18"_qs, u"1010"_qs, u"2010"_qs,
                                                   u"3010"_qs, u"Coda Unica"_qs, u"0"_qs}));
        const auto *sampleButton = named<StyledButton>(form, u"BTn(2)"_qs);

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

    // The picker opens on the folder of the picture in use and lists JPEG and bitmap files
    // only, whatever they hold; its cancel chooses no picture. A choice is tried below.
    void pickerListsPicturesAndItsCancelChoosesNone()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QDir::separator();
        QImage picture(40, 30, QImage::Format_RGB32);
        QVERIFY(picture.save(folder + u"a.jpg"_qs, "JPG") && picture.save(folder + u"c.png"_qs));
        QVERIFY(picture.save(folder + u"b.BMP"_qs, "BMP") && put(folder + u"X.JPG"_qs, "?"));
        ImpostaSfondo form(dialogs_, folder + u"a.jpg"_qs);
        QCOMPARE(named<QListWidget>(form, u"File1"_qs)->count(), 3);
        // The folders from the root down to the picture's.
        const auto *top = named<QTreeWidget>(form, u"Dir1"_qs)->topLevelItem(0);
        QCOMPARE(top->text(0), QDir::toNativeSeparators(QDir::rootPath()));
        QSignalSpy chosen(&form, &ImpostaSfondo::backgroundChosen);
        click(form, u"PushButton3"_qs);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0].value(0).toString(), QString());
    }

    // Each edit shows at once and is saved; with none, the save writes, into a table that holds
    // other values everywhere, the very table the layout came from.
    void editsShowAndAreSaved_data()
    {
        QTest::addColumn<QStringList>("changes"); // to the stored layout
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QString>("field"); // in the dialog opened: typed into, or a file picked
        QTest::addColumn<QString>("element");
        QTest::addColumn<QVariant>("shows"); // its place, or its text
        const auto row = [](const char *name, const QStringList &presses, const QString &field,
                            const QString &element, const QVariant &shows) {
            // Panel 6's fixed texts unlike the others: saved as the first panel's all the same.
            QTest::newRow(name) << QStringList{update(8, u"ColoreTestiFissi = 255"_qs)} << presses
                                << field << element << shows;
        };
        QTest::newRow("off the pixel grid, parked, unusual values")
            << QStringList{update(1, u"\"left\" = 650, top = 247, TestoTitolo = '<b>A</b> & B', "
                                     u"DimFont = 8.25"_qs),
                           update(2, u"Visibile = 0"_qs),
                           update(4,
                                  u"Visibile = 0, top = 17000, \"left\" = 0, FontItalic = -1"_qs),
                           update(7, u"top = 2161.5, Appearance = 9"_qs),
                           update(13, u"TestoPulsante = ''"_qs),
                           update(14, u"PercorsoImmagine = '/non/esiste.jpg'"_qs)}
            << QStringList() << QString() << u"Titolo"_qs << QVariant(u"<b>A</b> & B"_qs);
        const QPoint parked(0, Twips::toPixels(Layout1::HiddenTop));
        row("title parked", {u"BTn(2)"_qs}, {}, u"Titolo"_qs, parked);
        row("bar parked", {u"BTn(3)"_qs}, {}, u"GB0"_qs, parked);
        row("panel parked", {u"BTn(7)"_qs}, {}, u"Postazione1(1)"_qs, parked);
        row("panel shown at the corner", {u"BTn(16)"_qs, u"BTn(16)"_qs}, {}, u"Postazione1(10)"_qs,
            QPoint());
        row("Form1", {u"Image7"_qs}, u"FE1(2)"_qs, u"Titolo"_qs, u"Benvenuti & co"_qs);
        row("Form2", {u"Image5(4)"_qs}, u"TCS"_qs, u"PB1(10)"_qs, u"Benvenuti & co"_qs);
        row("ImpostaSfondo", {u"BTn(0)"_qs}, u"File1"_qs, u"Label10"_qs,
            pictures_.filePath(u"s.bmp"_qs));
    }

    void editsShowAndAreSaved()
    {
        QFETCH(QStringList, changes);
        QFETCH(QStringList, presses);
        QFETCH(QString, field);
        QFETCH(QString, element);
        QFETCH(QVariant, shows);
        if (changes.size() > 1) // the picture is missing: a line in the log, no box
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"/non/esiste.jpg"_qs));
        Layout1 &designer = loadDesigner(changes);
        QCOMPARE(problems_, QStringList());
        if (!field.isEmpty())
            dialogs_.screenScripts << [&](QDialog &dialog) {
                if (field == u"File1"_qs) {
                    static_cast<ImpostaSfondo &>(dialog).setFolder(pictures_.path());
                    auto *files = named<QListWidget>(dialog, field);
                    files->setCurrentItem(files->item(0));
                    click(dialog, u"PushButton1"_qs);
                } else {
                    named<QLineEdit>(dialog, field)->setText(shows.toString());
                    click(dialog, u"BTn(0)"_qs);
                }
                return int(QDialog::Rejected);
            };
        for (const QString &press : presses)
            click(designer, press);
        QCOMPARE(dialogs_.screens.join(u' '), field.isEmpty() ? "" : QTest::currentDataTag());
        QWidget *widget = named(designer, element);
        if (shows.typeId() == QMetaType::QPoint) {
            QCOMPARE(widget->pos(), shows.toPoint());
            QCOMPARE(widget->isHidden(), !shows.toPoint().isNull());
        } else {
            QCOMPARE(widget->property("text"), shows);
        }
        if (const auto *label = qobject_cast<QLabel *>(widget)) // markup and '&' as typed
            QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(designer.hasUnsavedChanges(), !presses.isEmpty());

        QString notice;
        dialogs_.screenScripts << [&notice](QDialog &screen) {
            notice = named<QLabel>(screen, u"Label2(0)"_qs)->text();
            return int(QDialog::Accepted);
        };
        const ArchiveFixture other;
        state_.archiveFolder = other.folder();
        click(designer, u"BTn(4)"_qs);
        QCOMPARE(notice, u"Memorizzazione effettuata !"_qs);
        QVERIFY(dialogs_.messages.isEmpty() && designer.isVisible());
        QVERIFY(!designer.hasUnsavedChanges());
        const ScreenLayout saved = ScreenLayoutReader::read(state_.archiveFolder, nullptr);
        QVERIFY(saved == DesignerLayout::forStorage(designer.layout()));
        QCOMPARE(saved.panels[5].fixedTextColor, saved.panels[0].fixedTextColor);
        if (presses.isEmpty() && other.onServer())
            QCOMPARE(
                ArchiveContent::read(other.folder()).records(u"Totem.mdb"_qs, u"Layout1"_qs),
                ArchiveContent::read(fixture_->folder()).records(u"Totem.mdb"_qs, u"Layout1"_qs));
        else if (presses.isEmpty())
            QCOMPARE(
                SqliteFile::rows(other.path(u"Totem.mdb"_qs), u"SELECT * FROM Layout1"_qs),
                SqliteFile::rows(fixture_->path(u"Totem.mdb"_qs), u"SELECT * FROM Layout1"_qs));
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how"); // after an edit, unless there is nothing to lose
        QTest::addColumn<int>("answer");  // -1: no question expected; the question itself is
                                          // tried in tst_ticketdesigner
        QTest::addColumn<bool>("closed");
        QTest::newRow("escape") << u"escape"_qs << -1 << false;
        QTest::newRow("window, nothing to lose") << u"window"_qs << -1 << true;
        QTest::newRow("window, kept open") << u"window"_qs << int(Dialogs::Answer::No) << false;
        QTest::newRow("close command") << u"command"_qs << -1 << true;
    }

    void closing()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        Layout1 &designer = loadDesigner();
        if (QTest::currentDataTag() != QByteArray("window, nothing to lose"))
            click(designer, u"BTn(2)"_qs);
        if (answer >= 0)
            dialogs_.answers << Dialogs::Answer(answer);

        if (how == u"escape"_qs)
            QTest::keyClick(&designer, Qt::Key_Escape);
        else if (how == u"window"_qs)
            designer.close();
        else
            click(designer, u"BTn(17)"_qs);

        QTEST(!designer.isVisible(), "closed");
        QCOMPARE(dialogs_.questions.size(), answer >= 0 ? 1 : 0);
    }

    void dragging_data()
    {
        QTest::addColumn<QString>("handle");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("to");       // from the element's place, or from the window's
        QTest::addColumn<bool>("fromCorner"); // outer bottom right corner
        QTest::addColumn<QString>("lands");   // there, unmoved or corner
        const auto row = [](const char *name, const char *handle, Qt::MouseButton button, QPoint to,
                            bool fromCorner, const char *lands) {
            QTest::newRow(name) << QString::fromLatin1(handle) << int(button) << to << fromCorner
                                << QString::fromLatin1(lands);
        };
        row("title", "Image4", Qt::LeftButton, {30, 20}, false, "there");
        row("single queue", "Image1(10)", Qt::LeftButton, {45, -30}, false, "there");
        row("tool panel", "Image2", Qt::LeftButton, {-200, 10}, false, "there");
        row("right button", "Image4", Qt::RightButton, {40, 40}, false, "unmoved");
        row("top equal to the height", "Image4", Qt::LeftButton, {-600, 0}, true, "there");
        row("top a pixel lower", "Image4", Qt::LeftButton, {-600, 1}, true, "corner");
        row("above the top", "Image4", Qt::LeftButton, {0, -700}, false, "corner");
        row("past the left edge", "Image1(10)", Qt::LeftButton, {-600, 0}, false, "corner");
    }

    void dragging()
    {
        QFETCH(QString, handle);
        QFETCH(int, button);
        QFETCH(QPoint, to);
        QFETCH(bool, fromCorner);
        QFETCH(QString, lands);
        Layout1 &designer = loadDesigner();
        QWidget *grip = named(designer, handle);
        QWidget *moved = grip->parentWidget();
        const QPoint from = moved->pos();
        const QSize outer = designer.frameGeometry().size();
        const QPoint target = fromCorner ? QPoint(outer.width(), outer.height()) + to : from + to;
        const QPoint grab(5, 5);

        QTest::mousePress(grip, Qt::MouseButton(button), {}, grab);
        // Two steps: the handle goes with its element, so the pointer keeps its grip.
        QTest::mouseMove(grip, grab + (target - from) / 2);
        QTest::mouseMove(grip, grab + (target - from) - (target - from) / 2);
        QCOMPARE(designer.dragState().isDragging(), button == Qt::LeftButton);
        QTest::mouseRelease(grip, Qt::MouseButton(button), {}, grab);

        QVERIFY(!designer.dragState().isDragging());
        const QPoint landed = lands == u"there"_qs    ? target
                              : lands == u"corner"_qs ? QPoint()
                                                      : from;
        QCOMPARE(moved->pos(), landed);
        // The tool panel's place is not part of the layout.
        QCOMPARE(designer.hasUnsavedChanges(), landed != from && handle != u"Image2"_qs);
    }

    void aPointSizeIsPositive()
    {
        for (const auto &[text, valid] :
             {std::pair{u"0"_qs, false}, {u"-3"_qs, false}, {u"10,5"_qs, true}}) {
            const QLineEdit field(text);
            QCOMPARE(DialogFields::pointSize(&field).has_value(), valid);
        }
    }
};

QTEST_MAIN(TestLayout1)
#include "tst_layout1.moc"
