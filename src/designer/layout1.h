#pragma once

#include "core/office.h"
#include "designer/dragstate.h"
#include "layout/layouttarget.h"
#include "layout/screenlayout.h"
#include "ui/counterpanel.h"

#include <QDialog>
#include <QPixmap>

#include <array>

class Dialogs;
class DesignerToolPanel;
class KioskState;
class QGroupBox;
class QLabel;
class QToolButton;

// The layout designer: a full-size mock-up of the public screen whose title, date and time
// bar and eleven counter panels the administrator shows, hides and drags, restyles through
// three dialogs, and saves into the screen layout table. It never reads the table: the
// console loads it (DesignerLoader) before showing it.
//
// The layout being edited is a value that the commands, the drag handles and the dialogs
// change; the elements only show it, and the save writes it.
class Layout1 : public QDialog, public LayoutTarget
{
    Q_OBJECT

public:
    static constexpr int PanelCount = Office::LineCount;
    // Where a hidden element is parked: below the visible area, and saved so.
    static constexpr float HiddenTop = 17000;

    // The three uses of the element properties dialog.
    enum class ElementMode
    {
        Title,
        Bar,
        ScreenColour
    };
    Q_ENUM(ElementMode)

    Layout1(KioskState &state, Dialogs &dialogs, QWidget *parent = nullptr);

    // The stored layout becomes the one edited, completed where the table gave nothing, and
    // counts as saved. A picture that cannot be loaded is logged and its path kept.
    void load(const ScreenLayout &stored);
    const ScreenLayout &layout() const { return layout_; }
    bool hasUnsavedChanges() const { return layout_ != saved_; }

    // The tool panel's commands, callable directly.
    void toggleTitle();
    void toggleBar();
    void togglePanel(int index);
    void save();

    QPixmap backgroundPicture() const { return picture_; }
    const DragState &dragState() const { return drag_; }

    // LayoutTarget
    QWidget &layoutScreen() override { return *this; }
    QString titleName() const override { return QStringLiteral("Titolo"); }
    void setBackgroundPicture(const QPixmap &picture) override;

signals:
    // BTn(0): the background picture picker.
    void backgroundPickerRequested();
    // Image7 (Title), Image6 (Bar), BTn(1) (ScreenColour): the element properties dialog.
    void elementDialogRequested(Layout1::ElementMode mode);
    // Image5 of any panel: the button properties dialog, which sets all eleven panels.
    void buttonDialogRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // What a move handle moves: the title, the bar, panel `index`, or the tool panel.
    enum class Movable
    {
        Title,
        Bar,
        Panel,
        ToolPanel
    };

    void buildTitle();
    void buildBar();
    void buildPanel(int index);
    void buildToolPanel();
    void connectToolButtons();
    void connectDialogs();
    void render();
    void showDesignerParts();

    void makeHandle(const QString &name, QWidget &element, const QRect &area, Movable what,
                    int index = 0);
    QToolButton *makeSettingsIcon(QWidget *parent, const QString &name, const QRect &place);
    QPointF position(Movable what, int index) const;
    void place(Movable what, int index, const QPointF &at);
    QWidget *widgetOf(Movable what, int index) const;
    // A shown element goes to the top left corner, a hidden one below the visible area.
    void showOrPark(Movable what, int index, bool shown);

    KioskState &state_;
    Dialogs &dialogs_;
    ScreenLayout layout_;
    ScreenLayout saved_;
    DragState drag_;
    QPointF toolPanelAt_; // not stored: the tool panel starts at its place every time
    QPixmap picture_;

    QLabel *titlePanel_ = nullptr;
    QGroupBox *dateTimeBar_ = nullptr;
    std::array<CounterPanel, PanelCount> counterPanels_{};
    QLabel *picturePathLabel_ = nullptr;
    DesignerToolPanel *toolPanel_ = nullptr;
};
