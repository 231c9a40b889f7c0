// Light and dark colour schemes, switched while the window is open: the
// figures stay readable on the displays' own faces, everything else follows
// the scheme, and disabled keys still look disabled. Measured on drawn pixels.
#include "support.h"

#include <QApplication>
#include <QStyle>
#include <QTest>

#include <cmath>

namespace {

// WCAG's contrast ratio of two colours, from 1 (none) to 21.
double contrast(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

struct Drawn {
    QColor face, text;  // the commonest colour inside the frame, and the one that stands out most from it
};

Drawn drawn(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    const qreal r = image.devicePixelRatio();
    const QRect inside(widget->contentsRect().topLeft() * r + QPoint(2, 2),
                       widget->contentsRect().size() * r - QSize(4, 4));
    QHash<QRgb, int> counts;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    Drawn d;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most)
            most = it.value(), d.face = QColor(it.key());
    }
    d.text = d.face;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (contrast(QColor(it.key()), d.face) > contrast(d.text, d.face))
            d.text = QColor(it.key());
    }
    return d;
}

}  // namespace

class TestScheme : public WindowTest
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { QApplication::setPalette(QApplication::style()->standardPalette()); }
    void readableInEveryScheme_data();
    void readableInEveryScheme();
};

// clang-format off
void TestScheme::readableInEveryScheme_data()
{
    QTest::addColumn<QStringList>("schemes");  // switched to one after the other, the window staying open
    QTest::newRow("light") << QStringList{"light"};
    QTest::newRow("light, then dark") << QStringList{"light", "dark"};
    QTest::newRow("dark, then light") << QStringList{"dark", "light"};
}
// clang-format on

void TestScheme::readableInEveryScheme()
{
    QFETCH(QStringList, schemes);
    play(*w, QStringLiteral("9 I 1/3 2 I"));
    for (int d = 0; d < 5; ++d)
        w->digitPressed(8);  // typed after the result: every display now shows a figure

    for (const QString &scheme : schemes) {
        const QPalette palette
            = scheme == QLatin1String("dark") ? darkScheme() : QApplication::style()->standardPalette();
        QApplication::setPalette(palette);
        QCoreApplication::processEvents();

        const QColor orange(255, 224, 192), white(Qt::white);
        for (const char *name : {"lblInput", "lblA", "lblB", "lblC", "lblD"}) {
            QLabel *display = label(*w, name);
            const Drawn d = drawn(display);
            QCOMPARE(d.face, qstrcmp(name, "lblInput") == 0 || qstrcmp(name, "lblD") == 0 ? orange : white);
            QVERIFY2(contrast(d.text, d.face) >= 4.5,
                     qPrintable(QStringLiteral("%1 in %2: %3 on %4, %5:1")
                                    .arg(display->objectName(), scheme, d.text.name(), d.face.name())
                                    .arg(contrast(d.text, d.face), 0, 'f', 1)));
        }

        // The rest follows the scheme: the window's face, and a caption on it.
        const Drawn caption = drawn(label(*w, "Label2"));
        QCOMPARE(caption.face, palette.color(QPalette::Window));
        QVERIFY2(contrast(caption.text, caption.face) >= 4.5, qPrintable(scheme));

        // A disabled key's caption is plainly dimmer than an enabled key's.
        QVERIFY(key(*w, "cmdAC")->isEnabled() && !key(*w, "cmd8")->isEnabled());
        const Drawn enabled = drawn(key(*w, "cmdAC")), disabled = drawn(key(*w, "cmd8"));
        const double enabledContrast = contrast(enabled.text, enabled.face);
        const double disabledContrast = contrast(disabled.text, disabled.face);
        QVERIFY2(enabledContrast >= 4.5 && disabledContrast * 1.5 < enabledContrast,
                 qPrintable(QStringLiteral("%1: enabled %2:1, disabled %3:1")
                                .arg(scheme)
                                .arg(enabledContrast, 0, 'f', 1)
                                .arg(disabledContrast, 0, 'f', 1)));
    }
}

QTEST_MAIN(TestScheme)
#include "tst_scheme.moc"
