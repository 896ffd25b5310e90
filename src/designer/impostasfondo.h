#pragma once

#include <QDialog>

#include <array>

class Dialogs;
class LayoutTarget;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;

// The designer's background picture picker: drives, folders and the JPEG and bitmap files of
// the folder, a preview at natural size with its size in pixels, and the commands that set or
// remove the designer's background. The archive learns the choice only when the designer
// saves.
class ImpostaSfondo : public QDialog
{
    Q_OBJECT

public:
    // `designer` holds Label10, the picture path that the designer saves; `target` draws the
    // picture. The dialog opens on the folder of the current picture, or else the working
    // folder.
    ImpostaSfondo(Dialogs &dialogs, QWidget &designer, LayoutTarget &target,
                  QWidget *parent = nullptr);

    static QStringList filePatterns() { return {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")}; }

    // The file's full path in native form; a folder that already ends in a separator (a
    // drive's root) gets no second one.
    static QString joinPath(const QString &folder, const QString &fileName);

    // The folder that the folder and file lists show, in native form.
    QString folder() const;
    void setFolder(const QString &folder);

    // The path of the last file clicked; empty until one is.
    QString picturePath() const { return path_; }

private:
    void fillDrives();
    void chooseDrive(int index);
    void chooseFolderItem(QTreeWidgetItem *item);
    void chooseFile();
    void setPicture();
    void removePicture();
    void showPicturePath(const QString &path);

    Dialogs &dialogs_;
    QWidget &designer_;
    LayoutTarget &target_;
    QString folder_; // clean, with '/' separators
    QString path_;

    QComboBox *drive1_ = nullptr;
    QTreeWidget *dir1_ = nullptr;
    QListWidget *file1_ = nullptr;
    QScrollArea *preview_ = nullptr;
    QLabel *image1_ = nullptr;
    QLineEdit *f1_ = nullptr;
    QLineEdit *f2_ = nullptr;
    QPushButton *pushButton1_ = nullptr;
    QPushButton *pushButton3_ = nullptr;
    QPushButton *command5_ = nullptr;
};
