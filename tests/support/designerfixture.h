#pragma once

#include "console/layouttarget.h"

#include <QDialog>
#include <QList>
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
    static constexpr int PanelCount = 11;

    DesignerFixture();

    QWidget &layoutScreen() override { return *this; }
    QString titleName() const override { return QStringLiteral("Titolo"); }
    void setBackgroundPicture(const QPixmap &picture) override { pictures << picture; }
    void setPicturePath(const QString &path) override { paths << path; }

    QWidget *element(const QString &name) const;
    QWidget *element(const char *name, int index) const;
    StyledButton *button(int panel) const;
    // The element's colour as the installation stores it.
    qint32 colour(const QString &name, QPalette::ColorRole role) const;
    qint32 colour(const char *name, int index, QPalette::ColorRole role) const;

    // Each call of the picture hooks, in order.
    QList<QPixmap> pictures;
    QStringList paths;
};
