#include "console/gestionetotem.h"
#include "core/kioskstate.h"
#include "designer/impostasfondo.h"
#include "frontend/frontend.h"
#include "report/ticketproject.h"
#include "support/archivefixture.h"
#include "support/designerfixture.h"
#include "support/manualclock.h"
#include "support/scripteddialogs.h"
#include "support/workingfolder.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

#include <cstring>

namespace {

const QString Monday = QStringLiteral("TotemLunedì");

// A real picture of a few bytes whose header claims side x side pixels.
QByteArray claimingPicture(const char *format, quint16 side)
{
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !small.save(&buffer, format))
        return {};
    if (qstrcmp(format, "BMP") == 0) {
        // The info header's width and height, little-endian, after the 14-byte file header.
        const qint32 size = side;
        std::memcpy(bytes.data() + 18, &size, sizeof size);
        std::memcpy(bytes.data() + 22, &size, sizeof size);
        return bytes;
    }
    // JPEG: the frame header (FF C0) holds height and then width, big-endian.
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    if (frame < 0)
        return {};
    for (const qsizetype at : {frame + 5, frame + 7}) {
        bytes[at] = char(side >> 8);
        bytes[at + 1] = char(side & 0xFF);
    }
    return bytes;
}

// The most memory this process has held so far, in megabytes; -1 where it cannot be told.
qint64 peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return -1;
}

QString pdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return QStringLiteral("<pdftotext (poppler-utils) did not run>");
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

} // namespace

// Files the kiosk reads but others may have spoiled: the ticket project and the background
// picture. Each is tried in every flow that reads it; none crashes, each is told in Italian,
// and nothing is printed, lost or allocated on a file's word.
class TestSpoiledFiles : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ArchiveFixture> archives_;
    std::unique_ptr<WorkingFolder> work_;
    KioskState state_;
    ScriptedDialogs dialogs_;
    ManualClock clock_{QDateTime(QDate(2026, 12, 7), QTime(9, 40))}; // a Monday

    QString tickets() const { return work_->tickets(); }
    QStringList ticketFiles() const { return work_->ticketFiles(); }
    QString messages() const { return dialogs_.messageTexts().join(u'|'); }

private slots:
    void init()
    {
        archives_ = std::make_unique<ArchiveFixture>();
        QVERIFY(archives_->isValid());
        QVERIFY(archives_->addOperator(5, QStringLiteral("Rossi Anna")));
        QVERIFY(archives_->setDuty(Monday, 3, QStringLiteral("nove"), 5));
        work_ = std::make_unique<WorkingFolder>();
        QVERIFY(work_->isValid());
        state_ = KioskState();
        state_.archiveFolder = archives_->folder();
        state_.startingNumbers = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
        dialogs_ = ScriptedDialogs();
    }

    void cleanup() { work_.reset(); }

    void ticketProjects_data()
    {
        QTest::addColumn<QByteArray>("content"); // "<tickets>" stands for the PDF folder
        QTest::addColumn<QString>("says");       // empty: the ticket prints

        TicketProject unknown = TicketProject::defaultTicket(u"pdf:<tickets>"_qs);
        unknown.items[1].text = QStringLiteral("Sportello {Sconosciuto}");
        const QByteArray good = unknown.toJson();
        QByteArray newer = good;
        newer.replace("\"version\": 1", "\"version\": 2");

        QTest::newRow("empty") << QByteArray() << u"è vuoto"_qs;
        QTest::newRow("truncated") << good.left(good.size() / 2) << u"non è un file JSON valido"_qs;
        QTest::newRow("newer version") << newer << u"versione più recente del programma"_qs;
        // A name no data item has is printed as written, so a misspelling shows on paper.
        QTest::newRow("unknown data item") << good << QString();
    }

    void ticketProjects()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, says);
        content.replace("<tickets>", tickets().toUtf8());
        QFile project(TicketProject::defaultFileName());
        QVERIFY(project.open(QIODevice::WriteOnly));
        QCOMPARE(project.write(content), content.size());
        project.close();

        // A press on a staffed counter prints the ticket or gives its number back.
        {
            FrontEnd screen(state_, dialogs_, clock_);
            screen.activate();
            auto *box = screen.findChild<QLineEdit *>(QStringLiteral("Numero3"));
            QCOMPARE(box->text(), u"30"_qs);
            screen.findChild<QPushButton *>(QStringLiteral("PB1(2)"))->click();
            QVERIFY(screen.isEnabled());
            if (says.isEmpty()) {
                QVERIFY2(dialogs_.messages.isEmpty(), qPrintable(messages()));
                QCOMPARE(box->text(), u"31"_qs);
                QCOMPARE(ticketFiles().size(), 1);
                QVERIFY(pdfText(QDir(tickets()).filePath(ticketFiles().value(0)))
                            .contains(u"Sportello {Sconosciuto}"_qs));
            } else {
                QCOMPARE(dialogs_.messages.size(), 1);
                QCOMPARE(dialogs_.messages[0].kind, Dialogs::Kind::Critical);
                QVERIFY2(messages().contains(says) && messages().contains(u"restituito"_qs),
                         qPrintable(messages()));
                QCOMPARE(box->text(), u"30"_qs);
                QCOMPARE(archives_->firstValue(u"Totem.mdb"_qs, u"Numerazione"_qs, u"P3"_qs),
                         u"30"_qs);
                QVERIFY(ticketFiles().isEmpty());
            }
        }

        // The console's "Impostazione Stampa" opens the designer on it, or says why not and
        // leaves the file for the administrator to mend.
        dialogs_ = ScriptedDialogs();
        GestioneTotem console(state_, dialogs_, clock_);
        QStringList offered;
        dialogs_.screenScripts << [&](QDialog &designer) {
            const auto *names = designer.findChild<QComboBox *>(QStringLiteral("dataItems"));
            for (int i = 0; names && i < names->count(); ++i)
                offered << names->itemText(i);
            return int(QDialog::Rejected);
        };
        console.findChild<QPushButton *>(QStringLiteral("PB1(2)"))->click();
        QVERIFY(console.findChild<QPushButton *>(QStringLiteral("PB1(2)"))->isEnabled());
        if (says.isEmpty()) {
            QVERIFY2(dialogs_.messages.isEmpty(), qPrintable(messages()));
            QCOMPARE(dialogs_.screens, QStringList{u"TicketDesigner"_qs});
            QVERIFY2(offered.contains(u"Sconosciuto"_qs), qPrintable(offered.join(u',')));
        } else {
            QVERIFY(dialogs_.screens.isEmpty());
            QVERIFY2(dialogs_.alert().contains(says), qPrintable(dialogs_.alert()));
            QVERIFY(project.open(QIODevice::ReadOnly));
            QCOMPARE(project.readAll(), content);
        }
    }

    void backgroundPictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("says");

        QTest::newRow("not a picture") << u"foto.jpg"_qs << QByteArray("non sono una foto")
                                       << u"il file non contiene un'immagine leggibile"_qs;
        QTest::newRow("JPEG of 20000 x 20000")
            << u"enorme.jpg"_qs << claimingPicture("JPG", 20000)
            << u"l'immagine è troppo grande (20000 x 20000 pixel)"_qs;
        // Qt's own reader refuses a bitmap header beyond 16384 x 16384 pixels.
        QTest::newRow("BMP of 16000 x 16000")
            << u"enorme.bmp"_qs << claimingPicture("BMP", 16000)
            << u"l'immagine è troppo grande (16000 x 16000 pixel)"_qs;
    }

    void backgroundPictures()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        QVERIFY(!bytes.isEmpty());
        const QString path = QDir::toNativeSeparators(work_->filePath(name));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        // Qt's process-wide limit lifted: what stands between a header and a gigabyte is
        // the kiosk's own.
        const int qtLimit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(0);
        const auto restore = qScopeGuard([qtLimit] { QImageReader::setAllocationLimit(qtLimit); });
        const qint64 peakBefore = peakMegabytes();

        // Chosen in the designer's picker: refused when previewed and when set.
        DesignerFixture designer;
        ImpostaSfondo picker(dialogs_, designer, designer);
        picker.setFolder(work_->path());
        auto *files = picker.findChild<QListWidget *>(QStringLiteral("File1"));
        files->setCurrentItem(files->findItems(name, Qt::MatchExactly).value(0));
        picker.findChild<QPushButton *>(QStringLiteral("PushButton1"))->click();
        QCOMPARE(dialogs_.messages.size(), 2);
        for (const ScriptedDialogs::Message &m : std::as_const(dialogs_.messages)) {
            QCOMPARE(m.kind, Dialogs::Kind::Critical);
            QVERIFY2(m.text.contains(path) && m.text.contains(says), qPrintable(m.text));
        }
        QVERIFY(designer.pictures.isEmpty() && designer.paths.isEmpty());
        QVERIFY(picker.findChild<QLineEdit *>(QStringLiteral("F1"))->text().isEmpty());
        QVERIFY(picker.isEnabled());

        // Named by the stored layout: the public screen opens without it, and the
        // administrator is told why.
        dialogs_ = ScriptedDialogs();
        QVERIFY(archives_->run(u"Totem.mdb"_qs,
                               {QStringLiteral("UPDATE Layout1 SET PercorsoImmagine = '%1' "
                                               "WHERE rowid = 14")
                                    .arg(path)}));
        GestioneTotem console(state_, dialogs_, clock_);
        bool pictureShown = true;
        dialogs_.screenScripts << [&](QDialog &screen) {
            pictureShown = !static_cast<FrontEnd &>(screen).backgroundPicture().isNull();
            return int(QDialog::Accepted);
        };
        console.findChild<QPushButton *>(QStringLiteral("PB1(1)"))->click();
        QCOMPARE(dialogs_.screens, QStringList{u"FrontEnd"_qs});
        QVERIFY(!pictureShown);
        QVERIFY2(dialogs_.alert().contains(path) && dialogs_.alert().contains(says),
                 qPrintable(dialogs_.alert()));

        if (peakBefore >= 0)
            QVERIFY2(peakMegabytes() - peakBefore < 100,
                     qPrintable(QStringLiteral("%1 MB more").arg(peakMegabytes() - peakBefore)));
    }
};

QTEST_MAIN(TestSpoiledFiles)
#include "tst_spoiledfiles.moc"
