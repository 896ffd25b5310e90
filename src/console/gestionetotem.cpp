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
#include "ui/formfont.h"
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

GestioneTotem::GestioneTotem(KioskState &state, Dialogs &dialogs, Clock &clock, QWidget *parent)
    : QWidget(parent), state_(state), dialogs_(dialogs), clock_(clock)
{
    setObjectName(QStringLiteral("GestioneTotem"));
    setWindowTitle(QStringLiteral("Gestione Totem"));
    setFixedSize(Twips::toPixels(8265), Twips::toPixels(6615));
    setFont(FormFont::standard());

    bannerImage_ = new QLabel(this);
    bannerImage_->setObjectName(QStringLiteral("Image1"));
    bannerImage_->setGeometry(Twips::rect(0, 0, 8200, 4800));
    bannerImage_->setPixmap(QPixmap(QStringLiteral(":/images/banner.png")));
    bannerImage_->setScaledContents(true);

    versionLabel_ = new QLabel(QStringLiteral("Versione " TOTEM_VERSION), this);
    versionLabel_->setObjectName(QStringLiteral("Label1"));
    versionLabel_->setGeometry(Twips::rect(2640, 4440, 1455, 255));
    versionLabel_->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    spareLabel_ = new QLabel(this);
    spareLabel_->setObjectName(QStringLiteral("Label9"));
    spareLabel_->setGeometry(Twips::rect(5880, 4560, 1935, 255));
    spareLabel_->setStyleSheet(QStringLiteral("color: #ffffc0; background: transparent;"));

    startGroup_ = new QGroupBox(this);
    startGroup_->setObjectName(QStringLiteral("GroupBox1"));
    startGroup_->setGeometry(Twips::rect(240, 4920, 7455, 855));

    const QString radioCaptions[] = {QStringLiteral(" Carica la Numerazione Iniziale"),
                                     QStringLiteral(" Carica la Numerazione Corrente")};
    const QRect radioPlaces[] = {Twips::rect(240, 240, 2655, 255),
                                 Twips::rect(360, 480, 2655, 255)};
    for (int i = 0; i < 2; ++i) {
        startModeButtons_[i] = new QRadioButton(radioCaptions[i], startGroup_);
        startModeButtons_[i]->setObjectName(ScreenElements::indexed("RadioButton1", i));
        startModeButtons_[i]->setGeometry(radioPlaces[i]);
        // The captions were measured in Tahoma; a wider substitute must not cut them.
        startModeButtons_[i]->resize(
            qMax(radioPlaces[i].width(), startModeButtons_[i]->sizeHint().width()),
            radioPlaces[i].height());
    }
    startModeButtons_[0]->setChecked(true);

    // A light grey-blue face with the system's button text, as on the installation's
    // other consoles.
    QPalette buttonPalette = palette();
    buttonPalette.setColor(QPalette::Button, QColor(225, 226, 236));

    struct ButtonPlace
    {
        const char *caption;
        QRect place;
        bool inGroup;
        void (GestioneTotem::*command)();
    };
    const ButtonPlace places[] = {
        {" C&hudi", Twips::rect(6600, 6000, 1095, 495), false, &GestioneTotem::closeConsole},
        {" Apre Front-End al pubblico", Twips::rect(4320, 240, 3015, 495), true,
         &GestioneTotem::openPublicScreen},
        {"Impostazione Stampa", Twips::rect(5040, 6000, 1575, 495), false,
         &GestioneTotem::openTicketDesign},
        {"Impostazione ", Twips::rect(2040, 6000, 1575, 495), false,
         &GestioneTotem::openNumberingSettings},
        {"Imposta Layout", Twips::rect(3600, 6000, 1455, 495), false,
         &GestioneTotem::openLayoutDesigner},
    };
    for (int i = 0; i < int(commandButtons_.size()); ++i) {
        // Styled buttons wrap a caption that a substitute font makes too wide.
        QPushButton *button =
            new StyledButton(QString::fromUtf8(places[i].caption),
                             places[i].inGroup ? static_cast<QWidget *>(startGroup_) : this);
        button->setObjectName(ScreenElements::indexed("PB1", i));
        button->setGeometry(places[i].place);
        button->setPalette(buttonPalette);
        connect(button, &QPushButton::clicked, this, places[i].command);
        commandButtons_[i] = button;
    }

    scheduleButton_ = new StyledButton(QStringLiteral("Tableau delle presenze"), this);
    scheduleButton_->setObjectName(QStringLiteral("PushButton1"));
    scheduleButton_->setGeometry(Twips::rect(240, 6000, 1815, 495));
    scheduleButton_->setPalette(buttonPalette);
    connect(scheduleButton_, &QPushButton::clicked, this, &GestioneTotem::openSchedule);

    reportEngine_ = new ReportEngine(dialogs_, clock_, this);
    reportEngine_->setObjectName(QStringLiteral("LL9"));

    placeCentred();
}

GestioneTotem::StartMode GestioneTotem::startMode() const
{
    return startModeButtons_[1]->isChecked() ? StartMode::Current : StartMode::Initial;
}

void GestioneTotem::closeConsole()
{
    close();
}

void GestioneTotem::openPublicScreenWith(StartMode mode)
{
    // The choice stays on the console, as if the administrator had made it.
    startModeButtons_[mode == StartMode::Current ? 1 : 0]->setChecked(true);
    openPublicScreen();
}

void GestioneTotem::openPublicScreen()
{
    FrontEnd frontEnd(state_, dialogs_, clock_, this);
    // Three readings of the clock, one for each label, as the screen has always done.
    frontEnd.longDateLabel()->setText(
        QLocale().toString(clock_.now().date(), QStringLiteral("dddd dd MMMM yyyy")));
    frontEnd.shortDateLabel()->setText(clock_.now().toString(QStringLiteral("dd/MM/yyyy")));
    frontEnd.timeLabel()->setText(clock_.now().toString(QStringLiteral("HH.mm")));
    for (int i = 0; i < Office::CounterCount; ++i)
        frontEnd.counterNameLabel(i)->setText(state_.counterNames[i]);

    try {
        startingNumbers_ = startMode() == StartMode::Current
                               ? NumberingStart::loadCurrent(state_.archiveFolder)
                               : NumberingStart::startFromInitial(state_.archiveFolder);
    } catch (const ArchiveError &error) {
        dialogs_.alert(this,
                       QStringLiteral("Il Front-End non può essere aperto: la numerazione non "
                                      "è stata caricata.\n")
                           + error.fullText());
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
        dialogs_.alert(this, QStringLiteral("Il layout del Front-End non è stato letto per intero: "
                                            "gli elementi indicati mantengono l'aspetto "
                                            "predefinito.\n\n")
                                 + problems.join(u'\n'));
    dialogs_.exec(frontEnd);
}

void GestioneTotem::openTicketDesign()
{
    RecordSet ticketRecord;
    ticketRecord.bind(ArchivePath::join(state_.archiveFolder, ArchivePath::totem()),
                      ArchiveSchema::ticketTable());
    try {
        ticketRecord.open();
    } catch (const ArchiveError &error) {
        dialogs_.alert(this, QStringLiteral("I dati del ticket non possono essere letti.\n")
                                 + error.fullText());
        return;
    }
    reportEngine_->startDataItemList();
    if (ticketRecord.recordCount() > 0) {
        ticketRecord.moveFirst();
        TicketDataItems::defineByValue(ticketRecord, *reportEngine_);
    } else {
        // No ticket issued yet: the names alone, so the ticket can still be laid out.
        TicketDataItems::defineEmpty(ticketRecord, *reportEngine_);
    }
    reportEngine_->openDesigner(this, QStringLiteral("Impostazione Modulo"),
                                TicketProject::defaultFileName());
}

void GestioneTotem::openNumberingSettings()
{
    Impostazione numbering(state_, dialogs_, this);
    dialogs_.exec(numbering);
}

void GestioneTotem::openLayoutDesigner()
{
    DesignerLoader::openDesigner(state_, dialogs_, this);
}

void GestioneTotem::openSchedule()
{
    Palinsesto schedule(state_, dialogs_, this);
    dialogs_.exec(schedule);
}

void GestioneTotem::placeCentred()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}
