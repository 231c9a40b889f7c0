#include "pasteddigits.h"

#include "calculator.h"

std::optional<QString> pastedDigits(const QString &text)
{
    const QString figure = text.trimmed();
    if (figure.isEmpty() || figure.size() > Calculator::MaxDigits)
        return std::nullopt;
    QString digits;
    for (const QChar c : figure) {
        if (c >= u'0' && c <= u'9')
            digits += c;
        else if (c >= u'０' && c <= u'９')
            digits += QChar(u'0' + (c.unicode() - u'０'));
        else
            return std::nullopt;
    }
    return digits;
}
