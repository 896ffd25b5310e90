#include "archive/archiveconnection.h"
#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "frontend/frontend.h"
#include "support/kioskfixture.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

using Schema = ArchiveSchema;
const QString Totem = ArchivePath::totem();
const QString Kz4 = ArchivePath::kz4();
const QString Monday = Schema::dayTable(1);

// One way an installation's archive may be spoiled: a table gone, a field gone, or a field
// empty in every record. all() walks ArchiveSchema, so a table or field added there is
// damaged too without a test being touched.
struct ArchiveDamage
{
    enum class Kind
    {
        MissingTable,
        MissingField,
        EmptyField
    };
    Kind kind = Kind::MissingTable;
    QString archive, table, field; // no field for a missing table

    static QList<ArchiveDamage> all()
    {
        QList<ArchiveDamage> damages;
        for (const Kind kind : {Kind::MissingTable, Kind::MissingField, Kind::EmptyField}) {
            for (const Schema::Archive &archive : Schema::archives()) {
                for (const Schema::Table &table : archive.tables) {
                    const QStringList fields =
                        kind == Kind::MissingTable ? QStringList{QString()} : table.fieldNames();
                    for (const QString &field : fields)
                        damages << ArchiveDamage{kind, archive.fileName, table.name, field};
                }
            }
        }
        return damages;
    }
    // "Totem.mdb Numerazione.P3 assente", unique among all().
    QString name() const
    {
        return u"%1 %2 %3"_qs.arg(archive, field.isEmpty() ? table : table + u'.' + field,
                                  kind == Kind::EmptyField ? u"vuoto"_qs : u"assente"_qs);
    }
    // What a report of this damage must name: the field, or the table.
    QString subject() const { return field.isEmpty() ? table : field; }
    // In that table and, when fields are given, in one of them (a missing table is in all).
    bool in(const QString &archiveName, const QString &tableName,
            const QStringList &fields = {}) const
    {
        return archive.compare(archiveName, Qt::CaseInsensitive) == 0
               && table.compare(tableName, Qt::CaseInsensitive) == 0
               && (fields.isEmpty() || field.isEmpty()
                   || fields.contains(field, Qt::CaseInsensitive));
    }
    bool applyTo(const QString &folder) const
    {
        const QString quotedTable = ArchiveConnection::quoted(table);
        const QString quotedField = ArchiveConnection::quoted(field);
        // Renamed rather than dropped: SQLite will not drop the only column of a table, and
        // to the kiosk a field under another name is as missing as a dropped one.
        const QString statement =
            kind == Kind::MissingTable ? u"DROP TABLE %1"_qs.arg(quotedTable)
            : kind == Kind::MissingField
                ? u"ALTER TABLE %1 RENAME COLUMN %2 TO %3"_qs.arg(
                    quotedTable, quotedField, ArchiveConnection::quoted(field + u"_perso"_qs))
                : u"UPDATE %1 SET %2 = NULL"_qs.arg(quotedTable, quotedField);
        // A throwaway copy needs no durability: without the journal's syncs a damage costs
        // microseconds instead of a disk flush, which adds up over every row of every flow.
        return SqliteFile::run(
            QDir(folder).filePath(archive),
            {u"PRAGMA synchronous = OFF"_qs, u"PRAGMA journal_mode = MEMORY"_qs, statement});
    }
};

// What a flow owes the user for a damage: a message naming it, or nothing at all. The public
// screen has a notice of its own and defaults for what it cannot read, so it may do either,
// as long as whatever it says names the damage.
enum class Due
{
    Report,
    Nothing,
    Either
};

QStringList currentNumberFields()
{
    QStringList fields;
    for (int line = 1; line <= Office::LineCount; ++line)
        fields << Schema::currentNumberField(line);
    return fields;
}

Due dueFrom(const QString &flow, const ArchiveDamage &d)
{
    const bool empty = d.kind == ArchiveDamage::Kind::EmptyField;
    const auto reportIf = [](bool report) { return report ? Due::Report : Due::Nothing; };
    if (flow == u"start-up") {
        // Opening configurazione is the reachability test, which fails without a word.
        if (d.in(Kz4, Schema::configurationTable()))
            return reportIf(d.kind != ArchiveDamage::Kind::MissingTable);
        // An empty key is a counter without a label, an empty text an empty name.
        return reportIf(d.in(Kz4, Schema::labelTable(Schema::DefaultLabelSet)) && !empty);
    }
    if (flow == u"PB1(3)")
        return reportIf(d.in(Totem, Schema::initialNumbersTable())
                        || d.in(Totem, Schema::currentNumbersTable(), currentNumberFields()));
    if (flow == u"PushButton1")
        // An empty key or name shows in the grid as it is; an empty hour is a table that
        // nobody filled, not "nobody on duty".
        return reportIf((d.in(Kz4, Schema::operatorsTable()) && !empty) || d.in(Totem, Monday));
    if (flow == u"PB1(4)")
        // Empty yes/no values are "no", an empty picture path is no picture.
        return reportIf(
            d.in(Totem, Schema::screenLayoutTable())
            && !(empty
                 && QStringList{u"FontBold"_qs, u"FontItalic"_qs, u"PercorsoImmagine"_qs}.contains(
                     d.field)));
    return Due::Either;
}

} // namespace

Q_DECLARE_METATYPE(ArchiveDamage)

// Every table missing in turn, every field missing in turn, every field empty in every
// record, against each flow that reads the archives: none crashes, each says what it owes
// (naming the damage) and nothing else, every screen stays usable, and a press either
// issues its ticket in full or leaves the numbering as it was.
class TestDamagedArchives : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KioskFixture> office_;
    std::unique_ptr<QTemporaryDir> copy_;

    // A copy of the intact installation, spoiled as the row says.
    bool spoil(const ArchiveDamage &damage)
    {
        copy_ = std::make_unique<QTemporaryDir>();
        // Copied by hand: QFile::copy() flushes each file to disk, which adds up over rows.
        for (const QString &archive : {Kz4, ArchivePath::kz4b(), Totem}) {
            QFile from(office_->archives.path(archive));
            QFile to(copy_->filePath(archive));
            if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly)
                || to.write(from.readAll()) != from.size())
                return false;
        }
        office_->state.archiveFolder = copy_->path();
        office_->dialogs = ScriptedDialogs();
        return damage.applyTo(copy_->path());
    }

    // The current numbers as stored, "-" for what cannot be read.
    QStringList storedNumbers() const
    {
        RecordSet numbers;
        numbers.bind(QDir(copy_->path()).filePath(Totem), Schema::currentNumbersTable());
        try {
            numbers.open();
        } catch (const ArchiveError &) {
            return {u"-"_qs};
        }
        QStringList values;
        for (const QString &field : currentNumberFields())
            values << (numbers.hasField(field) ? numbers.text(field) : u"-"_qs);
        return values;
    }

private slots:
    void initTestCase()
    {
        office_ = std::make_unique<KioskFixture>();
        QVERIFY(office_->isValid());
        // Numbers to start from, where the initial start leaves them as they stand.
        QVERIFY(office_->archives.run(
            Totem, {u"UPDATE NumerazioneIniziale SET P13 = 3000, P21 = 11000"_qs,
                    u"UPDATE Numerazione SET P3 = 3000, P11 = 11000, P11Q = 11000"_qs}));
        QVERIFY(office_->archives.run(ArchivePath::kz4b(),
                                      {u"UPDATE NumeriCode7 SET NumeroA1 = 18"_qs}));
    }

    void cleanupTestCase() { office_.reset(); }

    void eachFlowMeetsEachDamage_data()
    {
        QTest::addColumn<QString>("flow"); // a console button, or the start-up
        QTest::addColumn<ArchiveDamage>("damage");
        for (const QString &flow :
             {u"start-up"_qs, u"PB1(1)"_qs, u"PB1(3)"_qs, u"PushButton1"_qs, u"PB1(4)"_qs}) {
            for (const ArchiveDamage &damage : ArchiveDamage::all())
                QTest::addRow("%s: %s", qPrintable(flow), qPrintable(damage.name()))
                    << flow << damage;
        }
    }

    void eachFlowMeetsEachDamage()
    {
        QFETCH(QString, flow);
        QFETCH(ArchiveDamage, damage);
        QVERIFY(spoil(damage));
        KioskFixture &office = *office_;
        const QStringList numbersBefore = storedNumbers();
        const qsizetype ticketsBefore = office.printed().size();

        bool screenUsable = true;
        QString shown;
        if (flow == u"start-up") {
            // The console comes up in every case, with whatever was read.
            QCOMPARE(office.startUp(), StartupSequence::Outcome::ShowConsole);
            QVERIFY(office.dialogs.screens.isEmpty());
        } else {
            shown = office.openFromConsole(flow, [&](QDialog &screen) {
                screenUsable = screen.isEnabled();
                if (auto *frontEnd = qobject_cast<FrontEnd *>(&screen)) {
                    frontEnd->activate();
                    frontEnd->onClockTick();
                    frontEnd->onHourTest();
                    frontEnd->onServedRefresh();
                    office.press(*frontEnd, KioskFixture::StaffedCounter);
                }
            });
            QVERIFY(shown != u"<console disabled>");
            QVERIFY(screenUsable);
        }

        const Due due = dueFrom(flow, damage);
        const QString said = office.dialogs.messageTexts().join(u'\n');
        for (const ScriptedDialogs::Message &m : std::as_const(office.dialogs.messages))
            QVERIFY2(QStringList({u"ATTENZIONE"_qs, u"Attenzione"_qs, QString()}).contains(m.title),
                     qPrintable(m.title));
        if (due == Due::Nothing)
            QVERIFY2(said.isEmpty(), qPrintable(said));
        else if (due == Due::Report || !said.isEmpty())
            QVERIFY2(said.contains(damage.subject(), Qt::CaseInsensitive)
                         || said.contains(u"Nessun dato da stampare"_qs),
                     qPrintable(said));
        // Without its table the designer is not shown: saving its own arrangement would
        // overwrite the stored one.
        if (flow == u"PB1(4)" && damage.in(Totem, Schema::screenLayoutTable())
            && damage.kind == ArchiveDamage::Kind::MissingTable)
            QCOMPARE(shown, QString());
        else if (flow != u"start-up" && flow != u"PB1(1)")
            QVERIFY(!shown.isEmpty());

        if (office.printed().size() > ticketsBefore)
            QCOMPARE(storedNumbers().value(KioskFixture::StaffedCounter - 1), u"3001"_qs);
        else
            QCOMPARE(storedNumbers(), numbersBefore);
    }
};

QTEST_MAIN(TestDamagedArchives)
#include "tst_damagedarchives.moc"
