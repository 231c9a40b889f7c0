#pragma once

#include <QString>

// Formats a non-negative quotient with exactly `decimals` places ("####0.000"
// for 3, "#######0.00" for 2): at least one digit before the decimal mark of
// the user's locale, no digit grouping.
//
// It rounds the shortest decimal text that reads back as the same float, half
// away from zero. Rounding the float's exact binary value instead would show
// 247/2000 (0.1235) as 0.123, and a seven-digit rendering would show
// 1349986.5 as 1349986.00.
QString formatResult(float value, int decimals);
