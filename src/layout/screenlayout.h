#pragma once

#include "core/office.h"

#include <QString>

#include <array>
#include <optional>

// The public screen's look as the fourteen records of the screen layout table hold it:
// record 1 the title, 2 the date and time bar, 3 to 12 the counter panels, 13 the single
// queue's panel, 14 the screen. A value that could not be read stays empty (nullopt), and
// the screen then keeps its own design value for it.
//
// Colours are the installation's 0x00BBGGRR numbers; positions are twips; font sizes points.
struct ScreenLayout
{
    static constexpr int PanelCount = Office::LineCount;
    static constexpr int RecordCount = 14;

    struct Title
    {
        std::optional<QString> text;
        std::optional<float> top;
        std::optional<float> left;
        std::optional<QString> fontName;
        std::optional<float> fontSize;
        bool bold = false; // an empty yes/no here counts as no
        bool italic = false;
        std::optional<qint32> backColor;
        std::optional<qint32> textColor;
        bool visible = false;

        friend bool operator==(const Title &, const Title &) = default;
    };

    struct Bar
    {
        std::optional<float> top;
        std::optional<float> left;
        std::optional<qint32> backColor;
        std::optional<qint32> fixedTextColor;
        std::optional<bool> visible;

        friend bool operator==(const Bar &, const Bar &) = default;
    };

    struct Panel
    {
        std::optional<bool> visible;
        std::optional<float> top;
        std::optional<float> left;
        std::optional<QString> fontName;
        std::optional<float> fontSize;
        bool bold = false;
        bool italic = false;
        std::optional<qint32> appearance; // button style 0 to 6
        std::optional<qint32> textColor;
        std::optional<qint32> panelColor;
        std::optional<qint32> fixedTextColor;
        std::optional<QString> buttonText; // the single queue's panel only

        friend bool operator==(const Panel &, const Panel &) = default;
    };

    Title title;
    Bar bar;
    std::array<Panel, PanelCount> panels;
    std::optional<qint32> backColor;
    // nullopt: the field is empty (no picture); an empty text also means none.
    std::optional<QString> picturePath;

    // How many of the fourteen records the table held. The yes/no values of a record that
    // was never read are not "no": its element keeps the screen's design entirely.
    int recordCount = RecordCount;
    bool hasRecord(int record) const { return record >= 1 && record <= recordCount; }

    friend bool operator==(const ScreenLayout &, const ScreenLayout &) = default;

    // What a record holds, as messages about it name it.
    static QString recordName(int record)
    {
        if (record == 1)
            return QStringLiteral("titolo");
        if (record == 2)
            return QStringLiteral("barra di data e ora");
        if (record >= 3 && record <= 12)
            return QStringLiteral("pannello della postazione %1").arg(record - 2);
        if (record == 13)
            return QStringLiteral("pannello della coda unica");
        return QStringLiteral("schermo");
    }
};
