#include "designer/impostasfondo.h"

#include "designer/dialogfields.h"

#include "layout/layouttarget.h"
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

const QString Attenzione = QStringLiteral("ATTENZIONE");
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

ImpostaSfondo::ImpostaSfondo(Dialogs &dialogs, QWidget &designer, LayoutTarget &target,
                             QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), designer_(designer), target_(target)
{
    setObjectName(QStringLiteral("ImpostaSfondo"));
    setWindowTitle(QStringLiteral("Imposta Sfondo schermata FrontEnd"));
    setFixedSize(Twips::toPixels(8160), Twips::toPixels(8895));

    drive1_ = new QComboBox(this);
    drive1_->setObjectName(QStringLiteral("Drive1"));
    drive1_->setGeometry(Twips::rect(240, 240, 3480, 330));

    dir1_ = new QTreeWidget(this);
    dir1_->setObjectName(QStringLiteral("Dir1"));
    dir1_->setGeometry(Twips::rect(240, 660, 3480, 3420));
    dir1_->header()->hide();
    dir1_->setRootIsDecorated(false);
    dir1_->setExpandsOnDoubleClick(false);

    F::makeCaption(this, QStringLiteral("Selezione File"), Twips::rect(240, 4200, 3480, 255));
    file1_ = new QListWidget(this);
    file1_->setObjectName(QStringLiteral("File1"));
    file1_->setGeometry(Twips::rect(240, 4440, 3480, 3480));

    F::makeCaption(this, QStringLiteral("Anteprima Foto"), Twips::rect(3960, 240, 3960, 255));
    // The preview keeps the picture's own size; a large one is scrolled, never scaled.
    preview_ = new QScrollArea(this);
    preview_->setGeometry(Twips::rect(3960, 480, 3960, 5520));
    image1_ = new QLabel;
    image1_->setObjectName(QStringLiteral("Image1"));
    preview_->setWidget(image1_);

    F::makeCaption(this, QStringLiteral("Misure Immagine"), Twips::rect(3960, 6120, 3960, 255));
    F::makeCaption(this, QStringLiteral("Larghezza"), Twips::rect(3960, 6450, 1200, 255));
    f1_ = makeSizeBox(this, QStringLiteral("F1"), Twips::rect(5160, 6405, 1200, 330));
    F::makeCaption(this, QStringLiteral("Altezza"), Twips::rect(3960, 6870, 1200, 255));
    f2_ = makeSizeBox(this, QStringLiteral("F2"), Twips::rect(5160, 6825, 1200, 330));

    pushButton1_ = F::makeButton(this, QStringLiteral("PushButton1"), QStringLiteral("Imposta"),
                                 Twips::rect(240, 8220, 1500, 450));
    pushButton3_ = F::makeButton(this, QStringLiteral("PushButton3"), QStringLiteral("Elimina"),
                                 Twips::rect(1920, 8220, 1500, 450));
    command5_ = F::makeButton(this, QStringLiteral("Command5"), QStringLiteral("C&hiudi"),
                              Twips::rect(6420, 8220, 1500, 450));

    fillDrives();
    const QWidget *label10 = designer_.findChild<QWidget *>(QStringLiteral("Label10"));
    const QString current =
        label10 ? QDir::fromNativeSeparators(label10->property("text").toString()) : QString();
    const QFileInfo currentFolder(QFileInfo(current).absolutePath());
    setFolder(!current.isEmpty() && currentFolder.isDir() ? currentFolder.absoluteFilePath()
                                                          : QDir::currentPath());

    connect(drive1_, &QComboBox::activated, this, &ImpostaSfondo::chooseDrive);
    connect(dir1_, &QTreeWidget::itemActivated, this, &ImpostaSfondo::chooseFolderItem);
    connect(file1_, &QListWidget::itemSelectionChanged, this, &ImpostaSfondo::chooseFile);
    connect(pushButton1_, &QPushButton::clicked, this, &ImpostaSfondo::setPicture);
    connect(pushButton3_, &QPushButton::clicked, this, &ImpostaSfondo::removePicture);
    connect(command5_, &QPushButton::clicked, this, &QDialog::reject);
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
    for (int i = 0; i < drive1_->count(); ++i) {
        QString root = drive1_->itemData(i, PathRole).toString();
        if (!root.endsWith(u'/'))
            root += u'/';
        if ((folder_ + u'/').startsWith(root) && root.size() > longest) {
            drive = i;
            longest = root.size();
        }
    }
    drive1_->setCurrentIndex(drive);

    dir1_->clear();
    const QStyle *look = style();
    QTreeWidgetItem *item = nullptr;
    for (const QString &path : folderChain(folder_)) {
        const bool root = item == nullptr;
        const QString name = root ? QDir::toNativeSeparators(path) : QFileInfo(path).fileName();
        item = root ? new QTreeWidgetItem(dir1_, {name}) : new QTreeWidgetItem(item, {name});
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
    dir1_->setCurrentItem(item);
    dir1_->scrollToItem(item);

    // Name patterns of QDir match without regard to case, so "FOTO.JPG" is listed too.
    file1_->clear();
    file1_->addItems(
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
        drive1_->addItem(QDir::toNativeSeparators(root), root);
}

void ImpostaSfondo::chooseDrive(int index)
{
    const QString root = drive1_->itemData(index, PathRole).toString();
    const QDir dir(root);
    if (!dir.exists() || !dir.isReadable()) {
        dialogs_.message(this, Dialogs::Kind::Critical,
                         QStringLiteral("L'unità %1 non è pronta.").arg(drive1_->itemText(index)),
                         Attenzione);
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
    const QList<QListWidgetItem *> selected = file1_->selectedItems();
    if (selected.isEmpty())
        return;
    path_ = joinPath(folder(), selected.first()->text());

    QString reason;
    const QImage image = PictureFile::read(path_, &reason);
    if (image.isNull()) {
        image1_->clear();
        image1_->resize(0, 0);
        f1_->clear();
        f2_->clear();
        dialogs_.message(this, Dialogs::Kind::Critical, unreadable(path_, reason), Attenzione);
        return;
    }
    image1_->setPixmap(QPixmap::fromImage(image));
    image1_->adjustSize();
    f1_->setText(QString::number(image.width()));
    f2_->setText(QString::number(image.height()));
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
        dialogs_.message(this, Dialogs::Kind::Critical,
                         unreadable(path_, reason)
                             + QStringLiteral("\nLo sfondo non è stato cambiato."),
                         Attenzione);
        return;
    }
    target_.setBackgroundPicture(QPixmap::fromImage(picture));
    showPicturePath(path_);
}

void ImpostaSfondo::removePicture()
{
    target_.setBackgroundPicture(QPixmap());
    showPicturePath(QString());
}

void ImpostaSfondo::showPicturePath(const QString &path)
{
    target_.setPicturePath(path);
    // The designer's save reads the path from Label10, whether or not the target's own
    // hook keeps it there.
    if (QWidget *label10 = designer_.findChild<QWidget *>(QStringLiteral("Label10")))
        label10->setProperty("text", path);
}
