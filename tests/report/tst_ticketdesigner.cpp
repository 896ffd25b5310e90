#include "report/ticketdesigner.h"

#include "support/manualclock.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestTicketDesigner : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    ScriptedDialogs dialogs_;
    ManualClock clock_;
    std::unique_ptr<TicketDesigner> designer_;

    void open(const QString &path = QString())
    {
        const QList<DataItem> sample = {{u"ID"_qs, u"1"_qs, DataItem::Number},
                                        {u"Titolo"_qs, u"Ufficio Tributi"_qs, DataItem::Text}};
        designer_ = std::make_unique<TicketDesigner>(
            dialogs_, clock_, path.isEmpty() ? dir_->filePath(u"Ticket.lbl"_qs) : path,
            TicketProject::defaultTicket(), sample);
        designer_->show();
    }
    // A missing widget ends the test at its first use.
    template <typename T> T *child(const char *name)
    {
        return designer_->findChild<T *>(QLatin1String(name));
    }
    void click(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    QStringList templates() const
    {
        QStringList texts;
        for (const TicketItem &item : designer_->project().items)
            texts << item.text;
        return texts;
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_ = ScriptedDialogs();
    }

    void editsReachTheProjectThePreviewAndTheFile()
    {
        const QString path = dir_->filePath(u"Ticket.lbl"_qs);
        open();
        auto *list = child<QListWidget>("items");
        list->setCurrentRow(2);
        child<QLineEdit>("template")->setText(u"N. {NumeroDaStampare} "_qs);
        auto *names = child<QComboBox>("dataItems");
        names->setCurrentIndex(names->findText(u"Titolo"_qs));
        QCOMPARE(names->currentIndex(), -1); // ready for the next insertion
        QCOMPARE(templates().at(2), u"N. {NumeroDaStampare} {Titolo}"_qs);

        child<QDoubleSpinBox>("fontSize")->setValue(20);
        child<QDoubleSpinBox>("width")->setValue(30);
        child<QComboBox>("alignment")->setCurrentIndex(2);
        const TicketItem &item = designer_->project().items.at(2);
        QVERIFY(item.fontSize == 20 && item.box.width() == 30
                && item.alignment == (Qt::AlignRight | Qt::AlignVCenter));
        // Showing another item must not write its values into the one left.
        list->setCurrentRow(0);
        QCOMPARE(designer_->project().items.at(2).fontSize, 20.0);
        QCOMPARE(child<QLineEdit>("template")->text(), u"{Titolo}"_qs);
        // A PDF folder chosen, then a cancelled choice, keep the folder; saving writes it all.
        auto *printer = child<QComboBox>("printer");
        for (const auto &folder : {std::optional(dir_->path()), std::optional<QString>()}) {
            dialogs_.folders << folder;
            printer->setCurrentIndex(printer->count() - 1);
            QCOMPARE(designer_->project().printer, u"pdf:"_qs + dir_->path());
        }
        click("save");
        QCOMPARE(designer_->result(), int(QDialog::Accepted));
        QCOMPARE(TicketProject::load(path), designer_->project());
        QVERIFY(dialogs_.messages.isEmpty() && dialogs_.questions.isEmpty());

        open(path + u"/Ticket.lbl"_qs); // a folder that is a file cannot hold it
        click("save");
        QVERIFY(dialogs_.alert().startsWith(u"Non è stato possibile salvare il progetto"_qs));
        QVERIFY(designer_->isVisible());
    }

    // The thermal printers spoken to directly, the roll widths and the test print, which
    // reaches the chosen printer as the project stands, saved or not.
    void printerChoicesAndTestPrint()
    {
        open();
        auto *printer = child<QComboBox>("printer");
        auto *address = child<QLineEdit>("printerAddress");
        printer->setCurrentIndex(printer->findText(u"Stampante termica in rete (ESC/POS)"_qs));
        QTest::keyClicks(address, u"10.0.0.7:9101"_qs);
        child<QCheckBox>("cut")->setChecked(false);
        click("paper58");
        QCOMPARE(designer_->project().printer, u"escpos:tcp://10.0.0.7:9101"_qs);
        QVERIFY(!designer_->project().cut && designer_->project().paperSize.width() == 58);

        dialogs_.folders << dir_->path();
        printer->setCurrentIndex(printer->count() - 1);
        click("testPrint");
        QCOMPARE(dialogs_.messageTexts(), {u"Stampa di prova inviata alla stampante."_qs});
        QCOMPARE(QDir(dir_->path()).entryList({u"*-000.pdf"_qs}).size(), 1);
        QVERIFY(!QFile::exists(dir_->filePath(u"Ticket.lbl"_qs)));
        dialogs_.messages.clear();
        QVERIFY(dir_->remove());
        click("testPrint");
        QVERIFY(dialogs_.alert().startsWith(u"La stampa di prova non è riuscita."_qs));
    }

    void addRemoveAndMoveItems()
    {
        open();
        const QStringList original = templates();
        const int last = int(original.size()) - 1;
        click("add");
        QCOMPARE(templates(), original + QStringList{u"Nuovo testo"_qs});
        // Below the others, the paper lengthened to hold it.
        const TicketProject &project = designer_->project();
        QVERIFY(project.items.last().box.top() >= project.items.at(last).box.bottom()
                && project.items.last().box.bottom() <= project.paperSize.height());
        click("moveUp");
        QCOMPARE(templates().at(last), u"Nuovo testo"_qs);
        click("moveDown");
        click("remove");
        QCOMPARE(templates(), original);
        QCOMPARE(child<QListWidget>("items")->currentRow(), last);
        child<QListWidget>("items")->setCurrentRow(0);
        QVERIFY(!child<QPushButton>("moveUp")->isEnabled());
        for (int i = 0; i <= last; ++i)
            click("remove");
        QVERIFY(!child<QPushButton>("remove")->isEnabled()
                && !child<QLineEdit>("template")->isEnabled());
    }

    // Escape never closes; Chiudi closes without asking; the window's own close asks only
    // when something is unsaved, and No keeps the designer open.
    void closingLosesEditsOnlyWhenAsked()
    {
        open();
        QVERIFY(designer_->close() && dialogs_.questions.isEmpty()); // nothing to lose
        designer_->show();
        child<QLineEdit>("template")->setText(u"Ufficio {Titolo}"_qs);
        QTest::keyClick(designer_.get(), Qt::Key_Escape);
        QVERIFY(designer_->isVisible() && dialogs_.questions.isEmpty());
        dialogs_.answers = {Dialogs::Answer::No, Dialogs::Answer::Yes};
        QVERIFY(!designer_->close() && designer_->isVisible());
        QCOMPARE(dialogs_.questions.value(0).text,
                 u"Le modifiche non salvate andranno perse. Chiudere?"_qs);
        QVERIFY(designer_->close() && !designer_->isVisible());
        designer_->show();
        click("close");
        QVERIFY(!designer_->isVisible() && !QFile::exists(dir_->filePath(u"Ticket.lbl"_qs)));
        QCOMPARE(dialogs_.questions.size(), 2);
    }
};

QTEST_MAIN(TestTicketDesigner)
#include "tst_ticketdesigner.moc"
