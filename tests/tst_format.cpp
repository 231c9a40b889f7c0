// Result formatting: the exact quotient rounded half away from zero, with the
// locale's decimal mark.
#include "core/format.h"
#include "core/statistics.h"
#include "exact.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

class TestFormat : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void rounding_data();
    void rounding();
    void localeDecimalMark_data();
    void localeDecimalMark();
    void exactEverywhere();
};

// clang-format off
void TestFormat::rounding_data()
{
    QTest::addColumn<qint64>("dividend");
    QTest::addColumn<qint64>("divisor");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("shown");

    QTest::newRow("0.0625 up") << 1LL << 16LL << 3 << "0.063";
    QTest::newRow("0.1875 up") << 3LL << 16LL << 3 << "0.188";
    QTest::newRow("0.125 up") << 9LL << 72LL << 2 << "0.13";
    QTest::newRow("0.1235 up") << 247LL << 2000LL << 3 << "0.124";
    QTest::newRow("0.2865 up") << 573LL << 2000LL << 3 << "0.287";
    QTest::newRow("1349986.5") << 2699973LL << 2LL << 2 << "1349986.50";
    QTest::newRow("largest ERA") << 2699973LL << 1LL << 2 << "2699973.00";
    QTest::newRow("899991") << 899991LL << 1LL << 2 << "899991.00";
    QTest::newRow("one") << 1LL << 1LL << 3 << "1.000";
    QTest::newRow("zero, 3 places") << 0LL << 1LL << 3 << "0.000";
    QTest::newRow("zero, 2 places") << 0LL << 1LL << 2 << "0.00";
    QTest::newRow("two thirds") << 2LL << 3LL << 3 << "0.667";
    QTest::newRow("one third") << 1LL << 3LL << 3 << "0.333";
    QTest::newRow("carry to one") << 1999LL << 2000LL << 3 << "1.000";
    QTest::newRow("carry past the mark") << 1999LL << 200LL << 2 << "10.00";
    QTest::newRow("just under a half") << 12349LL << 100000LL << 3 << "0.123";
    QTest::newRow("27 over 1/3 inning") << 27LL << 1LL << 2 << "27.00";
    QTest::newRow("6 1/3 innings, 2 runs") << 54LL << 19LL << 2 << "2.84";
    QTest::newRow("8 2/3 innings, 3 runs") << 81LL << 26LL << 2 << "3.12";
    // Just under a half, where a single-precision quotient had reached it.
    QTest::newRow("8639 at-bats, 7598 hits") << 7598LL << 8639LL << 3 << "0.879";
    QTest::newRow("5753 wins, 3386 losses") << 5753LL << 9139LL << 3 << "0.629";
    QTest::newRow("4212 1/3 innings, 2277 runs") << 27 * 2277LL << 3 * 4212 + 1LL << 2 << "4.86";
    QTest::newRow("7599 2/3 innings, 2529 runs") << 27 * 2529LL << 3 * 7599 + 2LL << 2 << "2.99";
    QTest::newRow("2 1/3 innings, 99999 runs") << 27 * 99999LL << 7LL << 2 << "385710.43";
    // The extremes of each statistic.
    QTest::newRow("one hit in 99999") << 1LL << 99999LL << 3 << "0.000";
    QTest::newRow("99998 hits in 99999") << 99998LL << 99999LL << 3 << "1.000";
    QTest::newRow("99999 wins, 1 loss") << 99999LL << 100000LL << 3 << "1.000";
    QTest::newRow("1 win, 99999 losses") << 1LL << 100000LL << 3 << "0.000";
    QTest::newRow("1 run in 99999 2/3 innings") << 27LL << 299999LL << 2 << "0.00";
}
// clang-format on

void TestFormat::rounding()
{
    QFETCH(qint64, dividend);
    QFETCH(qint64, divisor);
    QFETCH(int, decimals);
    QFETCH(QString, shown);
    QCOMPARE(formatResult({dividend, divisor}, decimals), shown);
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
    QCOMPARE(formatResult({12343, 10}, 3), shown);  // and no digit grouping
}

// Each statistic's formula and the formatting together, against the long
// division: every batting figure up to 2000 at-bats, and a seeded sample
// across the whole range of each statistic.
void TestFormat::exactEverywhere()
{
    const Statistic &batting = *findStatistic("battingAverage");
    for (qint32 atBats = 1; atBats <= 2000; ++atBats) {
        for (qint32 hits = 0; hits <= atBats; ++hits) {
            const QString shown = formatResult(batting.formula(atBats, hits, 0), 3);
            if (shown != exactText(hits, atBats, 3))
                QFAIL(qPrintable(QStringLiteral("%1 at-bats, %2 hits: %3").arg(atBats).arg(hits).arg(shown)));
        }
    }
    const Statistic *winning = findStatistic("winningPercentage"), *era = findStatistic("earnedRunAverage");
    QRandomGenerator random(20261208);
    for (int i = 0; i < 30000; ++i) {
        const qint32 a = qint32(random.bounded(100000)), b = qint32(random.bounded(100000));
        const int thirds = int(random.bounded(3));
        struct {
            const Statistic *statistic;
            qint32 first, second;
            qint64 dividend, divisor;
        } row;
        switch (i % 3) {
        case 0:
            row = {&batting, a, qMin(a, b), qMin(a, b), a};
            break;
        case 1:
            row = {winning, a, b, a, qint64(a) + b};
            break;
        default:
            row = {era, a, b, 27 * qint64(b), 3 * qint64(a) + thirds};
        }
        if (row.divisor == 0)
            continue;
        const int places = row.statistic->decimals;
        QCOMPARE(formatResult(row.statistic->formula(row.first, row.second, thirds), places),
                 exactText(row.dividend, row.divisor, places));
    }
}

QTEST_APPLESS_MAIN(TestFormat)
#include "tst_format.moc"
