#include "format.h"

#include <QLocale>

QString formatResult(Quotient quotient, int decimals)
{
    Q_ASSERT(quotient.dividend >= 0 && quotient.divisor > 0 && decimals > 0);
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    // The quotient in units of the last place, rounded half up: floor(q × scale + ½).
    const qint64 units = (2 * quotient.dividend * scale + quotient.divisor) / (2 * quotient.divisor);
    return QString::number(units / scale) + QLocale().decimalPoint()
        + QStringLiteral("%1").arg(units % scale, decimals, 10, QLatin1Char('0'));
}
