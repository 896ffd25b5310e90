#pragma once

#include "layout/layouttarget.h"

#include <QDialog>
#include <QPixmap>
#include <QStringList>

// A screen other than the designer that the picture picker can serve: it records each
// picture and path it is given.
class DesignerFixture : public QDialog, public LayoutTarget
{
public:
    QWidget &layoutScreen() override { return *this; }
    QString titleName() const override { return QStringLiteral("Titolo"); }
    void setBackgroundPicture(const QPixmap &picture) override { pictures << picture; }
    void setPicturePath(const QString &path) override { paths << path; }

    QList<QPixmap> pictures;
    QStringList paths;
};
