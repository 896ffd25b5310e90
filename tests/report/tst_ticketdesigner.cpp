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
    void saveWritesOrReportsAndCloseDoesNot();

private:
    void open(const QString &path = QString());
    template <typename T> T *child(const char *name)
    {
        T *widget = designer_->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }
    void click(const QString &caption);
    QStringList templates() const;
    QImage preview() { return child<QLabel>("preview")->pixmap().toImage(); }

    std::unique_ptr<QTemporaryDir> dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TicketDesigner> designer_;
};

void TestTicketDesigner::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    dialogs_ = ScriptedDialogs();
}

void TestTicketDesigner::open(const QString &path)
{
    const QList<DataItem> sample = {
        {QStringLiteral("ID"), QStringLiteral("1"), DataItem::Number},
        {QStringLiteral("Titolo"), QStringLiteral("Ufficio Tributi"), DataItem::Text},
        {QStringLiteral("NumeroDaStampare"), QStringLiteral("7"), DataItem::Number}};
    designer_ = std::make_unique<TicketDesigner>(
        dialogs_, path.isEmpty() ? dir_->filePath(QStringLiteral("Ticket.lbl")) : path,
        TicketProject::defaultTicket(), sample);
    designer_->show();
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

void TestTicketDesigner::showsTheProjectAndItsSampleData()
{
    open();
    QStringList listed;
    for (int i = 0; i < child<QListWidget>("items")->count(); ++i)
        listed << child<QListWidget>("items")->item(i)->text();
    QCOMPARE(listed, templates());
    QCOMPARE(child<QLineEdit>("template")->text(), QStringLiteral("{Titolo}"));

    // The sample's names, then those the project uses beyond them.
    auto *names = child<QComboBox>("dataItems");
    listed.clear();
    for (int i = 0; i < names->count(); ++i)
        listed << names->itemText(i);
    QCOMPARE(listed.join(u' '), QStringLiteral("ID Titolo NumeroDaStampare QualePostazione "
                                               "QualeUtente QualeData QualeOra"));
    QCOMPARE(preview().size(), QSize(400, 450)); // 80 x 90 mm
}

void TestTicketDesigner::editsReachTheProjectAndThePreview()
{
    open();
    auto *list = child<QListWidget>("items");
    auto *text = child<QLineEdit>("template");
    list->setCurrentRow(2);
    QCOMPARE(text->text(), QStringLiteral("{NumeroDaStampare}"));

    const QImage before = preview();
    text->setText(QStringLiteral("N. {NumeroDaStampare} "));
    auto *names = child<QComboBox>("dataItems");
    names->setCurrentIndex(names->findText(QStringLiteral("Titolo")));
    QCOMPARE(names->currentIndex(), -1); // ready for the next insertion
    QCOMPARE(templates().at(2), QStringLiteral("N. {NumeroDaStampare} {Titolo}"));
    QCOMPARE(list->item(2)->text(), templates().at(2));
    QVERIFY(preview() != before);

    child<QDoubleSpinBox>("fontSize")->setValue(20);
    child<QDoubleSpinBox>("width")->setValue(30);
    child<QComboBox>("alignment")->setCurrentIndex(2);
    const TicketItem &item = designer_->project().items.at(2);
    QCOMPARE(item.fontSize, 20.0);
    QCOMPARE(item.box.width(), 30.0);
    QCOMPARE(item.alignment, Qt::AlignRight | Qt::AlignVCenter);

    // Showing another item must not write its values into the one left.
    list->setCurrentRow(0);
    QCOMPARE(child<QDoubleSpinBox>("fontSize")->value(), 12.0);
    QCOMPARE(designer_->project().items.at(2).fontSize, 20.0);
}

void TestTicketDesigner::addRemoveAndMoveItems()
{
    open();
    const QStringList original = templates();
    const int last = int(original.size()) - 1;
    auto *list = child<QListWidget>("items");

    click(QStringLiteral("Aggiungi"));
    QCOMPARE(templates(), original + QStringList{QStringLiteral("Nuovo testo")});
    QCOMPARE(list->currentRow(), last + 1);
    // Below the others, the paper lengthened to hold it.
    const TicketProject &project = designer_->project();
    QVERIFY(project.items.last().box.top() >= project.items.at(last).box.bottom());
    QVERIFY(project.items.last().box.bottom() <= project.paperSize.height());
    QCOMPARE(child<QDoubleSpinBox>("paperHeight")->value(), project.paperSize.height());
    QVERIFY(!child<QPushButton>("moveDown")->isEnabled());

    click(QStringLiteral("Su"));
    QCOMPARE(templates().at(last), QStringLiteral("Nuovo testo"));
    QCOMPARE(list->currentRow(), last);
    QCOMPARE(child<QLineEdit>("template")->text(), QStringLiteral("Nuovo testo"));
    click(QStringLiteral("Giù"));
    click(QStringLiteral("Rimuovi"));
    QCOMPARE(templates(), original);
    QCOMPARE(list->currentRow(), last);

    list->setCurrentRow(0);
    QVERIFY(!child<QPushButton>("moveUp")->isEnabled());
    for (int i = 0; i <= last; ++i)
        click(QStringLiteral("Rimuovi"));
    QVERIFY(templates().isEmpty());
    QVERIFY(!child<QPushButton>("remove")->isEnabled());
    QVERIFY(!child<QLineEdit>("template")->isEnabled());
}

void TestTicketDesigner::printerCanBeAPdfFolder()
{
    open();
    auto *printer = child<QComboBox>("printer");
    QCOMPARE(printer->currentText(), QStringLiteral("Stampante predefinita del sistema"));
    const auto choosePdf = [&](std::optional<QString> folder) {
        dialogs_.folders << folder;
        printer->setCurrentIndex(printer->findText(QStringLiteral("Cartella PDF…")));
    };
    const QString pdf = QStringLiteral("pdf:") + dir_->path();

    choosePdf(dir_->path());
    QCOMPARE(dialogs_.prompts, QStringList{QStringLiteral("Cartella dei ticket in PDF")});
    QCOMPARE(designer_->project().printer, pdf);
    QVERIFY(printer->currentText().contains(QDir::toNativeSeparators(dir_->path())));

    choosePdf(std::nullopt);
    QCOMPARE(designer_->project().printer, pdf);
    QVERIFY(printer->currentText().contains(QDir::toNativeSeparators(dir_->path())));

    printer->setCurrentIndex(0);
    QCOMPARE(designer_->project().printer, QString());
    choosePdf(std::nullopt);
    QCOMPARE(designer_->project().printer, QString());
    QCOMPARE(printer->currentIndex(), 0);
}

void TestTicketDesigner::saveWritesOrReportsAndCloseDoesNot()
{
    const QString path = dir_->filePath(QStringLiteral("Ticket.lbl"));
    open();
    child<QLineEdit>("template")->setText(QStringLiteral("Ufficio {Titolo}"));
    child<QDoubleSpinBox>("paperHeight")->setValue(120);
    click(QStringLiteral("Chiudi"));
    QCOMPARE(designer_->result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(path));

    designer_->show();
    click(QStringLiteral("Salva"));
    QCOMPARE(designer_->result(), int(QDialog::Accepted));
    QCOMPARE(TicketProject::load(path), designer_->project());
    QCOMPARE(TicketProject::load(path).paperSize.height(), 120.0);
    QVERIFY(dialogs_.messages.isEmpty());

    // A folder that is a file cannot hold the project.
    open(path + QStringLiteral("/Ticket.lbl"));
    click(QStringLiteral("Salva"));
    QVERIFY(dialogs_.alert().startsWith(
        QStringLiteral("Non è stato possibile salvare il progetto di stampa")));
    QVERIFY(designer_->isVisible());
}

QTEST_MAIN(TestTicketDesigner)
#include "tst_ticketdesigner.moc"
