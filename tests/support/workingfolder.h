#pragma once

#include <QDir>
#include <QTemporaryDir>

// A temporary working directory, where the kiosk looks for Ticket.lbl, with a folder for
// PDF tickets; the previous working directory comes back when it goes.
class WorkingFolder
{
public:
    WorkingFolder()
    {
        valid_ =
            QDir(dir_.path()).mkdir(QStringLiteral("tickets")) && QDir::setCurrent(dir_.path());
    }
    ~WorkingFolder() { QDir::setCurrent(previous_); }

    bool isValid() const { return valid_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString &name) const { return dir_.filePath(name); }
    QString tickets() const { return dir_.filePath(QStringLiteral("tickets")); }
    QStringList ticketFiles() const
    {
        return QDir(tickets()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    }

private:
    QString previous_ = QDir::currentPath();
    QTemporaryDir dir_;
    bool valid_ = false;
};
