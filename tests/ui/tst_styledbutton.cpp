#include "ui/styledbutton.h"

#include <QtTest>

namespace {
const QColor Ink(0xc0, 0x00, 0x70);

QImage drawn(StyledButton &button, int style, int pixelSize = 20)
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

// Bounding box of the pixels painted exactly in the colour: the solid cores of the glyphs.
QRect inkBounds(const QImage &image, const QColor &colour = Ink)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}
} // namespace

class TestStyledButton : public QObject
{
    Q_OBJECT

private slots:
    void eachStyleLooksItsOwnAndOthersAsStandard()
    {
        QList<QImage> images;
        for (int style : {0, 1, 2, 3, 4, 5, 6, 7, -1}) {
            StyledButton button;
            button.setText(QStringLiteral("Rossi"));
            images << drawn(button, style);
            QCOMPARE(button.appearance(), style); // saved back as loaded
        }
        for (int a = 0; a < 7; ++a)
            for (int b = a + 1; b < 7; ++b)
                QVERIFY2(images[a] != images[b], qPrintable(u"%1 = %2"_qs.arg(a).arg(b)));
        QVERIFY(images[7] == images[0] && images[8] == images[0]);
    }

    void textAndStatesShow_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 0; style < 7; ++style)
            QTest::newRow(qPrintable(StyledButton::styleNames().at(style))) << style;
    }
    void textAndStatesShow()
    {
        QFETCH(int, style);
        StyledButton button;
        button.setText(QStringLiteral("Rossi"));
        const QRect small = inkBounds(drawn(button, style, 12));
        const QImage rest = drawn(button, style, 28);
        QVERIFY(!small.isEmpty() && inkBounds(rest).height() > small.height());
        // A name too long for one line goes onto several, inside the button.
        button.setText(QStringLiteral("Maria Giovanna Bianchi"));
        const QRect wrapped = inkBounds(drawn(button, style, 28));
        QVERIFY(wrapped.height() > 2 * inkBounds(rest).height() && button.rect().contains(wrapped));
        button.setText(QStringLiteral("Rossi"));

        button.setDown(true);
        QVERIFY(drawn(button, style, 28) != rest);
        button.setDown(false);
        // Standard hovers as the platform does; of ours, only the looks with a hover state.
        button.setAttribute(Qt::WA_UnderMouse);
        if (style != 0)
            QCOMPARE(drawn(button, style, 28) != rest, QList<int>({1, 4, 5, 6}).contains(style));
        button.setAttribute(Qt::WA_UnderMouse, false);
        // One text colour for every colour group, as the layout sets it: disabled still fades.
        button.setEnabled(false);
        QVERIFY(inkBounds(drawn(button, style, 28)).isEmpty());
    }
};

QTEST_MAIN(TestStyledButton)
#include "tst_styledbutton.moc"
