#include "report/reporterror.h"
#include "report/ticketproject.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

class TestTicketProject : public QObject
{
    Q_OBJECT

private slots:
    void roundTripsThroughJsonAndFile();
    void referencedItemsCountEachNameOnce();
    void unknownKeysAreIgnored();
    void rejectsWhatIsNotAProject_data();
    void rejectsWhatIsNotAProject();
    void missingOrUnreadableFileIsReported();
    void failedSaveIsReported();
};

// The message of the ReportError that f throws, or "<accettato>".
template <typename F> static QString errorOf(F f)
{
    try {
        f();
    } catch (const ReportError &e) {
        return e.message();
    }
    return QStringLiteral("<accettato>");
}

static TicketProject varied()
{
    TicketProject project = TicketProject::defaultTicket(QStringLiteral("pdf:/tmp/biglietti"));
    project.items[0].alignment = Qt::AlignLeft | Qt::AlignTop;
    project.items[1].alignment = Qt::AlignRight | Qt::AlignBottom;
    project.items[1].italic = true;
    project.items[1].fontFamily = QStringLiteral("Liberation Serif");
    project.items[1].box = QRectF(0, 0.25, 12.5, 1000);
    return project;
}

void TestTicketProject::roundTripsThroughJsonAndFile()
{
    const TicketProject project = varied();
    QCOMPARE(TicketProject::fromJson(project.toJson()), project);

    QTemporaryDir dir;
    const QString path = dir.filePath(TicketProject::defaultFileName());
    project.save(path);
    QCOMPARE(TicketProject::load(path), project);
    TicketProject::defaultTicket().save(path); // overwrites in place
    QCOMPARE(TicketProject::load(path), TicketProject::defaultTicket());
}

void TestTicketProject::referencedItemsCountEachNameOnce()
{
    TicketProject project = TicketProject::defaultTicket();
    project.items[1].text = QStringLiteral("{titolo} {Nome con spazi}{ID} {non chiuso");
    QCOMPARE(project.referencedItems(),
             QStringList({QStringLiteral("Titolo"), QStringLiteral("Nome con spazi"),
                          QStringLiteral("ID"), QStringLiteral("NumeroDaStampare"),
                          QStringLiteral("QualePostazione"), QStringLiteral("QualeUtente"),
                          QStringLiteral("QualeData"), QStringLiteral("QualeOra")}));
}

void TestTicketProject::unknownKeysAreIgnored()
{
    QJsonObject root = QJsonDocument::fromJson(varied().toJson()).object();
    root.insert(QStringLiteral("author"), QStringLiteral("ufficio"));
    QJsonObject paper = root.value(QStringLiteral("paper")).toObject();
    paper.insert(QStringLiteral("margins"), 3);
    root.insert(QStringLiteral("paper"), paper);
    QJsonArray items = root.value(QStringLiteral("items")).toArray();
    QJsonObject first = items.at(0).toObject();
    first.insert(QStringLiteral("colour"), QStringLiteral("red"));
    items.replace(0, first);
    root.insert(QStringLiteral("items"), items);
    QCOMPARE(TicketProject::fromJson(QJsonDocument(root).toJson()), varied());
}

void TestTicketProject::rejectsWhatIsNotAProject_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("says");

    const QByteArray head =
        R"({"format":"totem-ticket","version":1,"paper":{"width":80,"height":100},)";
    const auto withItem = [&](const char *item) { return head + R"("items":[)" + item + "]}"; };
    const char *box = R"("box":{"x":1,"y":2,"width":70,"height":10})";

    QTest::newRow("empty") << QByteArray(" \n") << QStringLiteral("è vuoto");
    QTest::newRow("not json") << QByteArray("Ticket LL7 \x01\x02")
                              << QStringLiteral("non è un file JSON");
    QTest::newRow("array") << QByteArray("[]") << QStringLiteral("non è nel formato dei ticket");
    QTest::newRow("other format") << QByteArray(R"({"format":"layout","version":1})")
                                  << QStringLiteral("non è nel formato dei ticket");
    QTest::newRow("newer") << QByteArray(R"({"format":"totem-ticket","version":2})")
                           << QStringLiteral("versione più recente del programma");
    QTest::newRow("version text") << QByteArray(R"({"format":"totem-ticket","version":"1"})")
                                  << QStringLiteral("versione valida");
    QTest::newRow("no paper") << QByteArray(R"({"format":"totem-ticket","version":1})")
                              << QStringLiteral("\"paper\" manca");
    QTest::newRow("paper zero")
        << QByteArray(R"({"format":"totem-ticket","version":1,"paper":{"width":0,"height":100}})")
        << QStringLiteral("la larghezza della carta");
    QTest::newRow("paper absurd")
        << QByteArray(
               R"({"format":"totem-ticket","version":1,"paper":{"width":80,"height":100000}})")
        << QStringLiteral("l'altezza della carta");
    QTest::newRow("items not list") << head + R"("items":{}})" << QStringLiteral("\"items\"");
    QTest::newRow("item not object")
        << withItem(R"("{ID}")") << QStringLiteral("l'elemento 1 non è un oggetto");
    QTest::newRow("no text") << withItem(R"({"box":{"x":1,"y":2,"width":70,"height":10}})")
                             << QStringLiteral("elemento 1 non ha un testo");
    QTest::newRow("no box") << withItem(R"({"text":"a"},{"text":"b"})")
                            << QStringLiteral("\"box\" nell'elemento 1 manca");
    QTest::newRow("negative width")
        << withItem(R"({"text":"a","box":{"x":1,"y":2,"width":-70,"height":10}})")
        << QStringLiteral("nell'elemento 1 la larghezza del riquadro");
    QTest::newRow("negative x")
        << withItem(R"({"text":"a","box":{"x":-1,"y":2,"width":70,"height":10}})")
        << QStringLiteral("la x del riquadro");
    QTest::newRow("font size 0")
        << withItem((QByteArray(R"({"text":"a",)") + box + R"(,"font":{"size":0}})").constData())
        << QStringLiteral("dimensione del carattere");
    QTest::newRow("font size huge")
        << withItem((QByteArray(R"({"text":"a",)") + box + R"(,"font":{"size":900}})").constData())
        << QStringLiteral("dimensione del carattere");
    QTest::newRow("bold text")
        << withItem((QByteArray(R"({"text":"a",)") + box + R"(,"font":{"bold":"sì"}})").constData())
        << QStringLiteral("\"bold\" nell'elemento 1 deve essere true o false");
    QTest::newRow("align")
        << withItem((QByteArray(R"({"text":"a",)") + box + R"(,"align":"middle"})").constData())
        << QStringLiteral("\"left\", \"center\" o \"right\"");
}

void TestTicketProject::rejectsWhatIsNotAProject()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, says);
    const QString message = errorOf([&] { TicketProject::fromJson(json); });
    QVERIFY2(message.startsWith(QStringLiteral("Il progetto di stampa")), qPrintable(message));
    QVERIFY2(message.contains(says), qPrintable(message));
}

void TestTicketProject::missingOrUnreadableFileIsReported()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(TicketProject::defaultFileName());
    const auto load = [&] { TicketProject::load(path); };
    QCOMPARE(errorOf(load), QStringLiteral("Il progetto di stampa Ticket.lbl non esiste: ") +
                                QDir::toNativeSeparators(path));
    QVERIFY(QDir(dir.path()).mkdir(TicketProject::defaultFileName()));
    QCOMPARE(errorOf(load), QStringLiteral("Il progetto di stampa Ticket.lbl non si può leggere."));
}

void TestTicketProject::failedSaveIsReported()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = blocker.fileName() + QStringLiteral("/Ticket.lbl");
    QVERIFY(errorOf([&] {
                TicketProject::defaultTicket().save(path);
            }).startsWith(QStringLiteral("Non è stato possibile salvare il progetto di stampa")));
}

QTEST_GUILESS_MAIN(TestTicketProject)
#include "tst_ticketproject.moc"
