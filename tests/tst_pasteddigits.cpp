// Clipboard text read as a figure, with no display: which texts key digits
// and which are refused as a whole.
#include "core/pasteddigits.h"

#include <QTest>

class TestPastedDigits : public QObject
{
    Q_OBJECT

private slots:
    void pastedDigits_data();
    void pastedDigits();
};

// clang-format off
void TestPastedDigits::pastedDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digits");  // "-" for no figure

    const struct {
        const char *name, *text, *digits;
    } rows[] = {
        {"digits", "42", "42"},
        {"surrounding white space", " 42\n", "42"},
        {"tabs and CR LF", "\t42\r\n", "42"},
        {"ideographic spaces", "\u300042\u3000", "42"},
        {"full width", "４２", "42"},
        {"mixed widths", "0０7", "007"},
        {"full-width zero and nine", "９０", "90"},
        {"full-width neighbours", "／：", "-"},
        {"leading zeros kept", "00000", "00000"},
        {"five digits", "99999", "99999"},
        {"six digits", "123456", "-"},
        {"six full-width digits", "１２３４５６", "-"},
        {"decimal", "3.5", "-"},
        {"decimal comma", "3,5", "-"},
        {"minus", "-1", "-"},
        {"plus", "+1", "-"},
        {"full-width minus", "－１", "-"},
        {"space inside", "4 2", "-"},
        {"grouped", "1,000", "-"},
        {"exponent", "1e3", "-"},
        {"empty", "", "-"},
        {"white space only", " \n\u3000", "-"},
        {"letters", "abc", "-"},
        {"digits and letters", "42abc", "-"},
        {"kanji numerals", "四二", "-"},
        {"Arabic-Indic digits", "\u0664\u0662", "-"},
        {"superscript", "4\u00b2", "-"},
        {"a result", "0.300", "-"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromUtf8(r.text) << QString::fromUtf8(r.digits);
}
// clang-format on

void TestPastedDigits::pastedDigits()
{
    QFETCH(QString, text);
    QFETCH(QString, digits);

    const std::optional<QString> pasted = ::pastedDigits(text);
    QCOMPARE(pasted.value_or(QStringLiteral("-")), digits);
}

QTEST_APPLESS_MAIN(TestPastedDigits)
#include "tst_pasteddigits.moc"
