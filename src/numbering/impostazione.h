#pragma once

#include "core/office.h"

#include <QDialog>

#include <array>

class Dialogs;
class KioskState;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The numbering settings: the current number of each of the eleven numbering lines (one
// row at a time), the initial numbers (all at once), and the reset of the current numbers
// to the initial ones. The screen holds the numbers only as the text of its boxes; every
// operation reads or writes Totem.mdb at once.
class Impostazione : public QDialog
{
    Q_OBJECT

public:
    // The boxes are numbered as the installation numbers them: 1..10 and 0 hold the current
    // numbers of counters 1..10 and of the single queue, 11..20 and 22 their initial
    // numbers; there is no box 21.
    static constexpr int SingleQueueInitialBox = 2 * Office::LineCount;

    // Reads both tables at once, so the screen opens showing the archive's numbers; a
    // failure is reported and leaves the boxes of that table empty.
    Impostazione(KioskState &state, Dialogs &dialogs, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void load();
    void storeCurrent(int index);
    void storeInitial();
    void resetToInitial();
    // False, after telling why, while the kiosk's journal holds numbers not yet in the archive.
    bool journalWrittenBack(const QString &headline);

    // Turns a box whose text is not a number into "0" and returns its number.
    qint32 numberOf(int index);
    void prepareForOvertyping(QLineEdit *box);
    void reportFailure(const QString &headline, const QString &detail);
    void confirm(const QString &text);

    const KioskState &state_;
    Dialogs &dialogs_;

    // The reset's frame, the current numbers' and the initial numbers'.
    std::array<QGroupBox *, 3> frames_{};
    std::array<QLineEdit *, SingleQueueInitialBox + 1> numberBoxes_{};
    // Each stores the current number of the box with its index.
    std::array<QPushButton *, Office::LineCount> storeButtons_{};
    QPushButton *saveInitialButton_ = nullptr;
    QPushButton *resetButton_ = nullptr;
    QPushButton *closeButton_ = nullptr;
    QLabel *resetLabel_ = nullptr;
    // A click that gives a box the focus also places the cursor; the whole text is
    // selected again when that click ends, unless the click dragged a selection.
    QLineEdit *selectOnRelease_ = nullptr;
};
