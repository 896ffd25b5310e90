#include "archivetool.h"

#include "archive/archivecontent.h"
#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/fieldvalue.h"
#include "archive/fresharchives.h"
#include "archive/recordset.h"
#include "archive/serverstore.h"
#include "core/systemclock.h"
#include "report/cupsconnection.h"
#include "report/printtarget.h"
#include "report/reporterror.h"
#include "report/testticket.h"
#include "report/ticketproject.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

#include <limits>

namespace {

// A mistake in the command line rather than in the archives.
class UsageMistake
{
public:
    explicit UsageMistake(QString message) : message(std::move(message)) {}
    QString message;
};

QString oneLine(QString text)
{
    text.replace(QRegularExpression(QStringLiteral("\\s*[\\r\\n]+\\s*")), QStringLiteral(" "));
    return text.trimmed();
}

// Tab-separated output stays one line per record even when a text holds tabs or line
// breaks; the backslash escapes as in the usual "text" dump formats.
QString escaped(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\t', QStringLiteral("\\t"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'\r', QStringLiteral("\\r"));
    return text;
}

// Splits the options (--name) from the positional arguments and refuses unknown ones.
QStringList positional(const QString &command, const QStringList &arguments,
                       const QStringList &allowedOptions, QStringList *options = nullptr)
{
    QStringList result;
    for (const QString &argument : arguments) {
        if (argument.startsWith(QStringLiteral("--"))) {
            if (!allowedOptions.contains(argument))
                throw UsageMistake(QStringLiteral("Opzione sconosciuta per il comando %1: %2.")
                                       .arg(command, argument));
            if (options)
                *options << argument;
        } else {
            result << argument;
        }
    }
    return result;
}

void expectCount(const QString &command, const QStringList &arguments, int count,
                 const QString &form)
{
    if (arguments.size() != count)
        throw UsageMistake(QStringLiteral("Argomenti errati per il comando %1. Uso: "
                                          "totem-archive %1 %2")
                               .arg(command, form));
}

void requireFolder(const QString &folder)
{
    if (!ArchivePath::isServer(folder) && !QFileInfo(folder).isDir())
        throw ArchiveError(ArchiveError::Reason::Unreachable,
                           QStringLiteral("La cartella degli archivi %1 non esiste.").arg(folder));
}

qint64 wholeNumber(const QString &text, qint64 low, qint64 high, bool *ok)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    *ok = false;
    if (!digits.match(text).hasMatch())
        return 0;
    const qint64 value = text.toLongLong(ok);
    *ok = *ok && value >= low && value <= high;
    return value;
}

} // namespace

QString ArchiveTool::usage()
{
    return QStringLiteral(
        "Uso: totem-archive COMANDO ...\n"
        "\n"
        "Crea, mostra e modifica gli archivi KZ4.mdb, KZ4B.mdb e Totem.mdb del Totem.\n"
        "\n"
        "CARTELLA è la cartella degli archivi oppure l'indirizzo di un server PostgreSQL\n"
        "(postgresql://utente@server/database), dove gli archivi sono gli schemi kz4,\n"
        "kz4b e totem; la password si legge da ~/.pgpass o da PGPASSWORD.\n"
        "\n"
        "  totem-archive init CARTELLA [--demo] [--force]\n"
        "      crea i tre archivi nella cartella con i record che servono al Totem;\n"
        "      --demo li riempie con i dati di un ufficio dimostrativo,\n"
        "      --force sostituisce gli archivi già presenti.\n"
        "  totem-archive copy DA A [--force]\n"
        "      copia i tre archivi, tabella per tabella, da una cartella a un server o\n"
        "      viceversa; --force sostituisce gli archivi già presenti in A.\n"
        "  totem-archive show CARTELLA ARCHIVIO TABELLA\n"
        "      stampa la tabella (ARCHIVIO: KZ4.mdb, KZ4B.mdb o Totem.mdb) come testo\n"
        "      separato da tabulazioni: i nomi dei campi, poi un record per riga\n"
        "      nell'ordine naturale; un campo vuoto è un testo vuoto, e tabulazioni,\n"
        "      a capo e barre rovesciate nei testi diventano \\t, \\n e \\\\.\n"
        "  totem-archive serve CARTELLA POSTAZIONE NUMERO\n"
        "      scrive in KZ4B.mdb il numero servito dalla postazione (da 1 a 10),\n"
        "      come fa la postazione di lavoro dello sportello, e mostra l'istruzione\n"
        "      SQL che la postazione deve eseguire per farlo.\n"
        "  totem-archive ticket FILE [STAMPANTE]\n"
        "      scrive in FILE il progetto di stampa predefinito del ticket (Ticket.lbl);\n"
        "      STAMPANTE è il nome di una stampante, oppure pdf:CARTELLA per scrivere\n"
        "      ogni ticket come PDF in quella cartella; senza, la stampante predefinita.\n"
        "  totem-archive printers\n"
        "      elenca le code di stampa del sistema, una per riga, separate da\n"
        "      tabulazioni: nome, stato (pronta, occupata, ferma), se accetta lavori,\n"
        "      i motivi dello stato e i formati di carta offerti con le misure in mm.\n"
        "  totem-archive test-print FILE\n"
        "      stampa il biglietto di prova (numero 0) con il progetto di stampa FILE\n"
        "      sulla sua stampante, senza consumare un numero.\n"
        "  totem-archive --help\n"
        "      mostra questo testo.\n"
        "\n"
        "In caso di errore il comando scrive una riga sullo standard error ed esce con\n"
        "stato diverso da zero.\n");
}

int ArchiveTool::run(const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        err_ << usage();
        return UsageError;
    }
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    try {
        if (command == u"--help" || command == u"-h" || command == u"help")
            out_ << usage();
        else if (command == u"init")
            init(rest);
        else if (command == u"copy")
            copy(rest);
        else if (command == u"show")
            show(rest);
        else if (command == u"serve")
            serve(rest);
        else if (command == u"ticket")
            ticket(rest);
        else if (command == u"printers")
            printers(rest);
        else if (command == u"test-print")
            testPrint(rest);
        else
            throw UsageMistake(QStringLiteral("Comando sconosciuto: %1. Usare totem-archive "
                                              "--help per l'elenco dei comandi.")
                                   .arg(command));
    } catch (const UsageMistake &mistake) {
        err_ << oneLine(mistake.message) << Qt::endl;
        return UsageError;
    } catch (const ReportError &error) {
        err_ << oneLine(error.detail().isEmpty()
                            ? error.message()
                            : error.message() + QStringLiteral(" (") + error.detail() + u')')
             << Qt::endl;
        return Failure;
    } catch (const ArchiveError &error) {
        const QString text = error.detail().isEmpty()
                                 ? error.message()
                                 : error.message() + QStringLiteral(" (") + error.detail() + u')';
        err_ << oneLine(text) << Qt::endl;
        return Failure;
    }
    return Success;
}

void ArchiveTool::init(const QStringList &arguments)
{
    QStringList options;
    const QStringList args =
        positional(QStringLiteral("init"), arguments,
                   {QStringLiteral("--demo"), QStringLiteral("--force")}, &options);
    expectCount(QStringLiteral("init"), args, 1, QStringLiteral("CARTELLA [--demo] [--force]"));
    const bool demo = options.contains(QStringLiteral("--demo"));
    FreshArchives::create(args.at(0),
                          demo ? FreshArchives::Content::Demo : FreshArchives::Content::Empty,
                          options.contains(QStringLiteral("--force")));
    out_ << (demo ? QStringLiteral("Archivi dimostrativi creati in %1.")
                  : QStringLiteral("Archivi creati in %1."))
                .arg(QDir::toNativeSeparators(args.at(0)))
         << Qt::endl;
}

void ArchiveTool::copy(const QStringList &arguments)
{
    QStringList options;
    const QStringList args =
        positional(QStringLiteral("copy"), arguments, {QStringLiteral("--force")}, &options);
    expectCount(QStringLiteral("copy"), args, 2, QStringLiteral("DA A [--force]"));
    requireFolder(args.at(0));
    FreshArchives::create(args.at(1), ArchiveContent::read(args.at(0)),
                          options.contains(QStringLiteral("--force")));
    out_ << QStringLiteral("Archivi copiati da %1 a %2.").arg(args.at(0), args.at(1)) << Qt::endl;
}

void ArchiveTool::show(const QStringList &arguments)
{
    const QStringList args = positional(QStringLiteral("show"), arguments, {});
    expectCount(QStringLiteral("show"), args, 3, QStringLiteral("CARTELLA ARCHIVIO TABELLA"));
    const ArchiveSchema::Archive *archive = ArchiveSchema::archive(args.at(1));
    if (!archive)
        throw UsageMistake(QStringLiteral("Archivio sconosciuto: %1 (usare KZ4.mdb, KZ4B.mdb "
                                          "o Totem.mdb).")
                               .arg(args.at(1)));
    requireFolder(args.at(0));

    RecordSet records;
    records.bind(ArchivePath::join(args.at(0), archive->fileName), args.at(2));
    records.open();

    // Everything is gathered first, so that a failure prints nothing but its line.
    QStringList lines;
    QStringList header;
    for (int i = 0; i < records.fieldCount(); ++i)
        header << escaped(records.fieldName(i));
    lines << header.join(u'\t');
    for (records.moveFirst(); !records.isEof(); records.moveNext()) {
        QStringList values;
        for (int i = 0; i < records.fieldCount(); ++i)
            values << escaped(FieldValue::toDisplayText(records.value(i)));
        lines << values.join(u'\t');
    }
    for (const QString &line : std::as_const(lines))
        out_ << line << u'\n';
}

void ArchiveTool::serve(const QStringList &arguments)
{
    const QStringList args = positional(QStringLiteral("serve"), arguments, {});
    expectCount(QStringLiteral("serve"), args, 3, QStringLiteral("CARTELLA POSTAZIONE NUMERO"));
    bool ok = false;
    const int counter = int(wholeNumber(args.at(1), 1, ArchiveSchema::CounterCount, &ok));
    if (!ok)
        throw UsageMistake(QStringLiteral("Postazione non valida: %1 (deve essere un numero "
                                          "da 1 a %2).")
                               .arg(args.at(1))
                               .arg(ArchiveSchema::CounterCount));
    const qint64 number = wholeNumber(args.at(2), 0, std::numeric_limits<qint32>::max(), &ok);
    if (!ok)
        throw UsageMistake(QStringLiteral("Numero non valido: %1 (deve essere un numero intero "
                                          "da 0 a %2).")
                               .arg(args.at(2))
                               .arg(std::numeric_limits<qint32>::max()));
    requireFolder(args.at(0));

    RecordSet served;
    served.bind(ArchivePath::join(args.at(0), ArchivePath::kz4b()),
                ArchiveSchema::servedNumberTable(counter));
    served.open();
    served.edit();
    served.setValue(ArchiveSchema::servedNumberField(), qint32(number));
    served.update();
    out_ << QStringLiteral("Postazione %1: numero servito %2.").arg(counter).arg(number)
         << Qt::endl;
    // What a counter's workstation runs to do the same, on this store.
    const bool server = ArchivePath::isServer(args.at(0));
    const auto name = [server](const QString &stored) {
        return server ? ServerStore::storedName(stored) : stored;
    };
    out_ << QStringLiteral("Istruzione SQL%1: UPDATE %2%3 SET %4 = %5")
                .arg(server ? QString() : QStringLiteral(" (KZ4B.mdb)"),
                     server ? ServerStore::schemaOf(ArchivePath::kz4b()) + u'.' : QString(),
                     name(ArchiveSchema::servedNumberTable(counter)),
                     name(ArchiveSchema::servedNumberField()))
                .arg(number)
         << Qt::endl;
}

void ArchiveTool::ticket(const QStringList &arguments)
{
    const QStringList args = positional(QStringLiteral("ticket"), arguments, {});
    if (args.size() < 1 || args.size() > 2)
        expectCount(QStringLiteral("ticket"), args, 1, QStringLiteral("FILE [STAMPANTE]"));
    TicketProject::defaultTicket(args.value(1)).save(args.first());
    out_ << QStringLiteral("Progetto di stampa scritto in %1.").arg(args.first()) << Qt::endl;
}

void ArchiveTool::printers(const QStringList &arguments)
{
    expectCount(QStringLiteral("printers"), positional(QStringLiteral("printers"), arguments, {}),
                0, QString());
    const auto mm = [](qreal value) { return QString::number(value); };
    const QList<CupsQueue> queues = CupsConnection::allQueues();
    if (queues.isEmpty())
        out_ << QStringLiteral("Nessuna coda di stampa configurata.") << Qt::endl;
    for (const CupsQueue &queue : queues) {
        QStringList media;
        for (const CupsMedium &medium : queue.media)
            media << QStringLiteral("%1 (%2x%3 mm)")
                         .arg(medium.name, mm(medium.size.width()), mm(medium.size.height()));
        if (!queue.customMaximum.isEmpty())
            media << QStringLiteral("su misura (da %1x%2 a %3x%4 mm)")
                         .arg(mm(queue.customMinimum.width()), mm(queue.customMinimum.height()),
                              mm(queue.customMaximum.width()), mm(queue.customMaximum.height()));
        out_ << QStringList{escaped(queue.name), queue.stateText(),
                            queue.accepting ? QStringLiteral("accetta lavori")
                                            : QStringLiteral("non accetta lavori"),
                            queue.reasons.isEmpty() ? QStringLiteral("none")
                                                    : queue.reasons.join(u','),
                            media.join(QStringLiteral(", "))}
                    .join(u'\t')
             << u'\n';
    }
}

void ArchiveTool::testPrint(const QStringList &arguments)
{
    const QStringList args = positional(QStringLiteral("test-print"), arguments, {});
    expectCount(QStringLiteral("test-print"), args, 1, QStringLiteral("FILE"));
    const TicketProject project = TicketProject::load(args.first());
    const SystemClock clock;
    const DeliveryResult result = PrintTarget::deliver(project, clock, {TestTicket::items(clock)});
    if (!result.printed())
        throw ReportError(result.message);
    out_ << QStringLiteral("Biglietto di prova stampato.") << Qt::endl;
}
