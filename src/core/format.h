#pragma once

#include <QString>

// A quotient as the ratio of two whole numbers, so that no rounding happens
// before the one the result is shown with.
struct Quotient {
    qint64 dividend, divisor;  // dividend ≥ 0, divisor > 0
};

// Formats a quotient with exactly `decimals` places ("####0.000" for 3,
// "#######0.00" for 2): the exact value rounded half away from zero, at least
// one digit before the decimal mark of the user's locale, no digit grouping.
QString formatResult(Quotient quotient, int decimals);
