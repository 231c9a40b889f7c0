#include "calculator.h"

#include "format.h"
#include "statistics.h"

#include <utility>

namespace {

Outcome refuse(Message::Icon icon, const char *text)
{
    return {Message{QString::fromUtf8(text), icon, QStringLiteral("Kavlo")}, Cue::None};
}

// A figure is at most five digits, so it always fits.
qint32 valueOf(const QString &figure)
{
    return figure.toInt();
}

} // namespace

bool Calculator::takesStatistic(Statistic statistic) const
{
    return m_step == Step::Ready || (m_statistic == statistic && m_step == Step::AwaitingSecondFigure);
}

QString Calculator::thirds() const
{
    return m_thirds ? QStringLiteral("%1/3").arg(*m_thirds) : QString();
}

Outcome Calculator::enterDigit(int digit)
{
    // Typed digits still reach the entry once the result is shown; only the
    // thirds step turns them away. A sixth digit is refused without a sound.
    if (m_step == Step::AwaitingThirds || m_entry.size() >= MaxDigits)
        return {};
    m_entry += QChar(u'0' + digit);
    return {std::nullopt, Cue::Digit};
}

Outcome Calculator::chooseThirds(int thirds)
{
    if (!takesThirds())
        return {};
    // No whole innings and no thirds would divide the earned runs by zero.
    if (thirds == 0 && valueOf(m_firstFigure) == 0)
        return refuse(Message::Icon::Stop, "投球回数が０なのでもし自責点があると防御率は無限大です。");
    m_thirds = thirds;
    m_step = Step::AwaitingSecondFigure;
    return {std::nullopt, Cue::Function};
}

Outcome Calculator::pressStatistic(Statistic statistic)
{
    if (!takesStatistic(statistic))
        return {};
    if (m_entry.isEmpty())
        return refuse(Message::Icon::Exclamation, "入力画面に数字を入力して下さい。");
    return m_step == Step::Ready ? takeFirstFigure(statistic) : takeSecondFigure();
}

Outcome Calculator::clearEntry()
{
    m_entry.clear();
    return {};
}

Outcome Calculator::clearAll()
{
    *this = Calculator();
    return {};
}

Outcome Calculator::takeFirstFigure(Statistic statistic)
{
    m_statistic = statistic;
    m_firstFigure = takeEntry();
    m_step = statistic == Statistic::EarnedRunAverage ? Step::AwaitingThirds : Step::AwaitingSecondFigure;
    return {std::nullopt, Cue::Function};
}

Outcome Calculator::takeSecondFigure()
{
    const qint32 first = valueOf(m_firstFigure);
    const qint32 second = valueOf(m_entry);
    switch (*m_statistic) {
    case Statistic::BattingAverage:
        // More hits than at-bats: the hits are keyed again.
        if (second > first) {
            m_entry.clear();
            return refuse(Message::Icon::Stop, "打数より安打の数のほうが多いです。");
        }
        if (first == 0 && second == 0) {
            clearAll();
            return refuse(Message::Icon::Stop, "０打数０安打は打率000です。");
        }
        m_result = formatResult(battingAverage(second, first), 3);
        break;
    case Statistic::WinningPercentage:
        // No decisions, no percentage.
        if (first == 0 && second == 0) {
            clearAll();
            return refuse(Message::Icon::Stop, "０勝０敗では勝率を計算できません。");
        }
        m_result = formatResult(winningPercentage(first, second), 3);
        break;
    case Statistic::EarnedRunAverage:
        m_result = formatResult(earnedRunAverage(second, first, *m_thirds), 2);
        break;
    }
    m_secondFigure = takeEntry();
    m_step = Step::Done;
    return {std::nullopt, Cue::Function};
}

QString Calculator::takeEntry()
{
    return std::exchange(m_entry, QString());
}
