#include "archive/demoarchivecontent.h"

#include "core/office.h"

#include "archive/archivepath.h"
#include "archive/archiveschema.h"

#include <array>

namespace {

constexpr int Monday = 1;
constexpr int Tuesday = 2;
constexpr int Wednesday = 3;
constexpr int Thursday = 4;
constexpr int Friday = 5;
constexpr int Saturday = 6;

// Tickets handed out today and still waiting at counters 1 to 10; counters 4 and 8 had
// nobody on duty at the last ticket, so their current number is 0.
constexpr std::array<qint32, Office::CounterCount> issued{23, 11, 7, 0, 15, 9, 4, 0, 12, 18};
constexpr std::array<qint32, Office::CounterCount> waiting{3, 2, 1, 0, 4, 0, 1, 0, 2, 5};
constexpr qint32 singleQueueIssued = 37;

// Each counter hands out numbers from its own hundred.
qint32 initialNumber(int counter)
{
    return (counter - 1) * 100;
}

qint32 currentNumber(int counter)
{
    const qint32 n = issued[counter - 1];
    return n == 0 ? 0 : initialNumber(counter) + n;
}

// The counters open on a weekday morning, in the order in which the operators of the
// day's rota are dealt out to them: two of the ten stay closed each day.
QList<int> morningCounters(int weekday)
{
    static const std::array<std::array<int, 2>, 5> closed{{{7, 8}, {4, 9}, {6, 8}, {3, 7}, {4, 6}}};
    QList<int> open;
    for (int counter = 1; counter <= ArchiveSchema::CounterCount; ++counter) {
        const auto &shut = closed[weekday - Monday];
        if (counter != shut[0] && counter != shut[1])
            open << counter;
    }
    return open;
}

const QString demoTitle = QStringLiteral("Comune di Valdoria - Servizi al Cittadino");

} // namespace

QList<DemoArchiveContent::Operator> DemoArchiveContent::operators()
{
    // Identifiers with gaps, as an installation that has seen people come and go.
    return {{3, QStringLiteral("Maria Rossi")},        {5, QStringLiteral("Luca Bianchi")},
            {8, QStringLiteral("Giulia Esposito")},    {12, QStringLiteral("Marco Romano")},
            {13, QStringLiteral("Francesca Colombo")}, {17, QStringLiteral("Alessandro Ricci")},
            {21, QStringLiteral("Chiara Marino")},     {24, QStringLiteral("Davide Greco")}};
}

QStringList DemoArchiveContent::counterNames()
{
    return {QStringLiteral("Anagrafe"),
            QStringLiteral("Protocollo"),
            QStringLiteral("Stato Civile"),
            QStringLiteral("Servizi Elettorali"),
            QStringLiteral("Tributi"),
            QStringLiteral("Servizi Sociali"),
            QStringLiteral("Ufficio Tecnico"),
            QStringLiteral("Polizia Locale"),
            QStringLiteral("Relazioni col Pubblico"),
            QStringLiteral("Cassa Economale")};
}

qint32 DemoArchiveContent::onDuty(int weekday, int counter, int hour)
{
    const QList<Operator> staff = operators();
    const auto rota = [&staff](int slot) { return staff.at(slot % staff.size()).id; };

    if (weekday == Saturday) {
        // A short Saturday morning at the first three counters.
        return hour >= 8 && hour <= 11 && counter <= 3 ? rota(counter - 1 + weekday) : 0;
    }
    if (weekday < Monday || weekday > Friday)
        return 0;

    const QList<int> morning = morningCounters(weekday);
    const int morningSlot = int(morning.indexOf(counter));
    if (hour >= 8 && hour <= 12)
        return morningSlot >= 0 ? rota(morningSlot + weekday) : 0;
    // The registry opens early on Mondays and Thursdays, with the morning's operator.
    if (hour == 7)
        return counter == 1 && (weekday == Monday || weekday == Thursday) ? rota(weekday) : 0;
    if (hour == 13)
        return 0; // lunch break

    const bool longAfternoon = weekday == Monday || weekday == Tuesday || weekday == Thursday;
    if (longAfternoon && hour >= 14 && hour <= 16) {
        static const QList<int> afternoon{1, 2, 5, 10};
        const int slot = int(afternoon.indexOf(counter));
        return slot >= 0 ? rota(slot + weekday + 4) : 0;
    }
    // Thursday evening the registry stays open until 20:00.
    if (weekday == Thursday && hour >= 17 && hour <= 19)
        return counter == 1 ? rota(weekday + 4) : 0;
    if ((weekday == Wednesday || weekday == Friday) && (hour == 14 || hour == 15))
        return counter == 10 ? rota(weekday + 2) : 0;
    return 0;
}

ArchiveContent::ScreenLayout DemoArchiveContent::screenLayout()
{
    using C = ArchiveContent;
    ArchiveContent::ScreenLayout layout;
    layout.title = demoTitle;
    layout.fontName = QStringLiteral("DejaVu Sans");
    layout.titleFontSize = 20;
    layout.titleBold = true;
    layout.titleBackground = C::colour(20, 66, 114);
    layout.titleText = C::colour(255, 255, 255);
    layout.barBackground = C::colour(255, 255, 255);
    layout.barTexts = C::colour(20, 66, 114);
    layout.buttonFontSize = 13;
    layout.buttonBold = true;
    layout.buttonStyle = 6;
    layout.buttonText = C::colour(20, 66, 114);
    for (int line = 0; line < ArchiveSchema::LineCount; ++line) {
        layout.panelBackgrounds[line] = line < 5    ? C::colour(214, 234, 248)
                                        : line < 10 ? C::colour(213, 245, 227)
                                                    : C::colour(253, 235, 208);
    }
    layout.panelTexts = C::colour(52, 73, 94);
    layout.singleQueueCaption = QStringLiteral("Coda Unica");
    layout.screenBackground = C::colour(234, 240, 246);

    // 19200 x 15360 twips: the title and the bar centred at the top, then three rows of
    // 3495 x 3975 panels 240 twips apart, the single queue alone in the middle of the
    // third. Multiples of 15 twips fall on whole pixels at 96 DPI.
    layout.positions[0] = QPointF(645, 240);
    layout.positions[1] = QPointF(645, 1080);
    const std::array<qreal, 5> lefts{375, 4110, 7845, 11580, 15315};
    const std::array<qreal, 3> tops{2160, 6375, 10590};
    for (int i = 0; i < Office::CounterCount; ++i)
        layout.positions[2 + i] = QPointF(lefts[i % 5], tops[i / 5]);
    layout.positions[12] = QPointF(lefts[2], tops[2]);
    return layout;
}

ArchiveContent DemoArchiveContent::build()
{
    ArchiveContent content = ArchiveContent::empty();

    const QString labels = ArchiveSchema::labelTable(ArchiveSchema::DefaultLabelSet);
    const QString key = ArchiveSchema::labelKeyField();
    const QString text = ArchiveSchema::labelTextField();
    // Label tables hold other texts of the installation too; the kiosk looks its keys up.
    QList<ArchiveContent::Record> labelRecords{
        {{key, QStringLiteral("NomeEnte")}, {text, QStringLiteral("Comune di Valdoria")}}};
    const QStringList names = counterNames();
    for (int counter = 1; counter <= ArchiveSchema::CounterCount; ++counter)
        labelRecords << ArchiveContent::Record{{key, ArchiveSchema::counterLabelKey(counter)},
                                               {text, names.at(counter - 1)}};
    labelRecords << ArchiveContent::Record{{key, QStringLiteral("Messaggio")},
                                           {text, QStringLiteral("Benvenuti")}};
    content.setRecords(ArchivePath::kz4(), labels, labelRecords);

    QList<ArchiveContent::Record> staff;
    for (const Operator &op : operators())
        staff << ArchiveContent::Record{{ArchiveSchema::operatorIdField(), op.id},
                                        {ArchiveSchema::operatorNameField(), op.name}};
    content.setRecords(ArchivePath::kz4(), ArchiveSchema::operatorsTable(), staff);

    ArchiveContent::Record current;
    ArchiveContent::Record initial;
    for (int counter = 1; counter <= ArchiveSchema::CounterCount; ++counter) {
        const qint32 number = currentNumber(counter);
        current.insert(ArchiveSchema::currentNumberField(counter), number);
        initial.insert(ArchiveSchema::initialNumberField(counter), initialNumber(counter));
        const qint32 served = number == 0 ? 0 : number - waiting[counter - 1];
        content.setRecords(ArchivePath::kz4b(), ArchiveSchema::servedNumberTable(counter),
                           {{{ArchiveSchema::servedNumberField(), served}}});
    }
    current.insert(ArchiveSchema::currentNumberField(ArchiveSchema::LineCount), singleQueueIssued);
    current.insert(ArchiveSchema::singleQueueCopyField(), singleQueueIssued);
    initial.insert(ArchiveSchema::initialNumberField(ArchiveSchema::LineCount), 0);
    content.setRecords(ArchivePath::totem(), ArchiveSchema::currentNumbersTable(), {current});
    content.setRecords(ArchivePath::totem(), ArchiveSchema::initialNumbersTable(), {initial});

    // The last ticket printed: the registry's, at mid-morning.
    content.setRecords(ArchivePath::totem(), ArchiveSchema::ticketTable(),
                       {{{QStringLiteral("ID"), 1},
                         {QStringLiteral("Titolo"), demoTitle},
                         {QStringLiteral("QualeUtente"), operators().at(1).name},
                         {QStringLiteral("QualePostazione"), names.at(0)},
                         {QStringLiteral("QualeData"), QStringLiteral("02/03/2026")},
                         {QStringLiteral("QualeOra"), QStringLiteral("10.15")},
                         {QStringLiteral("NumeroDaStampare"), currentNumber(1)}}});

    for (int weekday = 1; weekday <= ArchiveSchema::DayCount; ++weekday) {
        QList<ArchiveContent::Record> day;
        for (int counter = 1; counter <= ArchiveSchema::CounterCount; ++counter) {
            ArchiveContent::Record hours;
            for (int hour = ArchiveSchema::FirstHour; hour <= ArchiveSchema::LastHour; ++hour)
                hours.insert(ArchiveSchema::hourField(hour), onDuty(weekday, counter, hour));
            day << hours;
        }
        content.setRecords(ArchivePath::totem(), ArchiveSchema::dayTable(weekday), day);
    }

    content.setRecords(ArchivePath::totem(), ArchiveSchema::screenLayoutTable(),
                       ArchiveContent::screenLayoutRecords(screenLayout()));
    return content;
}
