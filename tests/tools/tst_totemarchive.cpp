#include "report/ticketproject.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;

    QStringList outLines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
    QStringList errLines() const { return err.split(u'\n', Qt::SkipEmptyParts); }
};

Run totemArchive(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TOTEM_ARCHIVE_BIN), arguments);
    Run run;
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestTotemArchive : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void initServeAndShow()
    {
        const QString folder = dir_->path();
        Run run = totemArchive({u"init"_qs, folder});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 QStringList({u"KZ4.mdb"_qs, u"KZ4B.mdb"_qs, u"Totem.mdb"_qs}));
        QVERIFY(totemArchive({u"serve"_qs, folder, u"2"_qs, u"17"_qs}).exitCode == 0);

        run = totemArchive({u"init"_qs, folder, u"--demo"_qs});
        QVERIFY(run.exitCode != 0);
        QCOMPARE(run.errLines().size(), 1);
        QVERIFY2(run.err.contains(u"--force"_qs), qPrintable(run.err));
        QCOMPARE(totemArchive({u"show"_qs, folder, u"KZ4B.mdb"_qs, u"NumeriCode2"_qs}).outLines(),
                 QStringList({u"NumeroA1"_qs, u"17"_qs}));

        run = totemArchive({u"init"_qs, u"--force"_qs, folder, u"--demo"_qs});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        // The demo's operators replaced the empty table.
        QCOMPARE(totemArchive({u"show"_qs, folder, u"KZ4.mdb"_qs, u"Utenti"_qs}).outLines().size(),
                 1 + 8);

        QCOMPARE(totemArchive({u"serve"_qs, dir_->path(), u"10"_qs, u"2147483647"_qs}).exitCode, 0);
        QCOMPARE(totemArchive({u"serve"_qs, dir_->path(), u"3"_qs, u"42"_qs}).exitCode, 0);

        // Names match without regard to case, accented ones included.
        QCOMPARE(totemArchive({u"show"_qs, dir_->path(), u"kz4b.MDB"_qs, u"numericode10"_qs}).out,
                 u"NumeroA1\n2147483647\n"_qs);
        QCOMPARE(totemArchive({u"show"_qs, dir_->path(), u"KZ4B.mdb"_qs, u"NumeriCode3"_qs}).out,
                 u"NumeroA1\n42\n"_qs);
        QCOMPARE(totemArchive({u"show"_qs, dir_->path(), u"Totem.mdb"_qs, u"totemlunedì"_qs})
                     .outLines()
                     .size(),
                 1 + 10);
        // Accented names go through arguments and messages intact.
        const Run missing =
            totemArchive({u"show"_qs, dir_->path(), u"Totem.mdb"_qs, u"TotemGiovedìSera"_qs});
        QVERIFY(missing.exitCode != 0);
        QVERIFY2(missing.err.contains(u"TotemGiovedìSera"_qs), qPrintable(missing.err));
    }

    void showPrintsFieldsThenRecordsInNaturalOrder()
    {
        QCOMPARE(totemArchive({u"init"_qs, dir_->path()}).exitCode, 0);

        const Run run = totemArchive({u"show"_qs, dir_->path(), u"KZ4.mdb"_qs, u"Layout1"_qs});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        QStringList expected{u"DescCampo\tTesto"_qs};
        // Insertion order, not sorted: Postazione10 comes last.
        for (int counter = 1; counter <= 10; ++counter)
            expected << u"Postazione%1\tPostazione %1"_qs.arg(counter);
        QCOMPARE(run.outLines(), expected);

        // An empty field prints as nothing between its tabs.
        const Run layout = totemArchive({u"show"_qs, dir_->path(), u"Totem.mdb"_qs, u"Layout1"_qs});
        const QStringList lines = layout.outLines();
        QCOMPARE(lines.size(), 1 + 14);
        QVERIFY(lines.first().startsWith(u"top\tleft\tTestoTitolo\t"_qs));
        const QStringList screen = lines.last().split(u'\t');
        QCOMPARE(screen.size(), lines.first().split(u'\t').size());
        QCOMPARE(screen.first(), QString());
    }

    void ticketWritesTheDefaultProject()
    {
        const QString file = dir_->filePath(u"Ticket.lbl"_qs);
        const QString printer = u"pdf:"_qs + dir_->filePath(u"ticket"_qs);
        QCOMPARE(totemArchive({u"ticket"_qs, file, printer}).exitCode, 0);
        const TicketProject project = TicketProject::load(file);
        QCOMPARE(project.printer, printer);
        QVERIFY(project.referencedItems().contains(u"NumeroDaStampare"_qs));

        const Run unwritable =
            totemArchive({u"ticket"_qs, dir_->filePath(u"assente/Ticket.lbl"_qs)});
        QVERIFY(unwritable.exitCode > 0);
        QCOMPARE(unwritable.errLines().size(), 1);
    }

    void aBareCallShowsTheUsage()
    {
        const Run bare = totemArchive({});
        QVERIFY(bare.exitCode != 0);
        QVERIFY(bare.err.contains(u"totem-archive init"_qs));
        QCOMPARE(totemArchive({u"--help"_qs}).exitCode, 0);
    }

    void badInputGivesOneLineAndFailure_data()
    {
        QTest::addColumn<QStringList>("arguments");
        const QString dir = u"{dir}"_qs;
        const QString missing = u"{dir}/assente"_qs;

        QTest::newRow("unknown command") << QStringList{u"crea"_qs, dir};
        QTest::newRow("init without folder") << QStringList{u"init"_qs};
        QTest::newRow("init into a missing folder") << QStringList{u"init"_qs, missing};
        QTest::newRow("unknown option") << QStringList{u"init"_qs, dir, u"--veloce"_qs};
        QTest::newRow("show in a missing folder")
            << QStringList{u"show"_qs, missing, u"KZ4.mdb"_qs, u"configurazione"_qs};
        QTest::newRow("unknown archive")
            << QStringList{u"show"_qs, dir, u"KZ5.mdb"_qs, u"configurazione"_qs};
        QTest::newRow("unknown table")
            << QStringList{u"show"_qs, dir, u"KZ4.mdb"_qs, u"Layout7"_qs};
        QTest::newRow("show without table") << QStringList{u"show"_qs, dir, u"KZ4.mdb"_qs};
        QTest::newRow("serve in a missing folder")
            << QStringList{u"serve"_qs, missing, u"1"_qs, u"5"_qs};
        QTest::newRow("counter 0") << QStringList{u"serve"_qs, dir, u"0"_qs, u"5"_qs};
        QTest::newRow("counter 11") << QStringList{u"serve"_qs, dir, u"11"_qs, u"5"_qs};
        QTest::newRow("counter not a number") << QStringList{u"serve"_qs, dir, u"uno"_qs, u"5"_qs};
        QTest::newRow("negative number") << QStringList{u"serve"_qs, dir, u"1"_qs, u"-1"_qs};
        QTest::newRow("number too large")
            << QStringList{u"serve"_qs, dir, u"1"_qs, u"2147483648"_qs};
        QTest::newRow("number with a fraction")
            << QStringList{u"serve"_qs, dir, u"1"_qs, u"4.5"_qs};
        QTest::newRow("serve without number") << QStringList{u"serve"_qs, dir, u"1"_qs};
    }

    void badInputGivesOneLineAndFailure()
    {
        QFETCH(QStringList, arguments);
        QCOMPARE(totemArchive({u"init"_qs, dir_->path()}).exitCode, 0);
        arguments.replaceInStrings(u"{dir}"_qs, dir_->path());

        const Run run = totemArchive(arguments);
        QVERIFY(run.exitCode > 0);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(run.errLines().size(), 1);
        QVERIFY(!run.err.trimmed().isEmpty());
        // Nothing was written on the way to the refusal.
        QCOMPARE(totemArchive({u"show"_qs, dir_->path(), u"KZ4B.mdb"_qs, u"NumeriCode1"_qs}).out,
                 u"NumeroA1\n0\n"_qs);
    }
};

QTEST_GUILESS_MAIN(TestTotemArchive)
#include "tst_totemarchive.moc"
