#include "core/kioskstate.h"
#include "designer/designerlayout.h"
#include "designer/designerloader.h"
#include "designer/impostasfondo.h"
#include "designer/layout1.h"
#include "designertesting.h"
#include "layout/screenlayoutreader.h"
#include "support/archivefixture.h"
#include "ui/twips.h"

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
        QVERIFY(QImage(6, 5, QImage::Format_RGB32).save(pictures_.filePath(u"s.bmp"_qs)));
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
        QTest::newRow("demo") << QStringList() << QStringList() << QString() << u"Label5(0)"_qs
                              << QVariant(u"Postazione"_qs);
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
        if (element.startsWith(u"Postazione1")) {
            const QColor mark = named(designer, presses[0])->palette().color(QPalette::ButtonText);
            QCOMPARE(mark == Qt::red, shows.toPoint().isNull());
        }
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
        if (presses.isEmpty())
            QCOMPARE(layoutTableRows(other.path(u"Totem.mdb"_qs)),
                     layoutTableRows(fixture_->path(u"Totem.mdb"_qs)));
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how"); // after an edit, unless there is nothing to lose
        QTest::addColumn<int>("answer");  // -1: no question expected
        QTest::addColumn<bool>("closed");
        QTest::newRow("escape") << u"escape"_qs << -1 << false;
        QTest::newRow("window, nothing to lose") << u"window"_qs << -1 << true;
        QTest::newRow("window, kept open") << u"window"_qs << int(Dialogs::Answer::No) << false;
        QTest::newRow("window, edits dropped") << u"window"_qs << int(Dialogs::Answer::Yes) << true;
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
        if (answer >= 0)
            QCOMPARE(dialogs_.questions[0].text,
                     u"Le modifiche non salvate andranno perse. Chiudere?"_qs);
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
};

QTEST_MAIN(TestLayout1)
#include "tst_layout1.moc"
