// The icons built into the program: the 16-colour image the windows show,
// and the ball at every icon theme size for a window icon of any scale.
#include <QImage>
#include <QTest>

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void windowImage();
    void themeSizes_data();
    void themeSizes();
};

// The image in the windows is a 32 x 32, 16-colour, fully opaque picture.
void TestIcons::windowImage()
{
    const QImage image(QStringLiteral(":/kavlo.png"));
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(image.colorCount() > 0 && image.colorCount() <= 16);
    QVERIFY(!image.hasAlphaChannel());
}

// clang-format off
void TestIcons::themeSizes_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%d", size) << size;
}
// clang-format on

// Each size is square, and shows the white ball on opaque grass: a blank or
// misplaced rendering fails here.
void TestIcons::themeSizes()
{
    QFETCH(int, size);
    const QImage image(QStringLiteral(":/icons/%1.png").arg(size));
    QCOMPARE(image.size(), QSize(size, size));

    const QColor grass = image.pixelColor(size / 2, 0);
    QCOMPARE(grass.alpha(), 255);
    QVERIFY2(grass.green() > 2 * grass.red() && grass.green() > 2 * grass.blue(), qPrintable(grass.name()));

    const QColor ball = image.pixelColor(size / 2, size / 4);
    QVERIFY2(qMin(ball.red(), qMin(ball.green(), ball.blue())) > 200, qPrintable(ball.name()));
}

QTEST_GUILESS_MAIN(TestIcons)
#include "tst_icons.moc"
