#include "schedule/palinsesto.h"

#include "ui/screenelements.h"

#include "archive/archiveerror.h"
#include "core/kioskstate.h"
#include "ui/dialogs.h"
#include "ui/formfont.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>

namespace {

// Geometry of the screen, in twips.
constexpr int FormWidth = 18825;
constexpr int FormHeight = 10050;
constexpr int TextLeft = 5880;
constexpr int TextWidth = 4575;
constexpr int LabelHeight = 255;
constexpr int GridLeft = 120;
constexpr int GridTop = 2160;
constexpr int GridWidth = 18600;
constexpr int GridHeight = 7770;
constexpr int HeaderColumnWidth = 1800;
constexpr int HourColumnWidth = 1200; // 1800 + 14 x 1200 fill the grid's width exactly
constexpr int HeaderRowHeight = 800;
constexpr int CounterRowHeight = 700;
constexpr int ButtonTop = 1560;
constexpr int ButtonWidth = 1095;
constexpr int ButtonHeight = 330;

const QColor headerBackground(219, 255, 204);
const QColor beyondLastRow(255, 192, 192);

const std::array<QString, Palinsesto::DayCount> dayTexts{
    QStringLiteral("lunedì"),  QStringLiteral("martedì"), QStringLiteral("mercoledì"),
    QStringLiteral("giovedì"), QStringLiteral("venerdì"), QStringLiteral("sabato"),
    QStringLiteral("domenica")};

QLabel *makeLabel(QWidget *parent, const QString &text, const QRect &place, bool bold)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

} // namespace

Palinsesto::Palinsesto(KioskState &state, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), state_(state), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Palinsesto"));
    setWindowTitle(QStringLiteral("Gestione del Palinsesto"));
    setFixedSize(Twips::toPixels(FormWidth), Twips::toPixels(FormHeight));
    setFont(FormFont::standard());

    buildOperatorArea();
    buildDayButtons();

    titleLabel_ = new QLabel(QStringLiteral("Gestione del Palinsesto settimanale "), this);
    titleLabel_->setObjectName(QStringLiteral("Label1"));
    titleLabel_->setGeometry(Twips::rect(10800, 240, 7815, 375));
    titleLabel_->setFont(FormFont::heading());

    const std::array<QString, 2> captions{QStringLiteral("Chiudi"), QStringLiteral("Salva")};
    const std::array<int, 2> lefts{17520, 16440};
    for (int i = 0; i < int(commandButtons_.size()); ++i) {
        commandButtons_[i] = new QPushButton(captions[i], this);
        commandButtons_[i]->setObjectName(ScreenElements::indexed("PB1", i));
        commandButtons_[i]->setGeometry(
            Twips::rect(lefts[i], ButtonTop, ButtonWidth, ButtonHeight));
        // Enter in the operator list must not save or close the screen.
        commandButtons_[i]->setAutoDefault(false);
    }
    connect(commandButtons_[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(commandButtons_[1], &QPushButton::clicked, this, &Palinsesto::save);

    scheduleGrid_ = new QTableWidget(GridRows, GridColumns, this);
    scheduleGrid_->setObjectName(QStringLiteral("Grid1"));
    scheduleGrid_->setGeometry(Twips::rect(GridLeft, GridTop, GridWidth, GridHeight));
    connect(scheduleGrid_, &QTableWidget::cellClicked, this, &Palinsesto::toggleCell);

    QWidget::setTabOrder(operatorGrid_, dayButtons_[0]);
    for (int i = 1; i < DayCount; ++i)
        QWidget::setTabOrder(dayButtons_[i - 1], dayButtons_[i]);
    QWidget::setTabOrder(dayButtons_[DayCount - 1], commandButtons_[1]);
    QWidget::setTabOrder(commandButtons_[1], commandButtons_[0]);
    QWidget::setTabOrder(commandButtons_[0], scheduleGrid_);
    operatorGrid_->setFocus();

    load();
}

void Palinsesto::buildOperatorArea()
{
    operatorModel_ = new QStandardItemModel(0, 2, this);
    operatorModel_->setHorizontalHeaderLabels({QStringLiteral("Nominativo"), QStringLiteral("ID")});

    operatorGrid_ = new QTableView(this);
    operatorGrid_->setObjectName(QStringLiteral("grid"));
    operatorGrid_->setGeometry(Twips::rect(120, 120, 5340, 1980));
    operatorGrid_->setModel(operatorModel_);
    operatorGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    operatorGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    operatorGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    operatorGrid_->setTabKeyNavigation(false);
    operatorGrid_->verticalHeader()->hide();
    operatorGrid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    operatorGrid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    // Moving through the list with the keyboard picks the operator just as a click does.
    connect(operatorGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { selectOperator(current.row()); });
    connect(operatorGrid_, &QTableView::clicked, this,
            [this](const QModelIndex &index) { selectOperator(index.row()); });

    makeLabel(this, QStringLiteral("Utente"), Twips::rect(TextLeft, 120, TextWidth, LabelHeight),
              false);
    operatorLabel_ = makeLabel(this, QString(), Twips::rect(TextLeft, 360, TextWidth, 285), true);
    makeLabel(this, QStringLiteral("Giorno selezionato"),
              Twips::rect(TextLeft, 840, TextWidth, LabelHeight), false);
    dayLabel_ = makeLabel(this, QString(), Twips::rect(TextLeft, 1080, TextWidth, 285), true);
    operatorLabel_->setObjectName(ScreenElements::indexed("Label3", 0));
    dayLabel_->setObjectName(ScreenElements::indexed("Label3", 1));
}

void Palinsesto::buildDayButtons()
{
    dayGroup_ = new QGroupBox(this);
    dayGroup_->setObjectName(QStringLiteral("GroupBox1"));
    dayGroup_->setGeometry(Twips::rect(TextLeft, 1440, 8295, 645));
    const std::array<QString, DayCount> captions{
        QStringLiteral(" Lunedì"),  QStringLiteral(" Martedì"), QStringLiteral(" Mercoledì"),
        QStringLiteral(" Giovedì"), QStringLiteral(" Venerdì"), QStringLiteral(" Sabato"),
        QStringLiteral(" Domenica")};
    // Nothing lies right of the last button: it may take the frame's width to its edge.
    const std::array<int, DayCount + 1> lefts{240, 1200, 2400, 3600, 4800, 6000, 7080, 8265};
    for (int i = 0; i < DayCount; ++i) {
        dayButtons_[i] = new QRadioButton(captions[i], dayGroup_);
        dayButtons_[i]->setObjectName(ScreenElements::indexed("RB1", i));
        dayButtons_[i]->setGeometry(
            Twips::rect(lefts[i], 240, lefts[i + 1] - lefts[i], LabelHeight));
    }
    dayButtons_[0]->setChecked(true);
    // Connected after the first choice: loading shows Monday itself. Reacting to the change
    // rather than to the click keeps a second click on the day shown from dropping edits,
    // and lets the arrow keys choose a day too.
    for (int i = 0; i < DayCount; ++i) {
        connect(dayButtons_[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                chooseDay(i);
        });
    }
}

void Palinsesto::setUpGrid()
{
    // The header row and column are cells of the grid, so that a cell's row and column are
    // its counter and its hour.
    scheduleGrid_->horizontalHeader()->hide();
    scheduleGrid_->verticalHeader()->hide();
    // The fifteen columns fill the grid's width exactly, and the rows (800 + 10 x 700) are a
    // few pixels taller than its height: a frame or a scroll bar would push in a second bar.
    scheduleGrid_->setFrameShape(QFrame::NoFrame);
    scheduleGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scheduleGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scheduleGrid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    scheduleGrid_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    scheduleGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    scheduleGrid_->setSelectionMode(QAbstractItemView::NoSelection);
    scheduleGrid_->setWordWrap(true);
    scheduleGrid_->setStyleSheet(
        QStringLiteral("QTableWidget { gridline-color: rgb(192, 192, 192); }"));
    QPalette palette = scheduleGrid_->palette();
    palette.setColor(QPalette::Base, beyondLastRow);
    scheduleGrid_->setPalette(palette);

    scheduleGrid_->horizontalHeader()->setMinimumSectionSize(1);
    scheduleGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    scheduleGrid_->verticalHeader()->setMinimumSectionSize(Twips::toPixels(CounterRowHeight));
    scheduleGrid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    scheduleGrid_->setColumnWidth(0, Twips::toPixels(HeaderColumnWidth));
    for (int column = 1; column < GridColumns; ++column)
        scheduleGrid_->setColumnWidth(column, Twips::toPixels(HourColumnWidth));
    scheduleGrid_->setRowHeight(0, Twips::toPixels(HeaderRowHeight));
    for (int row = 1; row < GridRows; ++row)
        scheduleGrid_->setRowHeight(row, Twips::toPixels(CounterRowHeight));

    // The cells a shade smaller than the rest of the form.
    QFont cellFont = FormFont::standard();
    cellFont.setPointSize(8);
    QFont headerFont = cellFont;
    headerFont.setBold(true);
    for (int row = 0; row < GridRows; ++row) {
        for (int column = 0; column < GridColumns; ++column) {
            auto *item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled);
            item->setTextAlignment(Qt::AlignCenter);
            item->setFont(row == 0 ? headerFont : cellFont);
            item->setBackground(row == 0 || column == 0 ? headerBackground : QColor(Qt::white));
            scheduleGrid_->setItem(row, column, item);
        }
    }
    for (int row = 1; row < GridRows; ++row)
        scheduleGrid_->item(row, 0)->setText(state_.counterNames.at(row - 1));
    scheduleGrid_->item(0, 0)->setText(QStringLiteral("Postazione/Orario"));
    for (int column = 1; column < GridColumns; ++column)
        scheduleGrid_->item(0, column)->setText(QStringLiteral("%1:00").arg(
            ArchiveSchema::FirstHour + column - 1, 2, 10, QLatin1Char('0')));
}

void Palinsesto::load()
{
    setUpGrid();

    try {
        operators_ = OperatorList::read(archiveFolder());
    } catch (const ArchiveError &error) {
        dialogs_.alert(this, QStringLiteral("L'elenco degli utenti non può essere letto: il "
                                            "palinsesto non può essere modificato.\n")
                                 + error.fullText());
        operators_ = OperatorList();
    }
    for (int i = 0; i < operators_.size(); ++i) {
        const OperatorList::Operator &op = operators_.at(i);
        auto *name = new QStandardItem(op.name);
        auto *id = new QStandardItem;
        id->setData(op.id, Qt::DisplayRole);
        operatorModel_->appendRow({name, id});
    }

    if (operators_.isEmpty()) {
        selectOperator(-1);
        return;
    }
    operatorGrid_->setCurrentIndex(operatorModel_->index(0, 0));
    selectOperator(0);

    dayText_ = dayTexts[0];
    dayTable_ = QStringLiteral("Totem") + dayText_;
    assignments_ = ScheduleDay();
    showDay();
    scheduleGrid_->setCurrentCell(0, 0);
}

void Palinsesto::selectOperator(int row)
{
    if (row < 0 || row >= operators_.size()) {
        selectedName_.clear();
        selectedId_ = 0;
    } else {
        selectedName_ = operators_.at(row).name;
        selectedId_ = operators_.at(row).id;
    }
    operatorLabel_->setText(selectedName_);
}

void Palinsesto::chooseDay(int index)
{
    dayText_ = dayTexts.at(index);
    dayTable_ = QStringLiteral("Totem") + dayText_;
    showDay();
}

void Palinsesto::showDay()
{
    dayLabel_->setText(dayText_);
    // Without operators there is nothing to assign: the grid keeps what it shows.
    if (operators_.isEmpty())
        return;

    dayLoaded_ = false;
    ScheduleDay day;
    OperatorList names;
    try {
        day = ScheduleDay::read(archiveFolder(), dayTable_);
        // Read anew for each day shown, so that the names are today's; once, not per cell.
        names = OperatorList::read(archiveFolder());
    } catch (const ArchiveError &error) {
        // The previous day's assignments must not stand under this day's name.
        clearCells();
        assignments_ = ScheduleDay();
        dialogs_.alert(this,
                       QStringLiteral("Il palinsesto di %1 non può essere mostrato: per questo "
                                      "giorno non verrà salvato nulla.\n")
                               .arg(dayText_)
                           + error.fullText());
        return;
    }

    assignments_ = day;
    dayLoaded_ = true;
    for (int counter = 0; counter < ScheduleDay::CounterCount; ++counter) {
        for (int hour = 0; hour < ScheduleDay::HourCount; ++hour) {
            const qint32 id = day.operatorAt(counter, hour);
            scheduleGrid_->item(counter + 1, hour + 1)
                ->setText(id != 0 ? names.cellText(id) : QString());
        }
    }
}

void Palinsesto::clearCells()
{
    for (int row = 1; row < GridRows; ++row) {
        for (int column = 1; column < GridColumns; ++column)
            scheduleGrid_->item(row, column)->setText(QString());
    }
}

void Palinsesto::toggleCell(int row, int column)
{
    if (row < 1 || column < 1 || !dayLoaded_)
        return;
    const int counter = row - 1;
    const int hour = column - 1;
    // The matrix, not the text, says whether the cell is taken: it is what will be saved.
    const qint32 id = assignments_.operatorAt(counter, hour) != 0 ? 0 : selectedId_;
    assignments_.setOperator(counter, hour, id);
    scheduleGrid_->item(row, column)->setText(id != 0 ? operators_.cellText(id) : QString());
}

void Palinsesto::save()
{
    if (operators_.isEmpty())
        return;
    if (!dayLoaded_) {
        dialogs_.message(this, Dialogs::Kind::Information,
                         QStringLiteral("Il palinsesto di %1 non è stato caricato: non è stato "
                                        "salvato nulla.")
                             .arg(dayText_),
                         QStringLiteral("Attenzione"));
        return;
    }
    try {
        assignments_.write(archiveFolder(), dayTable_);
    } catch (const ArchiveError &error) {
        dialogs_.alert(
            this,
            QStringLiteral("Il salvataggio del palinsesto di %1 non è riuscito.\n").arg(dayText_)
                + error.fullText());
    }
}

QString Palinsesto::archiveFolder() const
{
    return state_.archiveFolder;
}
