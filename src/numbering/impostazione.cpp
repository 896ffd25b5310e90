#include "numbering/impostazione.h"

#include "ui/screenelements.h"

#include "archive/archiveerror.h"
#include "archive/issuejournal.h"
#include "archive/issuestore.h"
#include "core/kioskstate.h"
#include "numbering/numberingtables.h"
#include "ui/dialogs.h"
#include "ui/formfont.h"
#include "ui/twips.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QShowEvent>

namespace {

// Both frames have one row per numbering line: counters 1 to 10, then the single queue.
constexpr int RowCount = Office::LineCount;
constexpr int FirstRowTop = 840;
constexpr int RowPitch = 360;
constexpr int MaxDigits = 5;

int rowTop(int row)
{
    return FirstRowTop + row * RowPitch;
}

QString rowCaption(int row)
{
    return row < Office::CounterCount ? QStringLiteral("Postazione %1").arg(row + 1)
                                      : QStringLiteral("Coda Singola");
}

// Row r of both frames is numbering line r + 1; the single queue's row is the last.
int currentBox(int row)
{
    return row < Office::CounterCount ? row + 1 : 0;
}

int initialBox(int row)
{
    return row < Office::CounterCount ? row + Office::LineCount
                                      : Impostazione::SingleQueueInitialBox;
}

} // namespace

Impostazione::Impostazione(KioskState &state, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), state_(state), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Impostazione"));
    setWindowTitle(QStringLiteral("Impostazione"));
    setFixedSize(Twips::toPixels(8055), Twips::toPixels(6075));
    setFont(FormFont::standard());

    const QString frameTitles[] = {QString(), QStringLiteral("Modifica il Numero"),
                                   QStringLiteral("Impostazione Numero iniziale")};
    const QRect framePlaces[] = {Twips::rect(240, 5160, 5895, 855),
                                 Twips::rect(120, 120, 3735, 4935),
                                 Twips::rect(3960, 120, 3735, 4935)};
    for (int i = 0; i < int(frames_.size()); ++i) {
        frames_[i] = new QGroupBox(frameTitles[i], this);
        frames_[i]->setObjectName(ScreenElements::indexed("GroupBox1", i));
        frames_[i]->setGeometry(framePlaces[i]);
    }
    QGroupBox *currentFrame = frames_[1];
    QGroupBox *initialFrame = frames_[2];

    // Typing and pasting alike: text set by the screen itself (a loaded number of six
    // digits) is not cut, as a validator leaves setText() alone.
    auto *digits = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(MaxDigits)), this);
    const auto makeBox = [&](int index, QGroupBox *frame, int left, int top) {
        auto *box = new QLineEdit(frame);
        box->setObjectName(ScreenElements::indexed("Modifnr", index));
        box->setGeometry(Twips::rect(left, top, 975, 285));
        box->setValidator(digits);
        box->installEventFilter(this);
        numberBoxes_[index] = box;
    };
    const auto makeButton = [&](const QString &caption, QWidget *owner, const QString &name,
                                const QRect &place) {
        auto *button = new QPushButton(caption, owner);
        button->setObjectName(name);
        button->setGeometry(place);
        // No button is the dialog's default: Enter in a box must not store some row.
        button->setAutoDefault(false);
        return button;
    };

    for (int row = 0; row < RowCount; ++row) {
        auto *label = new QLabel(rowCaption(row), currentFrame);
        label->setGeometry(Twips::rect(120, rowTop(row), 1155, 285));
        makeBox(currentBox(row), currentFrame, 1320, rowTop(row));
        storeButtons_[currentBox(row)] = makeButton(QStringLiteral("Esegui"), currentFrame,
                                                    ScreenElements::indexed("Na1", currentBox(row)),
                                                    Twips::rect(2400, rowTop(row), 975, 300));

        label = new QLabel(rowCaption(row), initialFrame);
        label->setGeometry(Twips::rect(120, rowTop(row), 1275, 285));
        makeBox(initialBox(row), initialFrame, 1440, rowTop(row));
    }
    saveInitialButton_ =
        makeButton(QStringLiteral("Esegui"), initialFrame, QStringLiteral("Salvain"),
                   Twips::rect(2640, FirstRowTop, 855, 3855));

    resetLabel_ = new QLabel(
        QStringLiteral("Riporta tutti i Numeri alla impostazione Numero Iniziale"), frames_[0]);
    resetLabel_->setWordWrap(true);
    resetLabel_->setGeometry(Twips::rect(120, 240, 4440, 495));
    resetButton_ = makeButton(QStringLiteral("Esegui"), frames_[0],
                              ScreenElements::indexed("PB1", 1), Twips::rect(4680, 300, 975, 300));
    closeButton_ = makeButton(QStringLiteral(" C&hudi"), this, ScreenElements::indexed("PB1", 0),
                              Twips::rect(6240, 5480, 1335, 330));

    QList<QWidget *> focusOrder;
    for (int counter = 1; counter <= Office::CounterCount; ++counter)
        focusOrder << numberBoxes_[counter] << storeButtons_[counter];
    focusOrder << storeButtons_[0];
    for (int row = 0; row < Office::CounterCount; ++row)
        focusOrder << numberBoxes_[initialBox(row)];
    focusOrder << numberBoxes_[SingleQueueInitialBox] << saveInitialButton_ << resetButton_
               << closeButton_ << numberBoxes_[0];
    for (int i = 1; i < focusOrder.size(); ++i)
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    numberBoxes_[1]->setFocus();

    for (int row = 0; row < RowCount; ++row) {
        const int index = currentBox(row);
        connect(storeButtons_[index], &QPushButton::clicked, this,
                [this, index] { storeCurrent(index); });
    }
    connect(saveInitialButton_, &QPushButton::clicked, this, &Impostazione::storeInitial);
    connect(resetButton_, &QPushButton::clicked, this, &Impostazione::resetToInitial);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);

    load();
}

bool Impostazione::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Coming back from a message box or another program is no new visit of the box:
        // the clipboard and the cursor stay as they were.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            prepareForOvertyping(box);
        selectOnRelease_ = reason == Qt::MouseFocusReason ? box : nullptr;
    } else if (event->type() == QEvent::MouseButtonRelease && box == selectOnRelease_) {
        selectOnRelease_ = nullptr;
        if (!box->hasSelectedText())
            box->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}

void Impostazione::showEvent(QShowEvent *event)
{
    // Box 1 already holds the focus when the screen opens; activation does not count as
    // a visit (see eventFilter), so opening prepares it here.
    if (!event->spontaneous() && focusWidget() == numberBoxes_[1])
        prepareForOvertyping(numberBoxes_[1]);
    QDialog::showEvent(event);
}

void Impostazione::load()
{
    QStringList problems;
    try {
        const NumberingTables::Numbers numbers = NumberingTables::readCurrent(state_.archiveFolder);
        for (int row = 0; row < RowCount; ++row)
            numberBoxes_[currentBox(row)]->setText(QString::number(numbers[row]));
    } catch (const ArchiveError &error) {
        problems << error.fullText();
    }
    try {
        const NumberingTables::Numbers numbers = NumberingTables::readInitial(state_.archiveFolder);
        for (int row = 0; row < RowCount; ++row)
            numberBoxes_[initialBox(row)]->setText(QString::number(numbers[row]));
    } catch (const ArchiveError &error) {
        // A missing file fails both reads alike: say it once.
        if (!problems.contains(error.fullText()))
            problems << error.fullText();
    }
    if (!problems.isEmpty())
        reportFailure(QStringLiteral("I numeri non sono stati letti dall'archivio: le caselle "
                                     "dei numeri non letti restano vuote."),
                      problems.join(QStringLiteral("\n\n")));
}

bool Impostazione::journalWrittenBack(const QString &headline)
{
    // A number edited here and an older one written back from the kiosk's journal later
    // would overwrite each other: the journal goes first, or the edit waits.
    IssueJournal journal;
    const int entries = IssueStore::writeBack(state_.archiveFolder, journal);
    if (entries > 0)
        reportFailure(headline, IssueStore::journalPendingMessage(entries));
    return entries == 0;
}

void Impostazione::storeCurrent(int index)
{
    if (!journalWrittenBack(QStringLiteral("Il numero non è stato modificato.")))
        return;
    const qint32 number = numberOf(index);
    const int line = index == 0 ? Office::LineCount : index;
    try {
        NumberingTables::writeCurrent(state_.archiveFolder, line, number);
    } catch (const ArchiveError &error) {
        reportFailure(QStringLiteral("Il numero non è stato modificato."), error.fullText());
        return;
    }
    confirm(QStringLiteral("Numero Modificato !"));
}

void Impostazione::storeInitial()
{
    NumberingTables::Numbers numbers{};
    for (int row = 0; row < RowCount; ++row)
        numbers[row] = numberOf(initialBox(row));
    try {
        NumberingTables::writeAllInitial(state_.archiveFolder, numbers);
    } catch (const ArchiveError &error) {
        reportFailure(QStringLiteral("La numerazione iniziale non è stata impostata."),
                      error.fullText());
        return;
    }
    confirm(QStringLiteral("Numerazione impostata !"));
}

void Impostazione::resetToInitial()
{
    if (dialogs_.question(this,
                          QStringLiteral("Portiamo tutti i Numeri alla impostazione Iniziale ?"),
                          QStringLiteral("Richiesta"))
        != Dialogs::Answer::Yes)
        return;
    if (!journalWrittenBack(QStringLiteral("I numeri non sono stati riportati alla "
                                           "impostazione iniziale.")))
        return;

    // The initial numbers are taken as they stand on the screen, saved or not.
    NumberingTables::Numbers numbers{};
    for (int row = 0; row < RowCount; ++row)
        numbers[row] = numberOf(initialBox(row));
    try {
        NumberingTables::writeAllCurrent(state_.archiveFolder, numbers);
    } catch (const ArchiveError &error) {
        reportFailure(QStringLiteral("I numeri non sono stati riportati alla impostazione "
                                     "iniziale."),
                      error.fullText());
        return;
    }
    for (int row = 0; row < RowCount; ++row)
        numberBoxes_[currentBox(row)]->setText(numberBoxes_[initialBox(row)]->text());
    confirm(QStringLiteral("Impostazioni Iniziali ripristinate !"));
}

qint32 Impostazione::numberOf(int index)
{
    QLineEdit *box = numberBoxes_[index];
    bool ok = false;
    const qint32 number = box->text().toInt(&ok);
    if (ok)
        return number;
    box->setText(QStringLiteral("0"));
    return 0;
}

void Impostazione::prepareForOvertyping(QLineEdit *box)
{
    // Whatever was copied elsewhere cannot land in a number by a stray paste.
    QGuiApplication::clipboard()->clear();
    box->selectAll();
}

void Impostazione::reportFailure(const QString &headline, const QString &detail)
{
    dialogs_.alert(this, headline + u'\n' + detail);
}

void Impostazione::confirm(const QString &text)
{
    dialogs_.message(this, Dialogs::Kind::Information, text, QStringLiteral("Conferma"));
}
