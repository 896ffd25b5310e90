#include "setup/imporete.h"

#include "ui/dialogs.h"
#include "ui/msgform.h"
#include "ui/twips.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include <utility>

namespace {
// Geometry of the screen, in twips.
constexpr int Margin = 240;
constexpr int FormWidth = 7440;
constexpr int FormHeight = 4530;
constexpr int ImageWidth = 2040;
constexpr int ImageHeight = 1194; // the banner's proportions
constexpr int TextLeft = Margin + ImageWidth + Margin;
constexpr int TextWidth = FormWidth - TextLeft - Margin;
constexpr int GroupTop = 1680;
constexpr int GroupHeight = 1920;
constexpr int RadioRows = 5;
constexpr int RadioColumnWidth = 3360;
constexpr int RadioRowHeight = 300;
constexpr int ButtonTop = GroupTop + GroupHeight + 240;
constexpr int ButtonHeight = 450;
} // namespace

ImpoRete::ImpoRete(Dialogs &dialogs, QString percorsiPath, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), percorsiPath_(std::move(percorsiPath))
{
    setObjectName(QStringLiteral("ImpoRete"));
    setWindowTitle(QStringLiteral("Impostazione Percorso di Rete"));
    setFixedSize(Twips::toPixels(FormWidth), Twips::toPixels(FormHeight));

    bannerImage_ = new QLabel(this);
    bannerImage_->setObjectName(QStringLiteral("Image1"));
    bannerImage_->setGeometry(Twips::rect(Margin, Margin, ImageWidth, ImageHeight));
    bannerImage_->setPixmap(
        QPixmap(QStringLiteral(":/images/banner.png"))
            .scaled(bannerImage_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    bannerImage_->setAlignment(Qt::AlignCenter);

    folderCaption_ = new QLabel(QStringLiteral("Percorso archivi"), this);
    folderCaption_->setObjectName(QStringLiteral("Label1"));
    folderCaption_->setGeometry(Twips::rect(TextLeft, 300, TextWidth, 285));

    // A folder is chosen with the picker; a server's address (postgresql://...) is typed.
    folderText_ = new QLineEdit(this);
    folderText_->setObjectName(QStringLiteral("txtshortcutdir"));
    folderText_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    folderText_->setGeometry(Twips::rect(TextLeft, 660, TextWidth, 405));

    stationGroup_ = new QGroupBox(QStringLiteral("Postazione"), this);
    stationGroup_->setObjectName(QStringLiteral("GroupBox1"));
    stationGroup_->setGeometry(Twips::rect(Margin, GroupTop, FormWidth - 2 * Margin, GroupHeight));
    for (int i = 0; i < int(stationButtons_.size()); ++i) {
        stationButtons_[i] =
            new QRadioButton(QStringLiteral("Postazione %1").arg(i + 1), stationGroup_);
        stationButtons_[i]->setObjectName(QStringLiteral("R1(%1)").arg(i));
        stationButtons_[i]->setGeometry(Twips::rect(Margin + (i / RadioRows) * RadioColumnWidth,
                                                    360 + (i % RadioRows) * RadioRowHeight,
                                                    RadioColumnWidth - Margin, 285));
    }

    const std::array<QString, 3> captions = {QStringLiteral("C&hiudi"),
                                             QStringLiteral("&Impostazione percorso Server"),
                                             QStringLiteral("&Salva")};
    for (int i = 0; i < int(commandButtons_.size()); ++i) {
        commandButtons_[i] = new QPushButton(captions[i], this);
        commandButtons_[i]->setObjectName(QStringLiteral("cbt(%1)").arg(i));
    }
    // Left to right in the order of the work: choose, save, close.
    commandButtons_[1]->setGeometry(Twips::rect(Margin, ButtonTop, 3360, ButtonHeight));
    commandButtons_[2]->setGeometry(Twips::rect(3720, ButtonTop, 1620, ButtonHeight));
    commandButtons_[0]->setGeometry(Twips::rect(5580, ButtonTop, 1620, ButtonHeight));
    setTabOrder(commandButtons_[1], commandButtons_[2]);
    setTabOrder(commandButtons_[2], commandButtons_[0]);

    connect(commandButtons_[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(commandButtons_[1], &QPushButton::clicked, this, &ImpoRete::chooseFolder);
    connect(commandButtons_[2], &QPushButton::clicked, this, &ImpoRete::save);
}

QString ImpoRete::folderText() const
{
    return folderText_->text().trimmed();
}

bool ImpoRete::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        // By now the application already names the window that takes over.
        reloadOnActivate_ = qobject_cast<MsgForm *>(QApplication::activeWindow()) != nullptr;
        break;
    case QEvent::WindowActivate:
        if (reloadOnActivate_)
            reloadFolderText();
        break;
    default:
        break;
    }
    return QDialog::event(event);
}

void ImpoRete::showEvent(QShowEvent *event)
{
    // A window restored by the window system is not a new showing of the screen.
    if (!event->spontaneous())
        reloadFolderText();
    QDialog::showEvent(event);
}

void ImpoRete::chooseFolder()
{
    QString folder = folderText();
    if (dialogs_.chooseFolder(this, QStringLiteral("Selezionare la cartella"), folder)
        && !folder.isEmpty())
        setFolderText(folder);
}

void ImpoRete::save()
{
    if (folderText() == unsetFolderMark()) {
        showMessage(QStringLiteral("Selezionare un Percorso per gli archivi !"));
        return;
    }

    QString error;
    if (!PercorsiFile::write(folderText(), &error, percorsiPath_)) {
        dialogs_.alert(this, error + QStringLiteral("\nIl percorso archivi non è stato salvato."));
        return;
    }
    showMessage(QStringLiteral("Percorso archivi impostato correttamente !"),
                QStringLiteral("Riavviare modulo KZ4 - Totem !"));
    accept();
}

void ImpoRete::reloadFolderText()
{
    reloadOnActivate_ = false;
    // Whatever keeps the file from being read leaves the screen without a folder, silently:
    // the administrator is here precisely to set one.
    const PercorsiFile::ReadResult read = PercorsiFile::read(percorsiPath_);
    setFolderText(read.status == PercorsiFile::ReadResult::Status::Ok ? read.folder : QString());
}

void ImpoRete::setFolderText(const QString &folder)
{
    folderText_->setText(folder);
    // A long share path does not fit the box; the whole of it is one hover away.
    folderText_->setToolTip(folder);
}

void ImpoRete::showMessage(const QString &first, const QString &second)
{
    MsgForm::show(dialogs_, this, first, second);
    // Coming back from the message screen is an activation of this screen: the folder
    // shown is the one in the file again. Done here too because a nested exec() need not
    // hand the activation back (it does not offscreen).
    reloadFolderText();
}
