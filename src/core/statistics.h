// The three statistics. Each divides in double precision and keeps the
// quotient as a single-precision float, the value that is then formatted.
#pragma once

#include <QtGlobal>

// hits / at-bats; at-bats is never 0.
float battingAverage(qint32 hits, qint32 atBats);
// wins / (wins + losses); the two are never both 0.
float winningPercentage(qint32 wins, qint32 losses);
// Earned runs per nine innings over whole innings plus 0, 1 or 2 thirds,
// which are never 0 and 0.
float earnedRunAverage(qint32 earnedRuns, qint32 innings, int thirds);
