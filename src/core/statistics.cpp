#include "statistics.h"

#include <cstring>

namespace {

float quotient(double dividend, double divisor)
{
    return static_cast<float>(dividend / divisor);
}

bool bothZero(qint32 first, qint32 second)
{
    return first == 0 && second == 0;
}

}  // namespace

// clang-format off
const std::vector<Statistic> statistics = {
    {"battingAverage", "打数 (&D)", "安打 (&H)", "打数", nullptr, "安打", "打率", false, 3, {},
     {
         // More hits than at-bats: the hits are keyed again.
         {[](qint32 atBats, qint32 hits) { return hits > atBats; }, "打数より安打の数のほうが多いです。", Clears::Entry},
         {bothZero, "０打数０安打は打率000です。", Clears::Everything},
     },
     [](qint32 atBats, qint32 hits, int) { return quotient(hits, atBats); }},
    {"winningPercentage", "勝 (&W)", "敗 (&L)", "勝", nullptr, "敗", "勝率", false, 3, {},
     {
         // No decisions, no percentage.
         {bothZero, "０勝０敗では勝率を計算できません。", Clears::Everything},
     },
     [](qint32 wins, qint32 losses, int) {
         const qint32 decisions = losses + wins;
         return quotient(wins, decisions);
     }},
    {"earnedRunAverage", "回 (&I)", "自責点 (&J)", "投球回数", "回と", "自責点", "防御率", true, 2,
     {
         // No whole innings and no thirds would divide the earned runs by zero.
         {[](qint32 innings, qint32 thirds) { return innings == 0 && thirds == 0; },
          "投球回数が０なのでもし自責点があると防御率は無限大です。", Clears::Nothing},
     },
     {},
     [](qint32 innings, qint32 earnedRuns, int thirds) {
         const qint32 scaled = earnedRuns * 9;
         double pitched = innings;
         if (thirds == 1)
             pitched += 1.0 / 3.0;
         else if (thirds == 2)
             pitched += 2.0 / 3.0;
         return quotient(scaled, pitched);
     }},
};
// clang-format on

const Statistic *findStatistic(const char *id)
{
    for (const Statistic &s : statistics) {
        if (std::strcmp(s.id, id) == 0)
            return &s;
    }
    return nullptr;
}
