#include "format.h"

#include <QLocale>

#include <charconv>

QString formatResult(float value, int decimals)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr;
    const std::string text(buffer, end);

    const size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    fraction.resize(std::max<size_t>(fraction.size(), decimals + 1), '0');

    const bool roundUp = fraction[decimals] >= '5';
    std::string digits = whole + fraction.substr(0, decimals);
    if (roundUp) {
        size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    const QString shown = QString::fromStdString(digits);
    const qsizetype wholeDigits = shown.size() - decimals;
    return shown.left(wholeDigits) + QLocale().decimalPoint() + shown.mid(wholeDigits);
}
