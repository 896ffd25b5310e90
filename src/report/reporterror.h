#pragma once

#include <QString>

#include <exception>

// A failure of the ticket engine (project file, printer, PDF folder), with the Italian
// sentence for the user and the technical detail.
class ReportError : public std::exception
{
public:
    explicit ReportError(QString message, QString detail = QString())
        : message_(std::move(message)), detail_(std::move(detail)), what_(message_.toUtf8())
    {
    }

    const QString &message() const { return message_; }
    const QString &detail() const { return detail_; }
    QString fullText() const
    {
        return detail_.isEmpty() ? message_
                                 : message_ + QStringLiteral("\n\nDettaglio: ") + detail_;
    }
    const char *what() const noexcept override { return what_.constData(); }

private:
    QString message_;
    QString detail_;
    QByteArray what_;
};
