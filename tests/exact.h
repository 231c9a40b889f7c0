// A quotient of two whole numbers as the calculator shows it, worked out apart
// from the code under test: long division, digit by digit, then half away
// from zero on the digits.
#pragma once

#include <QString>

inline QString exactText(qint64 dividend, qint64 divisor, int places)
{
    QString digits = QString::number(dividend / divisor);
    qint64 rest = dividend % divisor;
    for (int i = 0; i < places; ++i) {
        rest *= 10;
        digits += QChar(char('0' + rest / divisor));
        rest %= divisor;
    }
    if (2 * rest >= divisor) {
        qsizetype i = digits.size();
        while (i > 0 && digits[i - 1] == QLatin1Char('9'))
            digits[--i] = QLatin1Char('0');
        if (i == 0)
            digits.prepend(QLatin1Char('1'));
        else
            digits[i - 1] = QChar(digits[i - 1].unicode() + 1);
    }
    return digits.left(digits.size() - places) + QLatin1Char('.') + digits.right(places);
}
