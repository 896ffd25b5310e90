#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "core/kioskstate.h"
#include "designer/designerloader.h"
#include "designer/layout1.h"
#include "designertesting.h"
#include "support/archivefixture.h"
#include "support/scripteddialogs.h"
#include "ui/colorvalue.h"
#include "ui/twips.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString updateRecord(int record, const QString &assignments)
{
    return QStringLiteral("UPDATE Layout1 SET %1 WHERE rowid = %2").arg(assignments).arg(record);
}

const QColor Red(255, 0, 0);

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

    QColor colour(const QString &name, QPalette::ColorRole role)
    {
        return named(*designer_, name)->palette().color(role);
    }

    QColor standardButtonText()
    {
        return QApplication::palette("QPushButton").color(QPalette::ButtonText);
    }

    // A field of the n-th record as the archive holds it now.
    QVariant stored(int record, const QString &field)
    {
        RecordSet records;
        records.bind(totem(), ArchiveSchema::screenLayoutTable());
        records.open();
        for (int n = 1; n < record; ++n)
            records.moveNext();
        return records.value(field);
    }

private slots:
    void initTestCase() { QCOMPARE(Twips::logicalDpi(), 96.0); }

    void init()
    {
        fixture_ = std::make_unique<ArchiveFixture>(true);
        QVERIFY(fixture_->isValid());
        state_.archiveFolder = fixture_->folder();
        dialogs_ = std::make_unique<ScriptedDialogs>();
    }

    void cleanup() { designer_.reset(); }

    void loadingFillsTheTitlePanelTheMarksAndThePathAndClosingWritesNothing()
    {
        Layout1 &designer = loadDesigner(
            {updateRecord(1, u"TestoTitolo = 'Anagrafe', DimFont = 8.25, FontItalic = -1"_qs),
             updateRecord(4, u"Visibile = 0"_qs),
             updateRecord(13, u"TestoPulsante = 'Sportello unico'"_qs),
             updateRecord(14, u"PercorsoImmagine = '/non/esiste/sfondo.jpg'"_qs)});

        auto *title = named<QLabel>(designer, u"Titolo"_qs);
        QCOMPARE(title->text(), u"Anagrafe"_qs);
        QCOMPARE(title->font().pointSizeF(), 8.25);
        QVERIFY(title->font().italic());

        QVERIFY(named(designer, u"Postazione1(1)"_qs)->isHidden());
        for (int i = 0; i < Layout1::PanelCount; ++i)
            QCOMPARE(colour(QStringLiteral("BTn(%1)").arg(i + 6), QPalette::ButtonText),
                     i == 1 ? standardButtonText() : Red);
        QCOMPARE(named<QPushButton>(designer, u"PB1(10)"_qs)->text(), u"Sportello unico"_qs);
        // A picture that cannot be loaded still leaves its path to be saved back.
        QCOMPARE(designer.picturePath(), u"/non/esiste/sfondo.jpg"_qs);
        QVERIFY(designer.backgroundPicture().isNull());

        // Closing writes nothing, whatever was changed.
        const QStringList before = layoutTableRows(totem());
        click(u"BTn(7)"_qs);
        click(u"BTn(17)"_qs);
        QVERIFY(!designer.isVisible());
        QCOMPARE(designer.result(), int(QDialog::Rejected));
        QCOMPARE(layoutTableRows(totem()), before);
        QVERIFY(dialogs_->messages.isEmpty() && dialogs_->screens.isEmpty());
    }

    void savingUnchangedLeavesTheTableAsItWas_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::newRow("demo") << QStringList{};
        // Places off the 15-twips pixel grid, hidden elements parked at 17000, an unknown
        // style, an empty caption, a picture that is not there.
        QTest::newRow("off the pixel grid")
            << QStringList{updateRecord(1, u"\"left\" = 650, top = 247, DimFont = 8.25"_qs),
                           updateRecord(2, u"Visibile = 0"_qs),
                           updateRecord(4, u"Visibile = 0, top = 17000, \"left\" = 0"_qs),
                           updateRecord(7, u"top = 2161.5, Appearance = 9"_qs),
                           updateRecord(13, u"TestoPulsante = ''"_qs),
                           updateRecord(14, u"PercorsoImmagine = '/non/esiste.jpg'"_qs)};
    }

    void savingUnchangedLeavesTheTableAsItWas()
    {
        QFETCH(QStringList, changes);
        if (!changes.isEmpty())
            QVERIFY(fixture_->run(u"Totem.mdb"_qs, changes));
        const QStringList before = layoutTableRows(totem());
        QString notice;
        dialogs_->screenScripts << [&notice](QDialog &screen) {
            notice = named<QLabel>(screen, u"Label2(0)"_qs)->text();
            return int(QDialog::Accepted);
        };

        Layout1 &designer = loadDesigner();
        click(u"BTn(4)"_qs);

        QCOMPARE(layoutTableRows(totem()), before);
        QCOMPARE(dialogs_->screens, QStringList{u"MsgForm"_qs});
        QCOMPARE(notice, u"Memorizzazione effettuata !"_qs);
        QVERIFY(dialogs_->messages.isEmpty());
        QVERIFY(designer.isVisible());
    }

    void showAndHideParkAndMarkTheElements()
    {
        Layout1 &designer = loadDesigner();
        QWidget *panel = named(designer, u"Postazione1(1)"_qs);

        click(u"BTn(7)"_qs);
        QVERIFY(panel->isHidden());
        QCOMPARE(colour(u"BTn(7)"_qs, QPalette::ButtonText), standardButtonText());
        click(u"BTn(7)"_qs);
        QVERIFY(!panel->isHidden());
        QCOMPARE(panel->pos(), QPoint(0, 0));
        QCOMPARE(colour(u"BTn(7)"_qs, QPalette::ButtonText), Red);

        click(u"BTn(7)"_qs); // parked again
        click(u"BTn(2)"_qs); // the title parked
        click(u"BTn(3)"_qs); // the bar parked ...
        click(u"BTn(3)"_qs); // ... and shown at the corner
        designer.save();

        QCOMPARE(stored(4, u"Visibile"_qs), QVariant(false));
        QCOMPARE(stored(4, u"top"_qs), QVariant(17000.0f));
        QCOMPARE(stored(4, u"left"_qs), QVariant(0.0f));
        QCOMPARE(stored(1, u"Visibile"_qs), QVariant(false));
        QCOMPARE(stored(1, u"top"_qs), QVariant(17000.0f));
        QCOMPARE(stored(2, u"Visibile"_qs), QVariant(true));
        QCOMPARE(stored(2, u"top"_qs), QVariant(0.0f));
    }

    void fixedTextsAreSavedFromTheFirstPanelAndOnlyTheQueueCaption()
    {
        const QStringList before = layoutTableRows(totem());
        Layout1 &designer = loadDesigner();
        const auto paint = [&designer](const QString &name, const QColor &colour) {
            QWidget *label = named(designer, name);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, colour);
            label->setPalette(palette);
        };
        paint(u"Label5(3)"_qs, Red);
        paint(u"Label5(0)"_qs, QColor(0, 128, 0));
        paint(u"Label8(10)"_qs, QColor(0, 0, 255));
        named<QPushButton>(designer, u"PB1(3)"_qs)->setText(u"Anagrafe"_qs);
        named<QPushButton>(designer, u"PB1(10)"_qs)->setText(u"Tutti gli sportelli"_qs);
        designer.save();

        for (int record = 3; record <= 13; ++record)
            QCOMPARE(stored(record, u"ColoreTestiFissi"_qs),
                     QVariant(ColorValue::fromColor(QColor(0, 128, 0))));
        QCOMPARE(stored(13, u"TestoPulsante"_qs), QVariant(u"Tutti gli sportelli"_qs));
        const QStringList after = layoutTableRows(totem());
        for (const int record : {1, 2, 14})
            QCOMPARE(after[record - 1], before[record - 1]);
        QVERIFY(after[5].contains(u"TestoPulsante=NULL"_qs));
    }

    void openingReportsWhatCouldNotBeRead_data()
    {
        QTest::addColumn<QString>("damage");   // a statement, or "remove" for no archive
        QTest::addColumn<QString>("reported"); // empty: nothing
        QTest::newRow("damaged field") << updateRecord(3, u"DimFont = NULL"_qs) << u"record 3"_qs;
        QTest::newRow("no archive") << u"remove"_qs << u"non viene aperta"_qs;
    }

    void openingReportsWhatCouldNotBeRead()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reported);
        const bool opens = damage != u"remove"_qs;
        if (!opens)
            QVERIFY(QFile::remove(totem()));
        else if (!damage.isEmpty())
            QVERIFY(fixture_->run(u"Totem.mdb"_qs, {damage}));

        QString titleWhenShown;
        dialogs_->screenScripts << [&titleWhenShown](QDialog &screen) {
            titleWhenShown = named<QLabel>(screen, u"Titolo"_qs)->text();
            return int(QDialog::Accepted);
        };
        const int result = DesignerLoader::openDesigner(state_, *dialogs_, nullptr);

        QCOMPARE(result, int(opens ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(dialogs_->screens, opens ? QStringList{u"Layout1"_qs} : QStringList{});
        if (opens)
            QCOMPARE(titleWhenShown, stored(1, u"TestoTitolo"_qs).toString());
        if (reported.isEmpty())
            QVERIFY(dialogs_->messages.isEmpty());
        else
            QVERIFY2(dialogs_->alert().contains(reported), qPrintable(dialogs_->alert()));
    }

    void dialogCommandsOpenTheirDialogs()
    {
        Layout1 &designer = loadDesigner();
        QSignalSpy picker(&designer, &Layout1::backgroundPickerRequested);
        QSignalSpy element(&designer, &Layout1::elementDialogRequested);
        QSignalSpy buttons(&designer, &Layout1::buttonDialogRequested);
        for (const char *name : {"BTn(0)", "BTn(1)", "Image7", "Image6", "Image5(4)", "Image5(10)"})
            click(QLatin1String(name));

        QCOMPARE(picker.count(), 1);
        QCOMPARE(buttons.count(), 2);
        QCOMPARE(element.count(), 3);
        using Mode = Layout1::ElementMode;
        QCOMPARE(element.at(0).at(0).value<Mode>(), Mode::ScreenColour);
        QCOMPARE(element.at(1).at(0).value<Mode>(), Mode::Title);
        QCOMPARE(element.at(2).at(0).value<Mode>(), Mode::Bar);
        // Each one is shown modally over the designer.
        QCOMPARE(dialogs_->screens.mid(dialogs_->screens.size() - 6),
                 (QStringList{QStringLiteral("ImpostaSfondo"), QStringLiteral("Form1"),
                              QStringLiteral("Form1"), QStringLiteral("Form1"),
                              QStringLiteral("Form2"), QStringLiteral("Form2")}));
    }
};

QTEST_MAIN(TestLayout1)
#include "tst_layout1.moc"
