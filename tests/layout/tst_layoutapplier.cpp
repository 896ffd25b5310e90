#include "layout/layoutapplier.h"
#include "layout/layouttarget.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString indexed(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// The public screen's elements where it designs them, or the designer's mock-up with its
// tool buttons and picture path label.
class FixtureScreen : public QWidget, public LayoutTarget
{
public:
    explicit FixtureScreen(bool designer) : designer_(designer)
    {
        auto *title = new QLabel(QStringLiteral("Titolo di progetto"), this);
        title->setObjectName(titleName());
        title->setGeometry(Twips::rect(240, 240, 17895, 675));
        auto *bar = new QGroupBox(this);
        bar->setObjectName(QStringLiteral("GB0"));
        bar->setGeometry(Twips::rect(240, 1080, 17895, 855));
        for (const char *name : {"Label4(0)", "Label4(1)", "Label2", "Label3", "Label1(1)"})
            (new QLabel(bar))->setObjectName(QLatin1String(name));
        for (int i = 0; i < 11; ++i) {
            auto *panel = new QGroupBox(this);
            panel->setObjectName(indexed("Postazione1", i));
            panel->setGeometry(
                Twips::rect(240 + 3600 * (i % 5), 2040 + 4320 * (i / 5), 3495, 3975));
            auto *button = new QPushButton(i == 10 ? u"Coda Unica"_qs : u"Sportello"_qs, panel);
            button->setObjectName(indexed("PB1", i));
            for (const char *name : {"Label5", "Label6", "Label7", "Label8"})
                (new QLabel(panel))->setObjectName(indexed(name, i));
            if (designer)
                (new QPushButton(this))->setObjectName(indexed("BTn", i + 6));
        }
        if (designer) {
            pathLabel = new QLabel(this);
            pathLabel->setObjectName(QStringLiteral("Label10"));
        }
    }

    QWidget &layoutScreen() override { return *this; }
    QString titleName() const override { return designer_ ? u"Titolo"_qs : u"Label1(0)"_qs; }
    void setBackgroundPicture(const QPixmap &p) override
    {
        picture = p;
        ++pictureCalls;
    }
    void setPicturePath(const QString &path) override { pathLabel->setText(path); }
    bool marksShownPanels() const override { return designer_; }

    template <typename T = QWidget> T *named(const QString &name)
    {
        T *widget = findChild<T *>(name);
        if (!widget)
            qFatal("no element %s", qPrintable(name));
        return widget;
    }
    QColor colour(const QString &name, QPalette::ColorRole role)
    {
        return named(name)->palette().color(role);
    }

    QPixmap picture;
    int pictureCalls = 0;
    QLabel *pathLabel = nullptr;

private:
    bool designer_;
};

constexpr qint32 rgb(int red, int green, int blue)
{
    return red | green << 8 | blue << 16;
}

// Values distinct enough that a field applied to the wrong element shows.
ScreenLayout fullLayout()
{
    ScreenLayout layout;
    layout.title = {u"Comune di Valdoria"_qs,
                    480,
                    645,
                    u"DejaVu Serif"_qs,
                    20.25f,
                    true,
                    true,
                    rgb(20, 66, 114),
                    rgb(255, 255, 255),
                    true};
    layout.bar = {1500, 300, rgb(1, 2, 3), rgb(4, 5, 6), true};
    for (int i = 0; i < ScreenLayout::PanelCount; ++i)
        layout.panels[i] = {true,
                            float(3000 + 15 * i),
                            float(150 * i),
                            u"DejaVu Sans Mono"_qs,
                            13,
                            i % 2 == 0,
                            i % 2 == 1,
                            i % 7,
                            rgb(10, 0, i),
                            rgb(0, 20, i),
                            rgb(i, 30, 0),
                            std::nullopt};
    layout.panels[3].buttonText = u"Anagrafe"_qs; // only the single queue's button has one
    layout.panels[10].buttonText = u"Tutti gli sportelli"_qs;
    layout.backColor = rgb(234, 240, 246);
    layout.picturePath = QString();
    return layout;
}

} // namespace

class TestLayoutApplier : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;

    QString picture(const char *name)
    {
        const QString path = dir_->filePath(QLatin1String(name));
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::blue);
        if (!image.save(path, "PNG"))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(Twips::logicalDpi(), 96.0); // the pixel figures are 15 twips to the pixel
    }

    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void appliesEachRecordToItsElements()
    {
        FixtureScreen screen(false);
        LayoutApplier::apply(fullLayout(), screen);

        auto *title = screen.named<QLabel>(u"Label1(0)"_qs);
        QCOMPARE(title->text(), u"Comune di Valdoria"_qs);
        QCOMPARE(title->geometry(), QRect(43, 32, 1193, 45));
        QCOMPARE(title->font().family(), u"DejaVu Serif"_qs);
        QCOMPARE(title->font().pointSizeF(), 20.25);
        QVERIFY(title->font().bold() && title->font().italic());
        QCOMPARE(title->palette().color(QPalette::Window), QColor(20, 66, 114));
        QVERIFY(title->autoFillBackground());
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::white));

        auto *bar = screen.named(u"GB0"_qs);
        QCOMPARE(bar->geometry(), QRect(20, 100, 1193, 57));
        QCOMPARE(bar->palette().color(QPalette::Window), QColor(1, 2, 3));
        for (const char *name : {"Label4(0)", "Label4(1)", "Label2", "Label3", "Label1(1)"})
            QCOMPARE(screen.colour(QLatin1String(name), QPalette::WindowText), QColor(4, 5, 6));

        for (int i = 0; i < ScreenLayout::PanelCount; ++i) {
            auto *panel = screen.named(indexed("Postazione1", i));
            QCOMPARE(panel->geometry(), QRect(10 * i, 200 + i, 233, 265));
            QCOMPARE(panel->palette().color(QPalette::Window), QColor(0, 20, i));
            QVERIFY(panel->autoFillBackground());
            auto *button = screen.named<QPushButton>(indexed("PB1", i));
            QCOMPARE(button->font().family(), u"DejaVu Sans Mono"_qs);
            QCOMPARE(button->font().pointSizeF(), 13.0);
            QCOMPARE(button->font().bold(), i % 2 == 0);
            QCOMPARE(button->font().italic(), i % 2 == 1);
            QCOMPARE(button->property("appearance"), QVariant(i % 7));
            QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(10, 0, i));
            for (const char *name : {"Label5", "Label6", "Label7", "Label8"})
                QCOMPARE(screen.colour(indexed(name, i), QPalette::WindowText), QColor(i, 30, 0));
        }
        QCOMPARE(screen.named<QPushButton>(u"PB1(3)"_qs)->text(), u"Sportello"_qs);
        QCOMPARE(screen.named<QPushButton>(u"PB1(10)"_qs)->text(), u"Tutti gli sportelli"_qs);

        QCOMPARE(screen.palette().color(QPalette::Window), QColor(234, 240, 246));
        QVERIFY(screen.autoFillBackground());
        // The screen's colour does not cover the elements that have their own.
        QCOMPARE(screen.colour(u"GB0"_qs, QPalette::Window), QColor(1, 2, 3));

        // Hidden elements are still placed and coloured, to be right when shown again.
        ScreenLayout layout = fullLayout();
        layout.title.visible = false;
        layout.bar.visible = false;
        layout.panels[1].visible = false;
        layout.panels[1].top = 17000;
        LayoutApplier::apply(layout, screen);
        QVERIFY(screen.named(u"Label1(0)"_qs)->isHidden());
        QVERIFY(screen.named(u"GB0"_qs)->isHidden());
        auto *hidden = screen.named(u"Postazione1(1)"_qs);
        QVERIFY(hidden->isHidden());
        QCOMPARE(hidden->pos(), QPoint(10, 1133));
        QCOMPARE(hidden->palette().color(QPalette::Window), QColor(0, 20, 1));
        QVERIFY(!screen.named(u"Postazione1(0)"_qs)->isHidden());
    }

    void pictureThatWillNotLoadLeavesTheOneShownAndAnEmptyPathClearsIt()
    {
        FixtureScreen screen(true);
        ScreenLayout layout = fullLayout();
        layout.picturePath = picture("mare.png");
        LayoutApplier::apply(layout, screen);
        QCOMPARE(screen.picture.toImage().pixel(0, 0), QColor(Qt::blue).rgb());

        const QString notAPicture = dir_->filePath(u"falsa.jpg"_qs);
        QFile file(notAPicture);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("non sono un'immagine") > 0);
        file.close();
        for (const QString &path : {dir_->filePath(u"manca.jpg"_qs), notAPicture}) {
            layout.picturePath = path;
            LayoutApplier::apply(layout, screen);
            QCOMPARE(screen.pictureCalls, 1);
            QCOMPARE(screen.picture.size(), QSize(8, 6));
            // The designer keeps the path all the same, so that its save does not lose it.
            QCOMPARE(screen.pathLabel->text(), path);
        }

        // An empty text and an empty field both mean no picture.
        for (const std::optional<QString> &none :
             {std::optional(QString()), std::optional<QString>()}) {
            FixtureScreen fresh(true);
            fresh.setBackgroundPicture(QPixmap(picture("mare.png")));
            layout.picturePath = none;
            LayoutApplier::apply(layout, fresh);
            QVERIFY(fresh.picture.isNull());
            QCOMPARE(fresh.pathLabel->text(), QString());
        }
    }

    void designerMarksTheToolButtonsOfShownPanelsOnly()
    {
        FixtureScreen screen(true);
        const QColor designed = screen.colour(u"BTn(7)"_qs, QPalette::ButtonText);
        QVERIFY(designed != QColor(Qt::red));
        ScreenLayout layout = fullLayout();
        layout.panels[1].visible = false; // BTn(7)
        layout.panels[4].visible.reset(); // BTn(10): unreadable is not shown
        LayoutApplier::apply(layout, screen);

        QCOMPARE(screen.named(u"Titolo"_qs)->property("text"), QVariant(u"Comune di Valdoria"_qs));
        for (int i = 0; i < ScreenLayout::PanelCount; ++i)
            QCOMPARE(screen.colour(indexed("BTn", i + 6), QPalette::ButtonText),
                     i == 1 || i == 4 ? designed : QColor(255, 0, 0));
    }

    void emptyValuesKeepTheDesign()
    {
        FixtureScreen screen(false);
        const QPalette designedPalette = screen.named(u"Postazione1(0)"_qs)->palette();
        ScreenLayout layout;
        layout.title.visible = true;
        layout.title.bold = true;
        layout.backColor = -2147483633; // a system colour of the old platform, not one of ours
        LayoutApplier::apply(layout, screen);

        auto *title = screen.named<QLabel>(u"Label1(0)"_qs);
        QCOMPARE(title->text(), u"Titolo di progetto"_qs);
        QCOMPARE(title->geometry(), QRect(16, 16, 1193, 45));
        QVERIFY(!title->autoFillBackground());
        QVERIFY(title->font().bold()); // the record was read: its yes/no values count
        QCOMPARE(screen.named(u"GB0"_qs)->pos(), QPoint(16, 72));
        QVERIFY(!screen.named(u"GB0"_qs)->isHidden());
        auto *panel = screen.named(u"Postazione1(0)"_qs);
        QCOMPARE(panel->pos(), QPoint(16, 136));
        QCOMPARE(panel->palette(), designedPalette);
        QVERIFY(!panel->isHidden());
        QCOMPARE(screen.named(u"PB1(0)"_qs)->property("appearance"), QVariant());
        QCOMPARE(screen.named<QPushButton>(u"PB1(10)"_qs)->text(), u"Coda Unica"_qs);
        QVERIFY(!screen.autoFillBackground());
    }

    void recordsNeverReadKeepEvenTheirYesNoValues()
    {
        FixtureScreen screen(false);
        auto *title = screen.named(u"Label1(0)"_qs);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        screen.setBackgroundPicture(QPixmap(4, 4));
        ScreenLayout layout;
        layout.recordCount = 0;
        LayoutApplier::apply(layout, screen);
        QVERIFY(!title->isHidden());
        QVERIFY(title->font().bold());
        QCOMPARE(screen.pictureCalls, 1);

        // A screen without some of the elements is still laid out.
        delete screen.named(u"GB0"_qs);
        delete screen.named(u"Postazione1(4)"_qs);
        LayoutApplier::apply(fullLayout(), screen);
        QCOMPARE(screen.palette().color(QPalette::Window), QColor(234, 240, 246));
    }
};

QTEST_MAIN(TestLayoutApplier)
#include "tst_layoutapplier.moc"
