#include "console/gestionetotem.h"

#include "ui/screenelements.h"

#include "archive/archiveerror.h"
#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "console/numberingstart.h"
#include "core/clock.h"
#include "core/kioskstate.h"
#include "designer/designerloader.h"
#include "frontend/frontend.h"
#include "frontend/ticketdataitems.h"
#include "layout/layoutapplier.h"
#include "layout/screenlayoutreader.h"
#include "numbering/impostazione.h"
#include "report/reportengine.h"
#include "report/ticketproject.h"
#include "schedule/palinsesto.h"
#include "ui/dialogs.h"
#include "ui/styledbutton.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

QFont consoleFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    return font;
}

} // namespace

GestioneTotem::GestioneTotem(KioskState &state, Dialogs &dialogs, Clock &clock, QWidget *parent)
    : QWidget(parent), state_(state), dialogs_(dialogs), clock_(clock)
{
    setObjectName(QStringLiteral("GestioneTotem"));
    setWindowTitle(QStringLiteral("Gestione Totem"));
    setFixedSize(Twips::toPixels(8265), Twips::toPixels(6615));
    setFont(consoleFont());

    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(Twips::rect(0, 0, 8200, 4800));
    image1_->setPixmap(QPixmap(QStringLiteral(":/images/banner.png")));
    image1_->setScaledContents(true);

    label1_ = new QLabel(QStringLiteral("Versione 3.3.5"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(Twips::rect(2640, 4440, 1455, 255));
    label1_->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    label9_ = new QLabel(this);
    label9_->setObjectName(QStringLiteral("Label9"));
    label9_->setGeometry(Twips::rect(5880, 4560, 1935, 255));
    label9_->setStyleSheet(QStringLiteral("color: #ffffc0; background: transparent;"));

    groupBox1_ = new QGroupBox(this);
    groupBox1_->setObjectName(QStringLiteral("GroupBox1"));
    groupBox1_->setGeometry(Twips::rect(240, 4920, 7455, 855));

    const QString radioCaptions[] = {QStringLiteral(" Carica la Numerazione Iniziale"),
                                     QStringLiteral(" Carica la Numerazione Corrente")};
    const QRect radioPlaces[] = {Twips::rect(240, 240, 2655, 255),
                                 Twips::rect(360, 480, 2655, 255)};
    for (int i = 0; i < 2; ++i) {
        radioButton1_[i] = new QRadioButton(radioCaptions[i], groupBox1_);
        radioButton1_[i]->setObjectName(ScreenElements::indexed("RadioButton1", i));
        radioButton1_[i]->setGeometry(radioPlaces[i]);
        // The captions were measured in Tahoma; a wider substitute must not cut them.
        radioButton1_[i]->resize(qMax(radioPlaces[i].width(), radioButton1_[i]->sizeHint().width()),
                                 radioPlaces[i].height());
    }
    radioButton1_[0]->setChecked(true);

    // A light grey-blue face with the system's button text, as on the installation's
    // other consoles.
    QPalette buttonPalette = palette();
    buttonPalette.setColor(QPalette::Button, QColor(225, 226, 236));

    struct ButtonPlace
    {
        const char *caption;
        QRect place;
        bool inGroup;
    };
    const ButtonPlace places[] = {
        {" C&hudi", Twips::rect(6600, 6000, 1095, 495), false},
        {" Apre Front-End al pubblico", Twips::rect(4320, 240, 3015, 495), true},
        {"Impostazione Stampa", Twips::rect(5040, 6000, 1575, 495), false},
        {"Impostazione ", Twips::rect(2040, 6000, 1575, 495), false},
        {"Imposta Layout", Twips::rect(3600, 6000, 1455, 495), false},
    };
    for (int i = 0; i < int(pb1_.size()); ++i) {
        // Styled buttons wrap a caption that a substitute font makes too wide.
        QPushButton *button =
            new StyledButton(QString::fromUtf8(places[i].caption),
                             places[i].inGroup ? static_cast<QWidget *>(groupBox1_) : this);
        button->setObjectName(ScreenElements::indexed("PB1", i));
        button->setGeometry(places[i].place);
        button->setPalette(buttonPalette);
        connect(button, &QPushButton::clicked, this, [this, i] { onCommand(i); });
        pb1_[i] = button;
    }

    pushButton1_ = new StyledButton(QStringLiteral("Tableau delle presenze"), this);
    pushButton1_->setObjectName(QStringLiteral("PushButton1"));
    pushButton1_->setGeometry(Twips::rect(240, 6000, 1815, 495));
    pushButton1_->setPalette(buttonPalette);
    connect(pushButton1_, &QPushButton::clicked, this, [this] {
        Palinsesto schedule(state_, dialogs_, this);
        dialogs_.exec(schedule);
    });

    ll9_ = new ReportEngine(dialogs_, clock_, this);
    ll9_->setObjectName(QStringLiteral("LL9"));

    placeCentred();
}

GestioneTotem::StartMode GestioneTotem::startMode() const
{
    return radioButton1_[1]->isChecked() ? StartMode::Current : StartMode::Initial;
}

void GestioneTotem::onCommand(int index)
{
    switch (index) {
    case 0:
        close();
        break;
    case 1:
        openPublicScreen();
        break;
    case 2:
        openTicketDesign();
        break;
    case 3: {
        Impostazione numbering(state_, dialogs_, this);
        dialogs_.exec(numbering);
        break;
    }
    case 4:
        DesignerLoader::openDesigner(state_, dialogs_, this);
        break;
    default:
        break;
    }
}

void GestioneTotem::openPublicScreen()
{
    FrontEnd frontEnd(state_, dialogs_, clock_, this);
    // Three readings of the clock, one for each label, as the screen has always done.
    frontEnd.longDateLabel()->setText(
        QLocale().toString(clock_.now().date(), QStringLiteral("dddd dd MMMM yyyy")));
    frontEnd.shortDateLabel()->setText(clock_.now().toString(QStringLiteral("dd/MM/yyyy")));
    frontEnd.timeLabel()->setText(clock_.now().toString(QStringLiteral("HH.mm")));
    for (int i = 0; i < KioskState::CounterCount; ++i)
        frontEnd.counterNameLabel(i)->setText(state_.counterNames[i]);

    try {
        startingNumbers_ = startMode() == StartMode::Current
                               ? NumberingStart::loadCurrent(state_.archiveFolder)
                               : NumberingStart::startFromInitial(state_.archiveFolder);
    } catch (const ArchiveError &error) {
        dialogs_.message(this, Dialogs::Kind::Critical,
                         QStringLiteral("Il Front-End non può essere aperto: la numerazione non "
                                        "è stata caricata.\n")
                             + error.fullText(),
                         QStringLiteral("ATTENZIONE"));
        return;
    }
    state_.startingNumbers = startingNumbers_;

    QStringList problems;
    try {
        LayoutApplier::apply(ScreenLayoutReader::read(state_.archiveFolder, &problems), frontEnd,
                             &problems);
    } catch (const ArchiveError &error) {
        problems << error.message();
    }
    if (!problems.isEmpty())
        dialogs_.message(this, Dialogs::Kind::Critical,
                         QStringLiteral("Il layout del Front-End non è stato letto per intero: "
                                        "gli elementi indicati mantengono l'aspetto "
                                        "predefinito.\n\n")
                             + problems.join(u'\n'),
                         QStringLiteral("ATTENZIONE"));
    dialogs_.exec(frontEnd);
}

void GestioneTotem::openTicketDesign()
{
    RecordSet data99;
    data99.bind(ArchivePath::join(state_.archiveFolder, ArchivePath::totem()),
                ArchiveSchema::ticketTable());
    try {
        data99.open();
    } catch (const ArchiveError &error) {
        dialogs_.message(this, Dialogs::Kind::Critical,
                         QStringLiteral("I dati del ticket non possono essere letti.\n")
                             + error.fullText(),
                         QStringLiteral("ATTENZIONE"));
        return;
    }
    ll9_->startDataItemList();
    if (data99.recordCount() > 0) {
        data99.moveFirst();
        TicketDataItems::defineByValue(data99, *ll9_);
    } else {
        // No ticket issued yet: the names alone, so the ticket can still be laid out.
        TicketDataItems::defineEmpty(data99, *ll9_);
    }
    ll9_->openDesigner(this, QStringLiteral("Impostazione Modulo"), ReportEngine::LabelProject,
                       TicketProject::defaultFileName());
}

void GestioneTotem::placeCentred()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
