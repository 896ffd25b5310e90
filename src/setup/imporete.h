#pragma once

#include "core/office.h"
#include "setup/percorsifile.h"

#include <QDialog>

#include <array>

class Dialogs;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The screen where the administrator chooses the archive folder and saves it in
// percorsiT.txt. The running program keeps the folder it started with; a saved folder
// counts from the next start, and the screen says so.
class ImpoRete : public QDialog
{
    Q_OBJECT

public:
    explicit ImpoRete(Dialogs &dialogs, QString percorsiPath = PercorsiFile::fileName(),
                      QWidget *parent = nullptr);

    // The folder as the screen shows it: plain text, without quotes.
    QString folderText() const;

    // A folder text that stands for "no folder chosen yet": saving it is refused.
    static QString unsetFolderMark() { return QStringLiteral("Percorso da impostare!"); }

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void chooseFolder();
    void save();
    void reloadFolderText();
    void setFolderText(const QString &folder);
    void showMessage(const QString &first, const QString &second = QString());

    Dialogs &dialogs_;
    QString percorsiPath_;
    // Set when the message screen takes over, so that coming back from it re-reads the
    // file; coming back from a chooser, a message box or another program must not throw
    // away a folder chosen but not yet saved.
    bool reloadOnActivate_ = false;

    QLabel *folderCaption_ = nullptr;
    QLineEdit *folderText_ = nullptr;
    QLabel *bannerImage_ = nullptr;
    // Close, choose the folder, save.
    std::array<QPushButton *, 3> commandButtons_{};
    // The workstation choice is shown but no command reads it.
    QGroupBox *stationGroup_ = nullptr;
    std::array<QRadioButton *, Office::CounterCount> stationButtons_{};
};
