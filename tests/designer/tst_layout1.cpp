#include "core/kioskstate.h"
#include "designer/designerlayout.h"
#include "designer/designerloader.h"
#include "designer/impostasfondo.h"
#include "designer/layout1.h"
#include "designertesting.h"
#include "layout/screenlayoutreader.h"
#include "support/archivefixture.h"
#include "support/scripteddialogs.h"
#include "ui/twips.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString update(int record, const QString &assignments)
{
    return QStringLiteral("UPDATE Layout1 SET %1 WHERE rowid = %2").arg(assignments).arg(record);
}

const QString Unsaved = u"Le modifiche non salvate andranno perse. Chiudere?"_qs;

} // namespace

class TestLayout1 : public QObject
{
    Q_OBJECT

private:
    // A demo installation and a designer loaded from it and shown, fresh for every test.
    std::unique_ptr<ArchiveFixture> fixture_;
    KioskState state_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Layout1> designer_;

    QString totem() const { return fixture_->path(u"Totem.mdb"_qs); }

    Layout1 &loadDesigner(const QStringList &changes = {})
    {
        if (!changes.isEmpty() && !fixture_->run(u"Totem.mdb"_qs, changes))
            qFatal("cannot change the layout table");
        designer_ = std::make_unique<Layout1>(state_, *dialogs_);
        DesignerLoader::load(*designer_, state_.archiveFolder, nullptr);
        designer_->show();
        return *designer_;
    }

    void click(const QString &name) { QTest::mouseClick(named(*designer_, name), Qt::LeftButton); }

    bool markedRed(const QString &name)
    {
        return named(*designer_, name)->palette().color(QPalette::ButtonText) == Qt::red;
    }

private slots:
    void init()
    {
        fixture_ = std::make_unique<ArchiveFixture>(true);
        QVERIFY(fixture_->isValid());
        state_.archiveFolder = fixture_->folder();
        dialogs_ = std::make_unique<ScriptedDialogs>();
    }

    void cleanup() { designer_.reset(); }

    void loadingShowsTheStoredLayout()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"/non/esiste/sfondo.jpg"_qs));
        Layout1 &designer = loadDesigner(
            {update(1, u"TestoTitolo = '<b>Uffici</b> & co'"_qs), update(4, u"Visibile = 0"_qs),
             update(13, u"TestoPulsante = 'Sportello unico'"_qs),
             update(14, u"PercorsoImmagine = '/non/esiste/sfondo.jpg'"_qs)});

        auto *title = named<QLabel>(designer, u"Titolo"_qs);
        QCOMPARE(title->text(), u"<b>Uffici</b> & co"_qs);
        QCOMPARE(title->textFormat(), Qt::PlainText);
        for (int i = 0; i < Layout1::PanelCount; ++i)
            QCOMPARE(markedRed(QStringLiteral("BTn(%1)").arg(i + 6)), i != 1);
        QCOMPARE(named<QPushButton>(designer, u"PB1(10)"_qs)->text(), u"Sportello unico"_qs);
        // A picture that cannot be loaded keeps its path, to be saved back.
        QCOMPARE(designer.layout().picturePath, u"/non/esiste/sfondo.jpg"_qs);
        QVERIFY(designer.backgroundPicture().isNull());
        QVERIFY(!designer.hasUnsavedChanges());
    }

    void savingUnchangedLeavesTheTableAsItWas_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::newRow("demo") << QStringList{};
        QTest::newRow("off the pixel grid, parked, unknown style, empty caption") << QStringList{
            update(1, u"\"left\" = 650, top = 247, DimFont = 8.25"_qs),
            update(2, u"Visibile = 0"_qs), update(4, u"Visibile = 0, top = 17000, \"left\" = 0"_qs),
            update(7, u"top = 2161.5, Appearance = 9"_qs), update(13, u"TestoPulsante = ''"_qs)};
    }

    void savingUnchangedLeavesTheTableAsItWas()
    {
        QFETCH(QStringList, changes);
        QVERIFY(changes.isEmpty() || fixture_->run(u"Totem.mdb"_qs, changes));
        const QStringList before = layoutTableRows(totem());
        QString notice;
        dialogs_->screenScripts << [&notice](QDialog &screen) {
            notice = named<QLabel>(screen, u"Label2(0)"_qs)->text();
            return int(QDialog::Accepted);
        };
        Layout1 &designer = loadDesigner();
        click(u"BTn(4)"_qs);

        QCOMPARE(layoutTableRows(totem()), before);
        QCOMPARE(notice, u"Memorizzazione effettuata !"_qs);
        QVERIFY(dialogs_->messages.isEmpty() && designer.isVisible());
    }

    void commandsChangeTheLayoutAndTheSaveWritesIt_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QString>("element");
        QTest::addColumn<bool>("shown"); // at the top left corner, or parked below
        QTest::newRow("title parked") << QStringList{u"BTn(2)"_qs} << u"Titolo"_qs << false;
        QTest::newRow("bar parked") << QStringList{u"BTn(3)"_qs} << u"GB0"_qs << false;
        QTest::newRow("panel parked") << QStringList{u"BTn(7)"_qs} << u"Postazione1(1)"_qs << false;
        QTest::newRow("panel shown at the corner")
            << QStringList{u"BTn(16)"_qs, u"BTn(16)"_qs} << u"Postazione1(10)"_qs << true;
    }

    void commandsChangeTheLayoutAndTheSaveWritesIt()
    {
        QFETCH(QStringList, presses);
        QFETCH(QString, element);
        QFETCH(bool, shown);
        // Panel 6's fixed texts unlike the others: saved as the first panel's all the same.
        Layout1 &designer = loadDesigner({update(8, u"ColoreTestiFissi = 255"_qs)});
        for (const QString &press : presses)
            click(press);
        QWidget *moved = named(designer, element);
        QCOMPARE(moved->isHidden(), !shown);
        QCOMPARE(moved->pos(), QPoint(0, shown ? 0 : Twips::toPixels(Layout1::HiddenTop)));
        if (element.startsWith(u"Postazione1"))
            QCOMPARE(markedRed(presses.first()), shown);
        QVERIFY(designer.hasUnsavedChanges());

        designer.save();
        QVERIFY(!designer.hasUnsavedChanges());
        const ScreenLayout saved = ScreenLayoutReader::read(state_.archiveFolder, nullptr);
        QVERIFY(saved == DesignerLayout::forStorage(designer.layout()));
        QCOMPARE(saved.panels[5].fixedTextColor, saved.panels[0].fixedTextColor);
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer"); // -1: no question expected
        QTest::addColumn<bool>("closed");
        QTest::newRow("escape") << u"escape"_qs << true << -1 << false;
        QTest::newRow("window, nothing to lose") << u"window"_qs << false << -1 << true;
        QTest::newRow("window, kept open")
            << u"window"_qs << true << int(Dialogs::Answer::No) << false;
        QTest::newRow("window, edits dropped")
            << u"window"_qs << true << int(Dialogs::Answer::Yes) << true;
        QTest::newRow("close command") << u"command"_qs << true << -1 << true;
    }

    void closing()
    {
        QFETCH(QString, how);
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(bool, closed);
        const QStringList before = layoutTableRows(totem());
        Layout1 &designer = loadDesigner();
        if (edited)
            click(u"BTn(2)"_qs);
        if (answer >= 0)
            dialogs_->answers << Dialogs::Answer(answer);

        if (how == u"escape"_qs)
            QTest::keyClick(&designer, Qt::Key_Escape);
        else if (how == u"window"_qs)
            designer.close();
        else
            click(u"BTn(17)"_qs);

        QCOMPARE(designer.isVisible(), !closed);
        QCOMPARE(dialogs_->questions.size(), answer >= 0 ? 1 : 0);
        if (answer >= 0)
            QCOMPARE(dialogs_->questions[0].text, Unsaved);
        QCOMPARE(layoutTableRows(totem()), before);
    }

    void dialogsEditTheLayout_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("element"); // shows the field's text once applied
        QTest::newRow("title") << u"Image7"_qs << u"Form1"_qs << u"FE1(2)"_qs << u"Titolo"_qs;
        QTest::newRow("panels") << u"Image5(4)"_qs << u"Form2"_qs << u"TCS"_qs << u"PB1(10)"_qs;
    }

    void dialogsEditTheLayout()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, screen);
        QFETCH(QString, field);
        QFETCH(QString, element);
        Layout1 &designer = loadDesigner();
        dialogs_->screenScripts << [&](QDialog &dialog) {
            named<QLineEdit>(dialog, field)->setText(u"Benvenuti & co"_qs);
            ::click(dialog, "BTn(0)");
            return int(QDialog::Rejected);
        };
        click(trigger);
        QCOMPARE(dialogs_->screens, QStringList{screen});
        QCOMPARE(named(designer, element)->property("text").toString(), u"Benvenuti & co"_qs);
        QVERIFY(designer.hasUnsavedChanges());
    }

    void pickerSetsTheBackground()
    {
        QTemporaryDir pictures;
        QImage(6, 5, QImage::Format_RGB32).save(pictures.filePath(u"s.bmp"_qs), "BMP");
        Layout1 &designer = loadDesigner();
        dialogs_->screenScripts << [&](QDialog &dialog) {
            auto &picker = static_cast<ImpostaSfondo &>(dialog);
            picker.setFolder(pictures.path());
            auto *files = named<QListWidget>(picker, "File1");
            files->setCurrentItem(files->item(0));
            ::click(picker, "PushButton1");
            return int(QDialog::Rejected);
        };
        click(u"BTn(0)"_qs);
        QCOMPARE(designer.layout().picturePath, pictures.filePath(u"s.bmp"_qs));
        QCOMPARE(designer.backgroundPicture().size(), QSize(6, 5));
    }

    void openingReportsWhatCouldNotBeRead_data()
    {
        QTest::addColumn<QString>("damage"); // a statement, or empty for no archive
        QTest::addColumn<QString>("reported");
        QTest::newRow("damaged field") << update(3, u"DimFont = NULL"_qs) << u"record 3"_qs;
        QTest::newRow("missing picture")
            << update(14, u"PercorsoImmagine = '/non/esiste.jpg'"_qs) << QString();
        QTest::newRow("no archive") << QString() << u"non viene aperta"_qs;
    }

    void openingReportsWhatCouldNotBeRead()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reported);
        const bool opens = !damage.isEmpty();
        QVERIFY(opens ? fixture_->run(u"Totem.mdb"_qs, {damage}) : QFile::remove(totem()));
        if (damage.contains(u"esiste"))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"/non/esiste.jpg"_qs));

        DesignerLoader::openDesigner(state_, *dialogs_, nullptr);
        QCOMPARE(dialogs_->screens, opens ? QStringList{u"Layout1"_qs} : QStringList{});
        if (reported.isEmpty())
            QVERIFY(dialogs_->messages.isEmpty());
        else
            QVERIFY2(dialogs_->alert().contains(reported), qPrintable(dialogs_->alert()));
    }
};

QTEST_MAIN(TestLayout1)
#include "tst_layout1.moc"
