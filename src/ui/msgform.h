#pragma once

#include <QDialog>
#include <QPixmap>

#include <array>

class Dialogs;
class QLabel;
class QPushButton;

// The program's own notice: one or two lines over a picture, closed by either button.
// A line still showing its placeholder caption was not set by the caller and is hidden.
class MsgForm : public QDialog
{
    Q_OBJECT

public:
    explicit MsgForm(QWidget *parent = nullptr);

    // The caption that marks a line the caller has not set.
    static QString unsetCaption() { return QStringLiteral("Label2"); }

    // An empty second line leaves the second label unset, so it is hidden when shown.
    void setLines(const QString &first, const QString &second = QString());

    // Shows a fresh form modally with the given lines and returns when it is closed.
    static void show(Dialogs &dialogs, QWidget *parent, const QString &first,
                     const QString &second = QString());
    using QDialog::show;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void hideUnsetLines();

    QPixmap background_;
    QLabel *headingLabel_ = nullptr;
    std::array<QLabel *, 2> messageLines_{};
    QPushButton *closeButton_ = nullptr;
    QPushButton *confirmButton_ = nullptr;
};
