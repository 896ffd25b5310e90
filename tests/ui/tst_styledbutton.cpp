#include "ui/styledbutton.h"

#include <QtTest>

namespace {

const QColor Ink(0xc0, 0x00, 0x70);
const int StyleCount = 7;

void prepare(StyledButton &button, int style, int pixelSize = 20)
{
    QPalette palette = button.palette();
    palette.setColor(QPalette::ButtonText, Ink);
    button.setPalette(palette);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    button.setFont(font);
    button.setText(QStringLiteral("Rossi"));
    button.setAppearance(style);
    button.resize(200, 100);
}

QImage render(StyledButton &button)
{
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Bounding box of the pixels painted exactly in the given colour: the solid cores of the glyphs.
QRect inkBounds(const QImage &image, const QColor &colour)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

void addStyleRows()
{
    QTest::addColumn<int>("style");
    for (int style = 0; style < StyleCount; ++style)
        QTest::newRow(qPrintable(StyledButton::styleNames().at(style))) << style;
}

} // namespace

class TestStyledButton : public QObject
{
    Q_OBJECT

private slots:
    void everyStyleLooksItsOwn()
    {
        QList<QImage> images;
        for (int style = 0; style < StyleCount; ++style) {
            StyledButton button;
            prepare(button, style);
            images << render(button);
        }
        const QStringList names = StyledButton::styleNames();
        for (int a = 0; a < StyleCount; ++a)
            for (int b = a + 1; b < StyleCount; ++b)
                QVERIFY2(images[a] != images[b],
                         qPrintable(names[a] + QStringLiteral(" = ") + names[b]));

        // A number without a look of its own is saved back as loaded and drawn as Standard.
        for (int style : {7, -1}) {
            StyledButton button;
            prepare(button, style);
            QCOMPARE(button.appearance(), style);
            QCOMPARE(render(button), images[0]);
        }
    }

    void textFollowsColourFontAndWraps_data() { addStyleRows(); }
    void textFollowsColourFontAndWraps()
    {
        QFETCH(int, style);
        StyledButton button;
        prepare(button, style, 12);
        const QRect small = inkBounds(render(button), Ink);
        QVERIFY(!small.isEmpty());

        prepare(button, style, 28);
        const QRect large = inkBounds(render(button), Ink);
        QVERIFY(large.height() > small.height());

        // A name too long for one line goes onto several, inside the button.
        button.setText(QStringLiteral("Maria Giovanna Bianchi"));
        const QRect wrapped = inkBounds(render(button), Ink);
        QVERIFY(wrapped.height() > 2 * large.height());
        QVERIFY(button.rect().contains(wrapped));
    }

    void statesShow_data() { addStyleRows(); }
    void statesShow()
    {
        QFETCH(int, style);
        StyledButton button;
        prepare(button, style);
        const QImage rest = render(button);
        button.setDown(true);
        QVERIFY(render(button) != rest);
        button.setDown(false);

        // Standard hovers as the platform does; of ours, only the looks with a hover state change.
        button.setAttribute(Qt::WA_UnderMouse);
        if (style != 0)
            QCOMPARE(render(button) != rest, QList<int>({1, 4, 5, 6}).contains(style));
        button.setAttribute(Qt::WA_UnderMouse, false);

        // One text colour for every colour group, as the layout sets it: disabled text still fades.
        button.setEnabled(false);
        const QImage disabled = render(button);
        QVERIFY(disabled != rest);
        QVERIFY(inkBounds(disabled, Ink).isEmpty());
        const QColor grey(0x80, 0x80, 0x88);
        QPalette palette = button.palette();
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, grey);
        button.setPalette(palette);
        QVERIFY(!inkBounds(render(button), grey).isEmpty());
    }
};

QTEST_MAIN(TestStyledButton)
#include "tst_styledbutton.moc"
