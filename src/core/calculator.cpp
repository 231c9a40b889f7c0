#include "calculator.h"

#include "format.h"

#include <utility>

namespace {

Outcome refuse(Message::Kind kind, const char *text)
{
    return {Message{kind, QString::fromUtf8(text)}, Cue::None};
}

// A figure is at most five digits, so it always fits.
qint32 valueOf(const QString &figure)
{
    return figure.toInt();
}

}  // namespace

bool Calculator::takesStatistic(const Statistic &statistic) const
{
    return m_step == Step::Ready || (m_statistic == &statistic && m_step == Step::AwaitingSecondFigure);
}

const Statistic *Calculator::offeredStatistic() const
{
    return m_step == Step::AwaitingSecondFigure ? m_statistic : nullptr;
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

// Takes back a digit wherever one would be taken, without a sound.
Outcome Calculator::removeLastDigit()
{
    if (m_step != Step::AwaitingThirds)
        m_entry.chop(1);
    return {};
}

Outcome Calculator::chooseThirds(int thirds)
{
    if (!takesThirds())
        return {};
    if (std::optional<Outcome> refused = refusal(m_statistic->thirdsRefusals, valueOf(m_firstFigure), thirds))
        return *refused;
    m_thirds = thirds;
    m_step = Step::AwaitingSecondFigure;
    return {std::nullopt, Cue::Function};
}

Outcome Calculator::pressStatistic(const Statistic &statistic)
{
    if (!takesStatistic(statistic))
        return {};
    if (m_entry.isEmpty())
        return refuse(Message::Kind::NoEntry, "入力画面に数字を入力して下さい。");
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

Outcome Calculator::takeFirstFigure(const Statistic &statistic)
{
    m_statistic = &statistic;
    m_firstFigure = takeEntry();
    m_step = statistic.takesThirds ? Step::AwaitingThirds : Step::AwaitingSecondFigure;
    return {std::nullopt, Cue::Function};
}

Outcome Calculator::takeSecondFigure()
{
    const qint32 first = valueOf(m_firstFigure);
    const qint32 second = valueOf(m_entry);
    if (std::optional<Outcome> refused = refusal(m_statistic->secondFigureRefusals, first, second))
        return *refused;
    m_result = formatResult(m_statistic->formula(first, second, m_thirds.value_or(0)), m_statistic->decimals);
    m_secondFigure = takeEntry();
    m_step = Step::Done;
    return {std::nullopt, Cue::Function, historyEntry()};
}

// The first refusal that applies, having cleared what it clears.
std::optional<Outcome> Calculator::refusal(const std::vector<Refusal> &refusals, qint32 first, qint32 second)
{
    for (const Refusal &r : refusals) {
        if (!r.applies(first, second))
            continue;
        if (r.clears == Clears::Entry)
            m_entry.clear();
        else if (r.clears == Clears::Everything)
            clearAll();
        return refuse(Message::Kind::Refused, r.reason);
    }
    return std::nullopt;
}

HistoryEntry Calculator::historyEntry() const
{
    auto text = [](const char *caption) { return caption ? QString::fromUtf8(caption) : QString(); };
    HistoryEntry entry;
    entry.statistic = text(m_statistic->result);
    entry.firstCaption = text(m_statistic->firstFigure);
    entry.firstFigure = m_firstFigure;
    if (m_thirds) {
        entry.thirdsCaption = text(m_statistic->thirds);
        entry.thirds = thirds();
    }
    entry.secondCaption = text(m_statistic->secondFigure);
    entry.secondFigure = m_secondFigure;
    entry.result = m_result;
    return entry;
}

QString Calculator::takeEntry()
{
    return std::exchange(m_entry, QString());
}
