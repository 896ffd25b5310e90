#include "ui/styledbutton.h"

#include <QtTest>

namespace {
const QColor Ink(0xc0, 0x00, 0x70);

QImage drawn(StyledButton &button, int style, int pixelSize = 28)
{
    QPalette palette = button.palette();
    palette.setColor(QPalette::ButtonText, Ink);
    button.setPalette(palette);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    button.setFont(font);
    button.setAppearance(style);
    button.resize(200, 100);
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Bounding box of the pixels painted exactly in the ink: the solid cores of the glyphs.
QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == Ink.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}
} // namespace

class TestStyledButton : public QObject
{
    Q_OBJECT

private slots:
    // Each style looks its own, unknown ones as standard; each shows its text and states.
    void eachStyleShowsTextAndStatesItsOwnWay()
    {
        QList<QImage> looks;
        for (int style : {0, 1, 2, 3, 4, 5, 6, 7, -1}) {
            StyledButton button;
            button.setText(QStringLiteral("Rossi"));
            const QImage rest = drawn(button, style);
            if (style < 0 || style > 6) {
                QVERIFY(rest == looks.at(0));
                continue;
            }
            QVERIFY2(!looks.contains(rest), qPrintable(QString::number(style)));
            looks << rest;
            const QRect small = inkBounds(drawn(button, style, 12));
            QVERIFY(!small.isEmpty() && inkBounds(rest).height() > small.height());
            // A name too long for one line goes onto several, inside the button.
            button.setText(QStringLiteral("Maria Giovanna Bianchi"));
            const QRect wrapped = inkBounds(drawn(button, style));
            QVERIFY(wrapped.height() > 2 * inkBounds(rest).height()
                    && button.rect().contains(wrapped));
            button.setText(QStringLiteral("Rossi"));
            button.setDown(true);
            QVERIFY(drawn(button, style) != rest);
            button.setDown(false);
            // Standard hovers as the platform does; of ours, only the looks with a hover state.
            button.setAttribute(Qt::WA_UnderMouse);
            QVERIFY(style == 0
                    || (drawn(button, style) != rest) == QList<int>({1, 4, 5, 6}).contains(style));
            button.setAttribute(Qt::WA_UnderMouse, false);
            // One text colour for every colour group, as the layout sets it: disabled still fades.
            button.setEnabled(false);
            QVERIFY(inkBounds(drawn(button, style)).isEmpty());
        }
    }
};

QTEST_MAIN(TestStyledButton)
#include "tst_styledbutton.moc"
