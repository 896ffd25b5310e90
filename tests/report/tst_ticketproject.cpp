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

    const QByteArray head = R"({"format":"totem-ticket","version":1,)";
    const QByteArray paper = head + R"("paper":{"width":80,"height":100},)";
    const auto item = [&](const char *fields) { return paper + R"("items":[)" + fields + "]}"; };
    const auto boxed = [&](const char *more) {
        return item(
            (QByteArray(R"({"text":"a","box":{"x":1,"y":2,"width":70,"height":10},)") + more + '}')
                .constData());
    };
    const QList<std::tuple<const char *, QByteArray, const char *>> cases = {
        {"other format", R"({"format":"layout","version":1})", "non è nel formato dei ticket"},
        {"no paper", head + R"("printer":""})", "\"paper\" manca"},
        {"paper zero", head + R"("paper":{"width":0,"height":100}})", "la larghezza della carta"},
        {"paper absurd", head + R"("paper":{"width":80,"height":1e5}})", "l'altezza della carta"},
        {"item not object", item(R"("{ID}")"), "l'elemento 1 non è un oggetto"},
        {"no text", item(R"({"box":{"x":1,"y":2,"width":70,"height":10}})"), "non ha un testo"},
        {"no box", item(R"({"text":"a"})"), "\"box\" nell'elemento 1 manca"},
        {"negative width", item(R"({"text":"a","box":{"x":1,"y":2,"width":-7,"height":10}})"),
         "nell'elemento 1 la larghezza del riquadro"},
        {"font size 0", boxed(R"("font":{"size":0})"), "dimensione del carattere"},
        {"bold text", boxed(R"("font":{"bold":"sì"})"), "\"bold\" nell'elemento 1 deve essere"},
        {"align", boxed(R"("align":"middle")"), "\"left\", \"center\" o \"right\""},
    };
    for (const auto &[name, json, says] : cases)
        QTest::newRow(name) << json << QString::fromUtf8(says);
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
    QCOMPARE(errorOf(load), QStringLiteral("Il progetto di stampa Ticket.lbl non esiste: ")
                                + QDir::toNativeSeparators(path));
    QVERIFY(QDir(dir.path()).mkdir(TicketProject::defaultFileName()));
    QCOMPARE(errorOf(load), QStringLiteral("Il progetto di stampa Ticket.lbl non si può leggere."));
}

QTEST_GUILESS_MAIN(TestTicketProject)
#include "tst_ticketproject.moc"
