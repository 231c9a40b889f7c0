// Texts that more than one handler compares or writes: a statistic button's
// caption is the step it has reached, so every use must match to the letter.
#pragma once

#include <QString>

namespace Caption {

inline const QString AtBats = QStringLiteral("打数 (&D)");
inline const QString Hits = QStringLiteral("安打 (&H)");
inline const QString Wins = QStringLiteral("勝 (&W)");
inline const QString Losses = QStringLiteral("敗 (&L)");
inline const QString Innings = QStringLiteral("回 (&I)");
inline const QString EarnedRuns = QStringLiteral("自責点 (&J)");

inline const QString MessageTitle = QStringLiteral("Kavlo");

} // namespace Caption
