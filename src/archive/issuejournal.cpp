#include "archive/issuejournal.h"

#include "archive/archiveerror.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

namespace {

QAtomicInteger<quint64> connectionSerial;

const QString createTable = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS Emissioni (id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "P1 INTEGER, P2 INTEGER, P3 INTEGER, P4 INTEGER, P5 INTEGER, P6 INTEGER, P7 INTEGER, "
    "P8 INTEGER, P9 INTEGER, P10 INTEGER, P11 INTEGER, ConBiglietto INTEGER NOT NULL, "
    "Titolo TEXT, QualeUtente TEXT, QualePostazione TEXT, QualeData TEXT, QualeOra TEXT, "
    "NumeroDaStampare INTEGER)");
constexpr int TicketColumn = 1 + Office::LineCount; // ConBiglietto

ArchiveError journalError(const QString &path, const QString &detail)
{
    return ArchiveError(ArchiveError::Reason::Other,
                        QStringLiteral("Il giornale locale dei numeri (%1) non può essere "
                                       "usato.")
                            .arg(path),
                        detail);
}

// One connection for one operation, made and removed by the thread that runs it.
class JournalConnection
{
public:
    JournalConnection(const QString &path, bool create)
        : name_(QStringLiteral("journal-%1").arg(connectionSerial.fetchAndAddRelaxed(1))),
          path_(path)
    {
        if (create && !QDir().mkpath(QFileInfo(path).path()))
            throw journalError(path, QStringLiteral("la cartella non può essere creata"));
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(path);
        if (!db_.open())
            fail(db_.lastError());
        if (create)
            exec(createTable);
    }
    ~JournalConnection()
    {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }

    QSqlQuery exec(const QString &statement, const QVariantList &values = {})
    {
        QSqlQuery query(db_);
        if (!query.prepare(statement))
            fail(query.lastError());
        for (const QVariant &value : values)
            query.addBindValue(value);
        if (!query.exec())
            fail(query.lastError());
        return query;
    }

private:
    [[noreturn]] void fail(const QSqlError &error) const
    {
        throw journalError(path_, error.text().trimmed());
    }

    QString name_;
    QString path_;
    QSqlDatabase db_;
};

QVariant numberOrNull(const std::optional<qint32> &number)
{
    return number ? QVariant(*number) : QVariant(QMetaType(QMetaType::Int));
}

} // namespace

IssueJournal::IssueJournal()
    : path_(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
            + QStringLiteral("/giornale.sqlite"))
{
}

QString IssueJournal::settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
           + QStringLiteral("/totem.ini");
}

bool IssueJournal::enabledInSettings()
{
    const QSettings settings(settingsPath(), QSettings::IniFormat);
    return settings.value(QStringLiteral("archivio/giornaleLocale"), true).toBool();
}

qint64 IssueJournal::append(const IssueRecord &record)
{
    QVariantList values;
    for (const std::optional<qint32> &number : record.numbers)
        values << numberOrNull(number);
    const IssueRecord::Ticket ticket = record.ticket.value_or(IssueRecord::Ticket{});
    values << int(record.ticket.has_value()) << ticket.title << ticket.operatorName
           << ticket.counterName << ticket.date << ticket.time << ticket.number;
    QStringList marks;
    for (int i = 0; i < values.size(); ++i)
        marks << QStringLiteral("?");
    JournalConnection journal(path_, true);
    // A single statement is its own transaction: once it returns, the entry is on disk.
    const QSqlQuery query = journal.exec(
        QStringLiteral("INSERT INTO Emissioni (P1, P2, P3, P4, P5, P6, P7, P8, P9, P10, P11, "
                       "ConBiglietto, Titolo, QualeUtente, QualePostazione, QualeData, QualeOra, "
                       "NumeroDaStampare) VALUES (%1)")
            .arg(marks.join(u',')),
        values);
    return query.lastInsertId().toLongLong();
}

QList<IssueJournal::Entry> IssueJournal::entries() const
{
    QList<Entry> entries;
    if (!QFileInfo::exists(path_))
        return entries;
    JournalConnection journal(path_, true);
    QSqlQuery query = journal.exec(QStringLiteral("SELECT * FROM Emissioni ORDER BY id"));
    while (query.next()) {
        Entry entry;
        entry.id = query.value(0).toLongLong();
        for (int line = 0; line < Office::LineCount; ++line) {
            const QVariant number = query.value(1 + line);
            if (!number.isNull())
                entry.record.numbers[line] = number.toInt();
        }
        if (query.value(TicketColumn).toBool()) {
            entry.record.ticket = IssueRecord::Ticket{
                query.value(TicketColumn + 1).toString(), query.value(TicketColumn + 2).toString(),
                query.value(TicketColumn + 3).toString(), query.value(TicketColumn + 4).toString(),
                query.value(TicketColumn + 5).toString(), query.value(TicketColumn + 6).toInt()};
        }
        entries << entry;
    }
    return entries;
}

int IssueJournal::count() const
{
    // The kiosk asks at every press; a kiosk that never lost its share has no file.
    if (!QFileInfo::exists(path_))
        return 0;
    JournalConnection journal(path_, true);
    QSqlQuery query = journal.exec(QStringLiteral("SELECT COUNT(*) FROM Emissioni"));
    return query.next() ? query.value(0).toInt() : 0;
}

void IssueJournal::remove(qint64 id)
{
    JournalConnection journal(path_, true);
    journal.exec(QStringLiteral("DELETE FROM Emissioni WHERE id = ?"), {id});
}
