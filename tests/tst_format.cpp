// Result formatting: rounding of the stored float's shortest decimal text,
// half away from zero, with the locale's decimal mark.
#include "core/format.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <cmath>

class TestFormat : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void rounding_data();
    void rounding();
    void localeDecimalMark_data();
    void localeDecimalMark();
    void withinHalfAUnit();
};

// clang-format off
void TestFormat::rounding_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("shown");

    QTest::newRow("0.0625 up") << float(1.0 / 16) << 3 << "0.063";
    QTest::newRow("0.1875 up") << float(3.0 / 16) << 3 << "0.188";
    QTest::newRow("0.125 up") << float(9.0 / 72) << 2 << "0.13";
    QTest::newRow("0.1235 up") << float(247.0 / 2000) << 3 << "0.124";
    QTest::newRow("1349986.5") << float(899991.0 / (2.0 / 3.0)) << 2 << "1349986.50";
    QTest::newRow("largest ERA") << float(899991.0 / (1.0 / 3.0)) << 2 << "2699973.00";
    QTest::newRow("899991") << float(899991.0) << 2 << "899991.00";
    QTest::newRow("one") << 1.0f << 3 << "1.000";
    QTest::newRow("zero, 3 places") << 0.0f << 3 << "0.000";
    QTest::newRow("zero, 2 places") << 0.0f << 2 << "0.00";
    QTest::newRow("two thirds") << float(2.0 / 3) << 3 << "0.667";
    QTest::newRow("one third") << float(1.0 / 3) << 3 << "0.333";
    QTest::newRow("carry to one") << 0.9995f << 3 << "1.000";
    QTest::newRow("carry past the mark") << 9.995f << 2 << "10.00";
    QTest::newRow("just under a half") << 0.12349f << 3 << "0.123";
    QTest::newRow("27 over 1/3 inning") << float(9.0 / (0.0 + 1.0 / 3.0)) << 2 << "27.00";
    QTest::newRow("6 1/3 innings, 2 runs") << float(18.0 / (1.0 / 3.0 + 6)) << 2 << "2.84";
    QTest::newRow("8 2/3 innings, 3 runs") << float(27.0 / (2.0 / 3.0 + 8)) << 2 << "3.12";
}
// clang-format on

void TestFormat::rounding()
{
    QFETCH(float, value);
    QFETCH(int, decimals);
    QFETCH(QString, shown);
    QCOMPARE(formatResult(value, decimals), shown);
}

// clang-format off
void TestFormat::localeDecimalMark_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Japanese") << "ja_JP" << "1234.300";
    QTest::newRow("German") << "de_DE" << "1234,300";
    QTest::newRow("French") << "fr_FR" << "1234,300";
    QTest::newRow("English") << "en_US" << "1234.300";
}
// clang-format on

void TestFormat::localeDecimalMark()
{
    QFETCH(QString, locale);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(formatResult(1234.3f, 3), shown);  // and no digit grouping
}

void TestFormat::withinHalfAUnit()
{
    // Whatever the figures, the shown value lies within half a unit of the
    // last place of the true quotient, give or take single-precision error.
    QRandomGenerator random(20261207);
    for (int i = 0; i < 30000; ++i) {
        const int a = random.bounded(100000);
        const int b = random.bounded(100000);
        double exact;
        int decimals;
        switch (i % 3) {
        case 0:  // batting average: hits over at-bats
            if (a == 0)
                continue;
            exact = double(std::min(a, b)) / a;
            decimals = 3;
            break;
        case 1:  // winning percentage
            if (a + b == 0)
                continue;
            exact = double(a) / (a + b);
            decimals = 3;
            break;
        default: {  // earned-run average with random thirds
            const int thirds = random.bounded(3);
            if (a == 0 && thirds == 0)
                continue;
            exact = 9.0 * b / (a + thirds / 3.0);
            decimals = 2;
        }
        }
        const QString shown = formatResult(float(exact), decimals);
        const int point = int(shown.indexOf(QLatin1Char('.')));
        QCOMPARE(shown.size() - point - 1, decimals);
        const double tolerance = 0.5 * std::pow(10.0, -decimals) + exact * 1.2e-7 + 1e-12;
        QVERIFY2(std::abs(shown.toDouble() - exact) <= tolerance,
                 qPrintable(QStringLiteral("%1 shown as %2").arg(exact, 0, 'g', 17).arg(shown)));
    }
}

QTEST_APPLESS_MAIN(TestFormat)
#include "tst_format.moc"
