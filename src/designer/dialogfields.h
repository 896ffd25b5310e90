#pragma once

#include <QPalette>
#include <QString>

#include <optional>

class Dialogs;
class QCheckBox;
class QFont;
class QLabel;
class QLineEdit;
class QPushButton;
class QRect;
class QWidget;

// What the designer's dialogs share: finding the designer's own elements, reading and
// setting their colours, and the decimal colour and point-size fields they are edited in.
class DialogFields
{
public:
    static constexpr qreal LargestPointSize = 1638; // the old platform's font chooser stopped there

    static QString indexed(const char *name, int index);
    // A dialog opened over the designer is its child and carries names of its own that the
    // designer also uses (PB1(0), Label3): only elements in the designer's own window count.
    static QWidget *element(QWidget &designer, const QString &name);

    static qint32 colourOf(const QWidget *widget, QPalette::ColorRole role);
    static void setColour(QWidget *widget, QPalette::ColorRole role, qint32 value);
    static void setBackground(QWidget *widget, qint32 value);
    // A font given in pixels has no point size of its own; the one it renders at stands in.
    static qreal pointsOf(const QFont &font);

    // A whole number from 0 to 16777215, or nothing.
    static std::optional<qint32> colourValue(const QLineEdit *field);
    // Typed with either decimal mark: the numeric keypad of an Italian keyboard gives a comma.
    static std::optional<qreal> pointSize(const QLineEdit *field);

    // The font chooser on the four font fields; they change only when the user confirms.
    static bool chooseFont(Dialogs &dialogs, QWidget *parent, QLineEdit *name, QLineEdit *size,
                           QCheckBox *bold, QCheckBox *italic, QFont *chosen = nullptr);
    // The colour chooser on a decimal colour field; the field changes only on a choice.
    static bool chooseColour(Dialogs &dialogs, QWidget *parent, QLineEdit *field);

    static QLabel *makeCaption(QWidget *parent, const QString &text, const QRect &place);
    static QLineEdit *makeField(QWidget *parent, const QString &name, const QRect &place);
    static QPushButton *makeButton(QWidget *parent, const QString &name, const QString &text,
                                   const QRect &place);
};
