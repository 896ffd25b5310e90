#include "report/ticketdesigner.h"

#include "support/scripteddialogs.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestTicketDesigner : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void showsTheProjectAndItsSampleData();
    void editsReachTheProjectAndThePreview();
    void addRemoveAndMoveItems();
    void printerCanBeAPdfFolder();
    void saveWritesTheProjectAndCloses();
    void failedSaveIsReportedAndDesignerStays();

private:
    TicketDesigner &open(const QString &path);
    template <typename T> T *child(const char *name)
    {
        T *widget = designer_->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }
    void click(const QString &caption);
    QStringList templates() const;
    QImage preview();

    std::unique_ptr<QTemporaryDir> dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TicketDesigner> designer_;
};

static QList<DataItem> sample()
{
    return {{QStringLiteral("ID"), QStringLiteral("1"), DataItem::Number},
            {QStringLiteral("Titolo"), QStringLiteral("Ufficio Tributi"), DataItem::Text},
            {QStringLiteral("QualeUtente"), QStringLiteral("Anna Bianchi"), DataItem::Text},
            {QStringLiteral("NumeroDaStampare"), QStringLiteral("7"), DataItem::Number}};
}

void TestTicketDesigner::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    dialogs_ = ScriptedDialogs();
    designer_.reset();
}

TicketDesigner &TestTicketDesigner::open(const QString &path)
{
    designer_ =
        std::make_unique<TicketDesigner>(dialogs_, path, TicketProject::defaultTicket(), sample());
    designer_->show();
    return *designer_;
}

void TestTicketDesigner::click(const QString &caption)
{
    for (QPushButton *button : designer_->findChildren<QPushButton *>()) {
        if (button->text() == caption)
            return QTest::mouseClick(button, Qt::LeftButton);
    }
    QFAIL(qPrintable(caption));
}

QStringList TestTicketDesigner::templates() const
{
    QStringList texts;
    for (const TicketItem &item : designer_->project().items)
        texts << item.text;
    return texts;
}

QImage TestTicketDesigner::preview()
{
    return child<QLabel>("preview")->pixmap().toImage();
}

void TestTicketDesigner::showsTheProjectAndItsSampleData()
{
    open(dir_->filePath(QStringLiteral("Ticket.lbl")));
    QCOMPARE(designer_->objectName(), QStringLiteral("TicketDesigner"));
    auto *list = child<QListWidget>("items");
    QCOMPARE(list->count(), TicketProject::defaultTicket().items.size());
    for (int i = 0; i < list->count(); ++i)
        QCOMPARE(list->item(i)->text(), TicketProject::defaultTicket().items.at(i).text);
    QCOMPARE(child<QLineEdit>("template")->text(), QStringLiteral("{Titolo}"));

    // The sample names, then what the project uses beyond them.
    auto *names = child<QComboBox>("dataItems");
    QStringList listed;
    for (int i = 0; i < names->count(); ++i)
        listed << names->itemText(i);
    QCOMPARE(listed.mid(0, 4),
             QStringList({QStringLiteral("ID"), QStringLiteral("Titolo"),
                          QStringLiteral("QualeUtente"), QStringLiteral("NumeroDaStampare")}));
    QVERIFY(listed.contains(QStringLiteral("QualePostazione")));
    QCOMPARE(preview().size(), QSize(400, 450)); // 80 x 90 mm
}

void TestTicketDesigner::editsReachTheProjectAndThePreview()
{
    open(dir_->filePath(QStringLiteral("Ticket.lbl")));
    auto *list = child<QListWidget>("items");
    auto *text = child<QLineEdit>("template");
    list->setCurrentRow(2);
    QCOMPARE(text->text(), QStringLiteral("{NumeroDaStampare}"));

    const QImage before = preview();
    text->setText(QStringLiteral("N. {NumeroDaStampare} "));
    auto *names = child<QComboBox>("dataItems");
    names->setCurrentIndex(names->findText(QStringLiteral("Titolo")));
    QCOMPARE(names->currentIndex(), -1); // ready for the next insertion
    QCOMPARE(designer_->project().items.at(2).text,
             QStringLiteral("N. {NumeroDaStampare} {Titolo}"));
    QCOMPARE(list->item(2)->text(), QStringLiteral("N. {NumeroDaStampare} {Titolo}"));
    QVERIFY(preview() != before);

    child<QDoubleSpinBox>("fontSize")->setValue(20);
    child<QDoubleSpinBox>("width")->setValue(30);
    child<QComboBox>("alignment")->setCurrentIndex(2);
    const TicketItem &item = designer_->project().items.at(2);
    QCOMPARE(item.fontSize, 20.0);
    QCOMPARE(item.box.width(), 30.0);
    QCOMPARE(item.alignment, Qt::AlignRight | Qt::AlignVCenter);

    // Selecting another item shows it without touching the one left.
    list->setCurrentRow(0);
    QCOMPARE(child<QDoubleSpinBox>("fontSize")->value(), 12.0);
    QCOMPARE(designer_->project().items.at(2).fontSize, 20.0);
}

void TestTicketDesigner::addRemoveAndMoveItems()
{
    open(dir_->filePath(QStringLiteral("Ticket.lbl")));
    const QStringList original = templates();
    auto *list = child<QListWidget>("items");

    click(QStringLiteral("Aggiungi"));
    QCOMPARE(templates(), original + QStringList{QStringLiteral("Nuovo testo")});
    QCOMPARE(list->currentRow(), original.size());
    const QRectF box = designer_->project().items.last().box;
    QVERIFY(box.top() >= designer_->project().items.at(original.size() - 1).box.bottom());
    QVERIFY(box.bottom() <= designer_->project().paperSize.height());
    QCOMPARE(child<QDoubleSpinBox>("paperHeight")->value(),
             designer_->project().paperSize.height());
    QVERIFY(!child<QPushButton>("moveDown")->isEnabled());

    click(QStringLiteral("Su"));
    QCOMPARE(templates().at(original.size() - 1), QStringLiteral("Nuovo testo"));
    QCOMPARE(list->currentRow(), original.size() - 1);
    QCOMPARE(child<QLineEdit>("template")->text(), QStringLiteral("Nuovo testo"));
    click(QStringLiteral("Giù"));
    click(QStringLiteral("Rimuovi"));
    QCOMPARE(templates(), original);
    QCOMPARE(list->currentRow(), original.size() - 1);

    list->setCurrentRow(0);
    QVERIFY(!child<QPushButton>("moveUp")->isEnabled());
    for (int i = 0; i < original.size(); ++i)
        click(QStringLiteral("Rimuovi"));
    QVERIFY(templates().isEmpty());
    QVERIFY(!child<QPushButton>("remove")->isEnabled());
    QVERIFY(!child<QLineEdit>("template")->isEnabled());
}

void TestTicketDesigner::printerCanBeAPdfFolder()
{
    open(dir_->filePath(QStringLiteral("Ticket.lbl")));
    auto *printer = child<QComboBox>("printer");
    QCOMPARE(printer->currentText(), QStringLiteral("Stampante predefinita del sistema"));
    const auto choosePdf = [&] {
        printer->setCurrentIndex(printer->findText(QStringLiteral("Cartella PDF…")));
    };

    dialogs_.folders << dir_->path();
    choosePdf();
    QCOMPARE(dialogs_.prompts, QStringList{QStringLiteral("Cartella dei ticket in PDF")});
    QCOMPARE(designer_->project().printer, QStringLiteral("pdf:") + dir_->path());
    QVERIFY(printer->currentText().contains(QDir::toNativeSeparators(dir_->path())));

    dialogs_.folders << std::nullopt;
    choosePdf();
    QCOMPARE(designer_->project().printer, QStringLiteral("pdf:") + dir_->path());
    QVERIFY(printer->currentText().contains(QDir::toNativeSeparators(dir_->path())));

    printer->setCurrentIndex(0);
    QCOMPARE(designer_->project().printer, QString());
    dialogs_.folders << std::nullopt;
    choosePdf();
    QCOMPARE(designer_->project().printer, QString());
    QCOMPARE(printer->currentIndex(), 0);
}

void TestTicketDesigner::saveWritesTheProjectAndCloses()
{
    const QString path = dir_->filePath(QStringLiteral("Ticket.lbl"));
    open(path);
    child<QLineEdit>("template")->setText(QStringLiteral("Ufficio {Titolo}"));
    child<QDoubleSpinBox>("paperHeight")->setValue(120);

    click(QStringLiteral("Chiudi"));
    QCOMPARE(designer_->result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(path));

    designer_->show();
    click(QStringLiteral("Salva"));
    QCOMPARE(designer_->result(), int(QDialog::Accepted));
    QVERIFY(dialogs_.messages.isEmpty());
    const TicketProject saved = TicketProject::load(path);
    QCOMPARE(saved, designer_->project());
    QCOMPARE(saved.items.first().text, QStringLiteral("Ufficio {Titolo}"));
    QCOMPARE(saved.paperSize.height(), 120.0);
}

void TestTicketDesigner::failedSaveIsReportedAndDesignerStays()
{
    QFile blocker(dir_->filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    open(blocker.fileName() + QStringLiteral("/Ticket.lbl"));

    click(QStringLiteral("Salva"));
    QCOMPARE(dialogs_.messages.size(), 1);
    QCOMPARE(dialogs_.messages[0].kind, Dialogs::Kind::Critical);
    QCOMPARE(dialogs_.messages[0].title, QStringLiteral("ATTENZIONE"));
    QVERIFY(dialogs_.messages[0].text.startsWith(
        QStringLiteral("Non è stato possibile salvare il progetto di stampa")));
    QVERIFY(designer_->isVisible());
}

QTEST_MAIN(TestTicketDesigner)
#include "tst_ticketdesigner.moc"
