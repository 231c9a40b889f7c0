#include "statistics.h"

#include <cstring>

namespace {

bool bothZero(qint32 first, qint32 second)
{
    return first == 0 && second == 0;
}

}  // namespace

const std::vector<Statistic> statistics = {
    {
        .id = "battingAverage",
        .firstKey = "打数 (&D)",
        .secondKey = "安打 (&H)",
        .firstFigure = "打数",
        .secondFigure = "安打",
        .result = "打率",
        .decimals = 3,
        .secondFigureRefusals = {
            // More hits than at-bats: the hits are keyed again.
            {.applies = [](qint32 atBats, qint32 hits) { return hits > atBats; },
             .reason = "打数より安打の数のほうが多いです。",
             .clears = Clears::Entry},
            {.applies = bothZero, .reason = "０打数０安打は打率000です。", .clears = Clears::Everything},
        },
        .formula = [](qint32 atBats, qint32 hits, int) { return Quotient{hits, atBats}; },
    },
    {
        .id = "winningPercentage",
        .firstKey = "勝 (&W)",
        .secondKey = "敗 (&L)",
        .firstFigure = "勝",
        .secondFigure = "敗",
        .result = "勝率",
        .decimals = 3,
        .secondFigureRefusals = {
            // No decisions, no percentage.
            {.applies = bothZero, .reason = "０勝０敗では勝率を計算できません。", .clears = Clears::Everything},
        },
        .formula = [](qint32 wins, qint32 losses, int) { return Quotient{wins, qint64(wins) + losses}; },
    },
    {
        .id = "earnedRunAverage",
        .firstKey = "回 (&I)",
        .secondKey = "自責点 (&J)",
        .firstFigure = "投球回数",
        .thirds = "回と",
        .secondFigure = "自責点",
        .result = "防御率",
        .takesThirds = true,
        .decimals = 2,
        .thirdsRefusals = {
            // No whole innings and no thirds would divide the earned runs by zero.
            {.applies = [](qint32 innings, qint32 thirds) { return innings == 0 && thirds == 0; },
             .reason = "投球回数が０なのでもし自責点があると防御率は無限大です。",
             .clears = Clears::Nothing},
        },
        // 9 × earned runs ÷ (innings + thirds ÷ 3), with the innings counted in thirds.
        .formula = [](qint32 innings, qint32 earnedRuns, int thirds) {
            return Quotient{27 * qint64(earnedRuns), 3 * qint64(innings) + thirds};
        },
    },
};

const Statistic *findStatistic(const char *id)
{
    for (const Statistic &s : statistics) {
        if (std::strcmp(s.id, id) == 0)
            return &s;
    }
    return nullptr;
}
