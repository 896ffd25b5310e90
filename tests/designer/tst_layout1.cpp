#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "core/kioskstate.h"
#include "designer/designerloader.h"
#include "designer/layout1.h"
#include "layouttablerows.h"
#include "support/archivefixture.h"
#include "support/scripteddialogs.h"
#include "ui/colorvalue.h"
#include "ui/styledbutton.h"
#include "ui/twips.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

QString indexed(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

template <typename T = QWidget> T *named(QWidget &screen, const QString &name)
{
    T *widget = screen.findChild<T *>(name);
    if (!widget)
        qFatal("no element %s", qPrintable(name));
    return widget;
}

QColor textColour(QWidget &screen, const QString &name, QPalette::ColorRole role)
{
    return named(screen, name)->palette().color(role);
}

QColor standardButtonText(QWidget &screen, const QString &name)
{
    return QApplication::palette(named(screen, name)).color(QPalette::ButtonText);
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A field of the n-th record (from 1) as the archive holds it now.
QVariant stored(const ArchiveFixture &fixture, int record, const QString &field)
{
    RecordSet records;
    records.bind(fixture.path(u"Totem.mdb"_qs), ArchiveSchema::screenLayoutTable());
    records.open();
    for (int n = 1; n < record; ++n)
        records.moveNext();
    return records.value(field);
}

QString updateRecord(int record, const QString &assignments)
{
    return QStringLiteral("UPDATE Layout1 SET %1 WHERE rowid = (SELECT rowid FROM Layout1 "
                          "ORDER BY rowid LIMIT 1 OFFSET %2)")
        .arg(assignments)
        .arg(record - 1);
}

const QColor Red(255, 0, 0);

} // namespace

class TestLayout1 : public QObject
{
    Q_OBJECT

private:
    // A demo installation and a designer loaded from it, fresh for every test.
    std::unique_ptr<ArchiveFixture> fixture_;
    KioskState state_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Layout1> designer_;

    QString totem() const { return fixture_->path(u"Totem.mdb"_qs); }

    Layout1 &loadDesigner()
    {
        designer_ = std::make_unique<Layout1>(state_, *dialogs_);
        QStringList problems;
        DesignerLoader::load(*designer_, state_.archiveFolder, &problems);
        if (!problems.isEmpty())
            qWarning("%s", qPrintable(problems.join(u'\n')));
        designer_->show();
        return *designer_;
    }

    void click(const QString &name)
    {
        QTest::mouseClick(named(*designer_, name), Qt::LeftButton);
    }

    // The first line of the next message screen, which is closed at once.
    void readNextMessageScreen()
    {
        dialogs_->screenScripts << [this](QDialog &screen) {
            messageScreenTexts_ << named<QLabel>(screen, u"Label2(0)"_qs)->text();
            return int(QDialog::Accepted);
        };
    }
    QStringList messageScreenTexts_;

private slots:
    void initTestCase() { QCOMPARE(Twips::logicalDpi(), 96.0); }

    void init()
    {
        fixture_ = std::make_unique<ArchiveFixture>(true);
        QVERIFY(fixture_->isValid());
        state_ = KioskState();
        state_.archiveFolder = fixture_->folder();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        messageScreenTexts_.clear();
    }

    void cleanup() { designer_.reset(); }

    void elementsCarryTheirNamesAndFaces()
    {
        KioskState state;
        ScriptedDialogs dialogs;
        Layout1 designer(state, dialogs);
        QCOMPARE(designer.objectName(), u"Layout1"_qs);
        QCOMPARE(designer.windowTitle(), u"Ijmpostazione Layout Front-End"_qs);
        QCOMPARE(designer.size(), QSize(1219, 715));

        QStringList names{u"Titolo"_qs,    u"Image4"_qs,    u"Image7"_qs,    u"GB0"_qs,
                          u"Image3"_qs,    u"Image6"_qs,    u"Label4(0)"_qs, u"Label4(1)"_qs,
                          u"Label2"_qs,    u"Label3"_qs,    u"Label1(1)"_qs, u"Label10"_qs,
                          u"SSPanel1"_qs,  u"GroupBox2"_qs, u"Image2"_qs};
        for (int i = 0; i < Layout1::PanelCount; ++i) {
            for (const char *name : {"Postazione1", "PB1", "Numero1", "Numero1A", "Label5",
                                     "Label6", "Label7", "Label8", "Image1", "Image5"})
                names << indexed(name, i);
        }
        for (const QString &name : std::as_const(names))
            QVERIFY2(designer.findChild<QWidget *>(name), qPrintable(name));
        for (int i = 0; i < Layout1::PanelCount; ++i)
            QVERIFY(named<StyledButton>(designer, indexed("PB1", i)));
        QCOMPARE(named<QPushButton>(designer, u"PB1(10)"_qs)->text(), u"Coda Unica"_qs);
        QCOMPARE(named<QLabel>(designer, u"Label5(10)"_qs)->text(),
                 u"Postazione chiamata unica"_qs);
        // The title must carry its caption as the text property, the way loading sets it.
        QCOMPARE(named(designer, u"Titolo"_qs)->property("text"), QVariant(u"Titolo"_qs));

        // The picture path is kept out of sight.
        QVERIFY(named(designer, u"Label10"_qs)->y() >= designer.height());

        const QMap<int, QString> toolTips{{0, u" Sfondo "_qs},
                                          {1, u" Colore Sfondo "_qs},
                                          {2, u"Titolo "_qs},
                                          {3, u" Barra Data/Ora"_qs},
                                          {17, u" Chiudi Impostazione Layout "_qs}};
        QVERIFY(!designer.findChild<QWidget *>(u"BTn(5)"_qs));
        for (int index = 0; index < Layout1::ToolButtonCount; ++index) {
            if (index == 5)
                continue;
            auto *button = named<QPushButton>(designer, indexed("BTn", index));
            QVERIFY(button->parentWidget()->objectName() == u"GroupBox2"_qs);
            if (index >= 6 && index <= 15) {
                QCOMPARE(button->text(), QStringLiteral("P%1").arg(index - 5));
                QCOMPARE(button->toolTip(), QStringLiteral(" Postazione %1").arg(index - 5));
            } else if (index == 16) {
                QCOMPARE(button->text(), u"Coda Unica"_qs);
            } else {
                QVERIFY(!button->icon().isNull());
                QCOMPARE(button->toolTip(), toolTips.value(index));
            }
        }
    }

    void loadingGivesTheTitlePanelTheMarksAndThePath()
    {
        QVERIFY(fixture_->run(
            u"Totem.mdb"_qs,
            {updateRecord(1, u"TestoTitolo = 'Comune di Valdoria', DimFont = 8.25, FontItalic = -1"_qs),
             updateRecord(4, u"Visibile = 0"_qs),
             updateRecord(13, u"TestoPulsante = 'Sportello unico'"_qs),
             updateRecord(14, u"PercorsoImmagine = '/non/esiste/sfondo.jpg'"_qs)}));
        Layout1 &designer = loadDesigner();

        auto *title = named<QLabel>(designer, u"Titolo"_qs);
        QCOMPARE(title->text(), u"Comune di Valdoria"_qs);
        QCOMPARE(title->pos(), QPoint(43, 16));
        QCOMPARE(title->font().family(), u"DejaVu Sans"_qs);
        QCOMPARE(title->font().pointSizeF(), 8.25);
        QVERIFY(title->font().bold() && title->font().italic());
        QCOMPARE(title->palette().color(QPalette::Window), QColor(20, 66, 114));
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(!title->isHidden());

        QVERIFY(named(designer, u"Postazione1(1)"_qs)->isHidden());
        for (int i = 0; i < Layout1::PanelCount; ++i) {
            const QString button = indexed("BTn", i + 6);
            QCOMPARE(textColour(designer, button, QPalette::ButtonText),
                     i == 1 ? standardButtonText(designer, button) : Red);
        }
        QCOMPARE(named<QPushButton>(designer, u"PB1(10)"_qs)->text(), u"Sportello unico"_qs);
        // A picture that cannot be loaded still leaves its path to be saved back.
        QCOMPARE(designer.picturePath(), u"/non/esiste/sfondo.jpg"_qs);
        QVERIFY(designer.backgroundPicture().isNull());
    }

    void noStoredPictureLeavesThePathEmpty()
    {
        Layout1 &designer = loadDesigner();
        QVERIFY(designer.picturePath().isEmpty());
        designer.save();
        QCOMPARE(stored(*fixture_, 14, u"PercorsoImmagine"_qs), QVariant(u""_qs));
    }

    void savingUnchangedLeavesTheTableAsItWas_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::newRow("demo") << QStringList{};
        // Places off the 15-twips pixel grid, a hidden panel parked at 17000, odd sizes.
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
        readNextMessageScreen();

        Layout1 &designer = loadDesigner();
        click(u"BTn(4)"_qs);

        QCOMPARE(layoutTableRows(totem()), before);
        QCOMPARE(dialogs_->screens, QStringList{u"MsgForm"_qs});
        QCOMPARE(messageScreenTexts_, QStringList{u"Memorizzazione effettuata !"_qs});
        QVERIFY(dialogs_->messages.isEmpty());
        QVERIFY(designer.isVisible());
    }

    void showAndHideParkAndMarkTheElements()
    {
        Layout1 &designer = loadDesigner();
        QWidget *panel = named(designer, u"Postazione1(1)"_qs);

        click(u"BTn(7)"_qs);
        QVERIFY(panel->isHidden());
        QCOMPARE(designer.positions().position(*panel), QPointF(0, 17000));
        QCOMPARE(textColour(designer, u"BTn(7)"_qs, QPalette::ButtonText),
                 standardButtonText(designer, u"BTn(7)"_qs));

        click(u"BTn(7)"_qs);
        QVERIFY(!panel->isHidden());
        QCOMPARE(panel->pos(), QPoint(0, 0));
        QCOMPARE(textColour(designer, u"BTn(7)"_qs, QPalette::ButtonText), Red);

        click(u"BTn(7)"_qs); // parked again
        click(u"BTn(2)"_qs); // the title hidden
        click(u"BTn(3)"_qs); // the bar hidden ...
        click(u"BTn(3)"_qs); // ... and shown at the corner
        QCOMPARE(textColour(designer, u"BTn(8)"_qs, QPalette::ButtonText), Red);
        designer.save();

        QCOMPARE(stored(*fixture_, 4, u"Visibile"_qs), QVariant(false));
        QCOMPARE(stored(*fixture_, 4, u"top"_qs), QVariant(17000.0f));
        QCOMPARE(stored(*fixture_, 4, u"left"_qs), QVariant(0.0f));
        QCOMPARE(stored(*fixture_, 1, u"Visibile"_qs), QVariant(false));
        QCOMPARE(stored(*fixture_, 1, u"top"_qs), QVariant(17000.0f));
        QCOMPARE(stored(*fixture_, 2, u"Visibile"_qs), QVariant(true));
        QCOMPARE(stored(*fixture_, 2, u"top"_qs), QVariant(0.0f));
        QCOMPARE(stored(*fixture_, 2, u"left"_qs), QVariant(0.0f));
        QCOMPARE(stored(*fixture_, 5, u"Visibile"_qs), QVariant(true));
    }

    void fixedTextsAreSavedFromTheFirstPanelAndTheBarsDateLabel()
    {
        Layout1 &designer = loadDesigner();
        setColour(named(designer, u"Label5(0)"_qs), QPalette::WindowText, QColor(0, 128, 0));
        setColour(named(designer, u"Label5(3)"_qs), QPalette::WindowText, Red);
        setColour(named(designer, u"Label8(10)"_qs), QPalette::WindowText, QColor(0, 0, 255));
        setColour(named(designer, u"Label4(0)"_qs), QPalette::WindowText, QColor(1, 2, 3));
        setColour(named(designer, u"Label3"_qs), QPalette::WindowText, QColor(7, 7, 7));
        designer.save();

        for (int record = 3; record <= 13; ++record)
            QCOMPARE(stored(*fixture_, record, u"ColoreTestiFissi"_qs),
                     QVariant(ColorValue::fromColor(QColor(0, 128, 0))));
        QCOMPARE(stored(*fixture_, 2, u"ColoreTestiFissi"_qs),
                 QVariant(ColorValue::fromColor(QColor(1, 2, 3))));
    }

    void onlyTheSingleQueueCaptionIsSaved()
    {
        const QStringList before = layoutTableRows(totem());
        Layout1 &designer = loadDesigner();
        named<QPushButton>(designer, u"PB1(3)"_qs)->setText(u"Anagrafe"_qs);
        named<QPushButton>(designer, u"PB1(10)"_qs)->setText(u"Tutti gli sportelli"_qs);
        designer.save();

        QCOMPARE(stored(*fixture_, 13, u"TestoPulsante"_qs), QVariant(u"Tutti gli sportelli"_qs));
        const QStringList after = layoutTableRows(totem());
        for (int record = 1; record <= 12; ++record)
            QCOMPARE(after[record - 1], before[record - 1]);
    }

    void closingWritesNothing()
    {
        const QStringList before = layoutTableRows(totem());
        Layout1 &designer = loadDesigner();
        click(u"BTn(7)"_qs);
        click(u"BTn(2)"_qs);
        click(u"BTn(17)"_qs);

        QVERIFY(!designer.isVisible());
        QCOMPARE(designer.result(), int(QDialog::Rejected));
        QCOMPARE(layoutTableRows(totem()), before);
        QVERIFY(dialogs_->messages.isEmpty() && dialogs_->screens.isEmpty());
    }

    void aFailedSaveSaysWhichRecordAndKeepsThoseBefore()
    {
        QVERIFY(fixture_->run(u"Totem.mdb"_qs,
                              {u"DELETE FROM Layout1 WHERE rowid IN (SELECT rowid FROM Layout1 "
                               u"ORDER BY rowid DESC LIMIT 2)"_qs}));
        Layout1 &designer = loadDesigner();
        click(u"BTn(2)"_qs); // hides the title: record 1 changes
        click(u"BTn(4)"_qs);

        QCOMPARE(dialogs_->messages.size(), 1);
        const ScriptedDialogs::Message &message = dialogs_->messages.first();
        QCOMPARE(message.kind, Dialogs::Kind::Critical);
        QCOMPARE(message.title, u"ATTENZIONE"_qs);
        QVERIFY2(message.text.contains(u"Il record 13 di 14 (pannello della coda unica) non è "
                                       u"stato memorizzato"_qs),
                 qPrintable(message.text));
        QVERIFY(dialogs_->screens.isEmpty()); // no "Memorizzazione effettuata !"
        QCOMPARE(stored(*fixture_, 1, u"Visibile"_qs), QVariant(false));
        QVERIFY(designer.isVisible());

        // The archive gone altogether.
        QVERIFY(QFile::remove(totem()));
        designer.save();
        QCOMPARE(dialogs_->messages.size(), 2);
        QVERIFY2(dialogs_->messages.last().text.contains(u"non può essere aperta"_qs),
                 qPrintable(dialogs_->messages.last().text));
    }

    void openingReportsWhatCouldNotBeRead_data()
    {
        QTest::addColumn<QStringList>("damage");
        QTest::addColumn<bool>("removeArchive");
        QTest::addColumn<QString>("reported"); // empty: nothing
        QTest::addColumn<bool>("opened");
        QTest::newRow("demo") << QStringList{} << false << QString() << true;
        QTest::newRow("damaged field") << QStringList{updateRecord(3, u"DimFont = NULL"_qs)}
                                       << false << u"record 3"_qs << true;
        QTest::newRow("no archive") << QStringList{} << true << u"non viene aperta"_qs << false;
    }

    void openingReportsWhatCouldNotBeRead()
    {
        QFETCH(QStringList, damage);
        QFETCH(bool, removeArchive);
        QFETCH(QString, reported);
        QFETCH(bool, opened);
        if (!damage.isEmpty())
            QVERIFY(fixture_->run(u"Totem.mdb"_qs, damage));
        if (removeArchive)
            QVERIFY(QFile::remove(totem()));

        QString titleWhenShown;
        dialogs_->screenScripts << [&titleWhenShown](QDialog &screen) {
            titleWhenShown = named<QLabel>(screen, u"Titolo"_qs)->text();
            return int(QDialog::Accepted);
        };
        const int result = DesignerLoader::openDesigner(state_, *dialogs_, nullptr);

        QCOMPARE(dialogs_->screens, opened ? QStringList{u"Layout1"_qs} : QStringList{});
        QCOMPARE(result, int(opened ? QDialog::Accepted : QDialog::Rejected));
        if (opened)
            QCOMPARE(titleWhenShown, stored(*fixture_, 1, u"TestoTitolo"_qs).toString());
        if (reported.isEmpty()) {
            QVERIFY(dialogs_->messages.isEmpty());
            return;
        }
        QCOMPARE(dialogs_->messages.size(), 1);
        QCOMPARE(dialogs_->messages.first().kind, Dialogs::Kind::Critical);
        QCOMPARE(dialogs_->messages.first().title, u"ATTENZIONE"_qs);
        QVERIFY2(dialogs_->messages.first().text.contains(reported),
                 qPrintable(dialogs_->messages.first().text));
    }

    void dialogCommandsAreAnnounced()
    {
        Layout1 &designer = loadDesigner();
        QSignalSpy picker(&designer, &Layout1::backgroundPickerRequested);
        QSignalSpy element(&designer, &Layout1::elementDialogRequested);
        QSignalSpy buttons(&designer, &Layout1::buttonDialogRequested);

        click(u"BTn(0)"_qs);
        click(u"BTn(1)"_qs);
        click(u"Image7"_qs);
        click(u"Image6"_qs);
        click(u"Image5(4)"_qs);
        click(u"Image5(10)"_qs);

        QCOMPARE(picker.count(), 1);
        QCOMPARE(buttons.count(), 2);
        QCOMPARE(element.count(), 3);
        QCOMPARE(element.at(0).at(0).value<Layout1::ElementMode>(), Layout1::ElementMode::ScreenColour);
        QCOMPARE(element.at(1).at(0).value<Layout1::ElementMode>(), Layout1::ElementMode::Title);
        QCOMPARE(element.at(2).at(0).value<Layout1::ElementMode>(), Layout1::ElementMode::Bar);
        QVERIFY(dialogs_->messages.isEmpty() && dialogs_->screens.isEmpty());
    }
};

QTEST_MAIN(TestLayout1)
#include "tst_layout1.moc"
