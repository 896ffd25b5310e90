#pragma once

#include "core/office.h"
#include "designer/dragstate.h"
#include "designer/elementpositions.h"
#include "layout/layouttarget.h"
#include "ui/counterpanel.h"

#include <QDialog>
#include <QPixmap>

#include <array>

class Dialogs;
class DragHandle;
class KioskState;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class StyledButton;

// The layout designer: a full-size mock-up of the public screen whose title, date and time
// bar and eleven counter panels the administrator shows, hides and drags, restyles through
// three dialogs, and saves into the screen layout table. It never reads the table: the
// console loads it (DesignerLoader) before showing it.
class Layout1 : public QDialog, public LayoutTarget
{
    Q_OBJECT

public:
    static constexpr int PanelCount = Office::LineCount;
    static constexpr int ToolButtonCount = 18; // BTn(0) to BTn(17), without 5
    // Where a hidden element is parked: below the visible area, and saved so.
    static constexpr double HiddenTop = 17000;

    // The three uses of the element properties dialog.
    enum class ElementMode
    {
        Title,
        Bar,
        ScreenColour
    };
    Q_ENUM(ElementMode)

    Layout1(KioskState &state, Dialogs &dialogs, QWidget *parent = nullptr);

    // The tool panel's commands, callable directly.
    void toggleTitle();
    void toggleBar();
    void togglePanel(int index);
    void save();

    // The elements that the dialogs and the save read and write.
    QLabel *title() const { return titolo_; }
    QGroupBox *bar() const { return gb0_; }
    // Label4(0), Label4(1), Label2, Label3, Label1(1): the bar's texts, which share a colour.
    std::array<QLabel *, 5> barTexts() const;
    QGroupBox *panel(int index) const { return panels_.at(index).frame; }
    StyledButton *panelButton(int index) const { return panels_.at(index).button; }
    // Label5(i) to Label8(i).
    std::array<QLabel *, 4> fixedLabels(int index) const;
    // nullptr for the missing index 5.
    QPushButton *toolButton(int index) const { return btn_.at(index); }
    QFrame *toolPanel() const { return ssPanel1_; }

    QColor backgroundColour() const;
    void setBackgroundColour(const QColor &colour);
    QPixmap backgroundPicture() const { return picture_; }
    // The picture's full path as the save writes it (Label10); empty for none.
    QString picturePath() const;

    ElementPositions &positions() { return positions_; }
    const ElementPositions &positions() const { return positions_; }
    const DragState &dragState() const { return drag_; }

    // LayoutTarget
    QWidget &layoutScreen() override { return *this; }
    QString titleName() const override { return QStringLiteral("Titolo"); }
    void setBackgroundPicture(const QPixmap &picture) override;
    void setPicturePath(const QString &path) override;
    bool marksShownPanels() const override { return true; }

signals:
    // BTn(0): the background picture picker.
    void backgroundPickerRequested();
    // Image7 (Title), Image6 (Bar), BTn(1) (ScreenColour): the element properties dialog.
    void elementDialogRequested(Layout1::ElementMode mode);
    // Image5 of any panel: the button properties dialog, which sets all eleven panels.
    void buttonDialogRequested();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildTitle();
    void buildBar();
    void buildPanel(int index);
    void buildToolPanel();
    void onToolButton(int index);
    // Shows a hidden element at the top left corner, parks a shown one; true when shown.
    bool toggle(QWidget &element);
    DragHandle *makeHandle(const QString &name, QWidget &element, const QRect &place);
    QToolButton *makeSettingsIcon(QWidget *parent, const QString &name, const QRect &place);

    KioskState &state_;
    Dialogs &dialogs_;
    ElementPositions positions_;
    DragState drag_;

    QLabel *titolo_ = nullptr;
    QGroupBox *gb0_ = nullptr;
    std::array<QLabel *, 2> label4_{};
    QLabel *label2_ = nullptr;
    QLabel *label3_ = nullptr;
    QLabel *runningText_ = nullptr; // Label1(1)
    std::array<CounterPanel, PanelCount> panels_{};
    QLabel *label10_ = nullptr;
    QFrame *ssPanel1_ = nullptr;
    QGroupBox *groupBox2_ = nullptr;
    std::array<QPushButton *, ToolButtonCount> btn_{};

    QPixmap picture_;
};
