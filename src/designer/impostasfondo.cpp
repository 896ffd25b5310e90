#include "designer/impostasfondo.h"

#include "designer/dialogfields.h"

#include "ui/dialogs.h"
#include "ui/picturefile.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>

#include <utility>

namespace {

constexpr int PathRole = Qt::UserRole;

using F = DialogFields;

QLineEdit *makeSizeBox(QWidget *parent, const QString &name, const QRect &place)
{
    QLineEdit *box = F::makeField(parent, name, place);
    box->setReadOnly(true);
    return box;
}

// The folders from the root down to `folder`, each with '/' separators.
QStringList folderChain(const QString &folder)
{
    QStringList chain;
    for (QString path = folder;;) {
        chain.prepend(path);
        const QString parent = QFileInfo(path).path();
        if (QDir(path).isRoot() || parent == path || parent == u'.')
            break;
        path = parent;
    }
    return chain;
}

QString unreadable(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossibile leggere l'immagine:\n%1\n(%2)").arg(path, reason);
}

} // namespace

ImpostaSfondo::ImpostaSfondo(Dialogs &dialogs, const QString &currentPath, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("ImpostaSfondo"));
    setWindowTitle(QStringLiteral("Imposta Sfondo schermata FrontEnd"));
    setFixedSize(Twips::toPixels(8160), Twips::toPixels(8895));

    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("Drive1"));
    drives_->setGeometry(Twips::rect(240, 240, 3480, 330));

    folders_ = new QTreeWidget(this);
    folders_->setObjectName(QStringLiteral("Dir1"));
    folders_->setGeometry(Twips::rect(240, 660, 3480, 3420));
    folders_->header()->hide();
    folders_->setRootIsDecorated(false);
    folders_->setExpandsOnDoubleClick(false);

    F::makeCaption(this, QStringLiteral("Selezione File"), Twips::rect(240, 4200, 3480, 255));
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("File1"));
    files_->setGeometry(Twips::rect(240, 4440, 3480, 3480));

    F::makeCaption(this, QStringLiteral("Anteprima Foto"), Twips::rect(3960, 240, 3960, 255));
    // The preview keeps the picture's own size; a large one is scrolled, never scaled.
    auto *previewArea = new QScrollArea(this);
    previewArea->setGeometry(Twips::rect(3960, 480, 3960, 5520));
    preview_ = new QLabel;
    preview_->setObjectName(QStringLiteral("Image1"));
    previewArea->setWidget(preview_);

    F::makeCaption(this, QStringLiteral("Misure Immagine"), Twips::rect(3960, 6120, 3960, 255));
    F::makeCaption(this, QStringLiteral("Larghezza"), Twips::rect(3960, 6450, 1200, 255));
    pictureWidth_ = makeSizeBox(this, QStringLiteral("F1"), Twips::rect(5160, 6405, 1200, 330));
    F::makeCaption(this, QStringLiteral("Altezza"), Twips::rect(3960, 6870, 1200, 255));
    pictureHeight_ = makeSizeBox(this, QStringLiteral("F2"), Twips::rect(5160, 6825, 1200, 330));

    QPushButton *set = F::makeButton(this, QStringLiteral("PushButton1"), QStringLiteral("Imposta"),
                                     Twips::rect(240, 8220, 1500, 450));
    QPushButton *remove =
        F::makeButton(this, QStringLiteral("PushButton3"), QStringLiteral("Elimina"),
                      Twips::rect(1920, 8220, 1500, 450));
    QPushButton *close = F::makeButton(this, QStringLiteral("Command5"), QStringLiteral("C&hiudi"),
                                       Twips::rect(6420, 8220, 1500, 450));

    fillDrives();
    const QString current = QDir::fromNativeSeparators(currentPath);
    const QFileInfo currentFolder(QFileInfo(current).absolutePath());
    setFolder(!current.isEmpty() && currentFolder.isDir() ? currentFolder.absoluteFilePath()
                                                          : QDir::currentPath());

    connect(drives_, &QComboBox::activated, this, &ImpostaSfondo::chooseDrive);
    connect(folders_, &QTreeWidget::itemActivated, this, &ImpostaSfondo::chooseFolderItem);
    connect(files_, &QListWidget::itemSelectionChanged, this, &ImpostaSfondo::chooseFile);
    connect(set, &QPushButton::clicked, this, &ImpostaSfondo::setPicture);
    connect(remove, &QPushButton::clicked, this, &ImpostaSfondo::removePicture);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString ImpostaSfondo::joinPath(const QString &folder, const QString &fileName)
{
    if (folder.endsWith(u'/') || folder.endsWith(QDir::separator()))
        return folder + fileName;
    return folder + QDir::separator() + fileName;
}

QString ImpostaSfondo::folder() const
{
    return QDir::toNativeSeparators(folder_);
}

void ImpostaSfondo::setFolder(const QString &folder)
{
    folder_ = QDir::cleanPath(QDir(QDir::fromNativeSeparators(folder)).absolutePath());

    // The drive whose root is the longest start of the folder: on Linux a mount point
    // beats the file system's root.
    int drive = -1;
    qsizetype longest = -1;
    for (int i = 0; i < drives_->count(); ++i) {
        QString root = drives_->itemData(i, PathRole).toString();
        if (!root.endsWith(u'/'))
            root += u'/';
        if ((folder_ + u'/').startsWith(root) && root.size() > longest) {
            drive = i;
            longest = root.size();
        }
    }
    drives_->setCurrentIndex(drive);

    folders_->clear();
    const QStyle *look = style();
    QTreeWidgetItem *item = nullptr;
    for (const QString &path : folderChain(folder_)) {
        const bool root = item == nullptr;
        const QString name = root ? QDir::toNativeSeparators(path) : QFileInfo(path).fileName();
        item = root ? new QTreeWidgetItem(folders_, {name}) : new QTreeWidgetItem(item, {name});
        item->setData(0, PathRole, path);
        item->setIcon(0,
                      look->standardIcon(root ? QStyle::SP_DriveHDIcon : QStyle::SP_DirOpenIcon));
        item->setExpanded(true);
    }
    const QFileInfoList subfolders = QDir(folder_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                                 QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &subfolder : subfolders) {
        auto *child = new QTreeWidgetItem(item, {subfolder.fileName()});
        child->setData(0, PathRole, subfolder.absoluteFilePath());
        child->setIcon(0, look->standardIcon(QStyle::SP_DirClosedIcon));
    }
    folders_->setCurrentItem(item);
    folders_->scrollToItem(item);

    // Name patterns of QDir match without regard to case, so "FOTO.JPG" is listed too.
    files_->clear();
    files_->addItems(
        QDir(folder_).entryList(filePatterns(), QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void ImpostaSfondo::fillDrives()
{
    QStringList roots;
    const QFileInfoList drives = QDir::drives();
    for (const QFileInfo &drive : drives)
        roots << drive.absoluteFilePath();
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    // A container may bind single files as mount points: only folders can be browsed.
    for (const QStorageInfo &volume : volumes)
        if (QFileInfo(volume.rootPath()).isDir())
            roots << volume.rootPath();
    roots.removeDuplicates();
    roots.sort(Qt::CaseInsensitive);
    for (const QString &root : std::as_const(roots))
        drives_->addItem(QDir::toNativeSeparators(root), root);
}

void ImpostaSfondo::chooseDrive(int index)
{
    const QString root = drives_->itemData(index, PathRole).toString();
    const QDir dir(root);
    if (!dir.exists() || !dir.isReadable()) {
        dialogs_.alert(this,
                       QStringLiteral("L'unità %1 non è pronta.").arg(drives_->itemText(index)));
        setFolder(folder_); // back to the drive of the folder still shown
        return;
    }
    setFolder(root);
}

void ImpostaSfondo::chooseFolderItem(QTreeWidgetItem *item)
{
    if (item)
        setFolder(item->data(0, PathRole).toString());
}

void ImpostaSfondo::chooseFile()
{
    const QList<QListWidgetItem *> selected = files_->selectedItems();
    if (selected.isEmpty())
        return;
    path_ = joinPath(folder(), selected.first()->text());

    QString reason;
    const QImage image = PictureFile::read(path_, &reason);
    if (image.isNull()) {
        preview_->clear();
        preview_->resize(0, 0);
        pictureWidth_->clear();
        pictureHeight_->clear();
        dialogs_.alert(this, unreadable(path_, reason));
        return;
    }
    preview_->setPixmap(QPixmap::fromImage(image));
    preview_->adjustSize();
    pictureWidth_->setText(QString::number(image.width()));
    pictureHeight_->setText(QString::number(image.height()));
}

void ImpostaSfondo::setPicture()
{
    if (path_.isEmpty()) {
        removePicture();
        return;
    }
    // Read again: the file may have changed since it was previewed.
    QString reason;
    const QImage picture = PictureFile::read(path_, &reason);
    if (picture.isNull()) {
        dialogs_.alert(this, unreadable(path_, reason)
                                 + QStringLiteral("\nLo sfondo non è stato cambiato."));
        return;
    }
    emit backgroundChosen(path_, QPixmap::fromImage(picture));
}

void ImpostaSfondo::removePicture()
{
    emit backgroundChosen(QString(), QPixmap());
}
