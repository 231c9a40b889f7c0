#include "statistics.h"

float battingAverage(qint32 hits, qint32 atBats)
{
    return static_cast<float>(double(hits) / double(atBats));
}

float winningPercentage(qint32 wins, qint32 losses)
{
    const qint32 decisions = losses + wins;
    return static_cast<float>(double(wins) / double(decisions));
}

float earnedRunAverage(qint32 earnedRuns, qint32 innings, int thirds)
{
    const qint32 scaled = earnedRuns * 9;
    double pitched = innings;
    if (thirds == 1)
        pitched += 1.0 / 3.0;
    else if (thirds == 2)
        pitched += 2.0 / 3.0;
    return static_cast<float>(double(scaled) / pitched);
}
