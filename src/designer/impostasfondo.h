#pragma once

#include <QDialog>

class Dialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPixmap;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The designer's background picture picker: drives, folders and the JPEG and bitmap files of
// the folder, a preview at natural size with its size in pixels, and the commands that set or
// remove the designer's background. It only says what was chosen; the archive learns the
// choice when the designer saves.
class ImpostaSfondo : public QDialog
{
    Q_OBJECT

public:
    // Opens on the folder of currentPath, or else on the working folder.
    ImpostaSfondo(Dialogs &dialogs, const QString &currentPath, QWidget *parent = nullptr);

    static QStringList filePatterns() { return {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")}; }

    // The file's full path in native form; a folder that already ends in a separator (a
    // drive's root) gets no second one.
    static QString joinPath(const QString &folder, const QString &fileName);

    // The folder that the folder and file lists show, in native form.
    QString folder() const;
    void setFolder(const QString &folder);

    // The path of the last file clicked; empty until one is.
    QString picturePath() const { return path_; }

signals:
    // "Imposta" with a picture read from path, or "Elimina" (and "Imposta" before any file
    // was clicked) with an empty path and a null picture.
    void backgroundChosen(const QString &path, const QPixmap &picture);

private:
    void fillDrives();
    void chooseDrive(int index);
    void chooseFolderItem(QTreeWidgetItem *item);
    void chooseFile();
    void setPicture();
    void removePicture();

    Dialogs &dialogs_;
    QString folder_; // clean, with '/' separators
    QString path_;

    QComboBox *drives_ = nullptr;
    QTreeWidget *folders_ = nullptr;
    QListWidget *files_ = nullptr;
    QLabel *preview_ = nullptr;
    QLineEdit *pictureWidth_ = nullptr;
    QLineEdit *pictureHeight_ = nullptr;
};
