#pragma once

#include "core/office.h"
#include "layout/layouttarget.h"

#include <QDialog>
#include <QPalette>
#include <QPixmap>
#include <QStringList>

class StyledButton;

// A stand-in for the layout designer with the elements its dialogs act on: Titolo, GB0 and
// its five labels, the eleven panels with PB1 and Label5..Label8, Label10. Every panel starts
// with values of its own, so a dialog that reads the wrong panel shows it.
class DesignerFixture : public QDialog, public LayoutTarget
{
public:
    static constexpr int PanelCount = Office::LineCount;

    DesignerFixture();

    QWidget &layoutScreen() override { return *this; }
    QString titleName() const override { return QStringLiteral("Titolo"); }
    void setBackgroundPicture(const QPixmap &picture) override { pictures << picture; }
    void setPicturePath(const QString &path) override { paths << path; }

    // Only elements of the fixture's own window: a dialog over it is its child and may reuse
    // the names. An empty name is the fixture itself.
    QWidget *element(const QString &name) const;
    StyledButton *button(int panel) const;
    // The element's colour as the installation stores it.
    qint32 colour(const QString &name, QPalette::ColorRole role) const;

    QList<QPixmap> pictures; // each call of the picture hooks, in order
    QStringList paths;
};
