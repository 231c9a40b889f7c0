// The computation behind the panel, with no widgets: which statistic is being
// worked, the step it has reached and the figures as keyed. There is one
// operation per user action; each changes the state and returns what the
// window must do besides showing it: a message, a cue, or nothing.
#pragma once

#include "cue.h"
#include "history.h"
#include "statistics.h"

#include <QString>

#include <optional>

enum class Step {
    Ready,                 // no statistic begun
    AwaitingThirds,        // earned-run average: whole innings taken, thirds next
    AwaitingSecondFigure,  // hits, losses or earned runs next
    Done,                  // the result is shown; only clearing is left
};

// Why the calculator did not do what was asked; the window decides how the
// message looks.
struct Message {
    enum class Kind { NoEntry, Refused };  // nothing keyed; a figure it cannot take
    Kind kind;
    QString text;
    bool operator==(const Message &other) const { return kind == other.kind && text == other.text; }
};

// What an operation asks of the window once the state has changed.
struct Outcome {
    std::optional<Message> message;                     // shown before the new state
    Cue cue = Cue::None;                                // played after it, if Sound is on
    std::optional<HistoryEntry> result = std::nullopt;  // a result worked out, for the history
};

class Calculator
{
public:
    static constexpr int MaxDigits = 5;

    // The user's actions. A key that the state does not offer does nothing.
    Outcome enterDigit(int digit);  // 0 to 9, from a key or typed
    Outcome removeLastDigit();
    Outcome chooseThirds(int thirds);  // 0, 1 or 2 thirds of an inning
    Outcome pressStatistic(const Statistic &statistic);
    Outcome clearEntry();
    Outcome clearAll();

    // Which keys the state offers.
    bool takesDigitKeys() const { return m_step == Step::Ready || m_step == Step::AwaitingSecondFigure; }
    bool takesThirds() const { return m_step == Step::AwaitingThirds; }
    bool takesStatistic(const Statistic &statistic) const;
    // The statistic key to press when the state offers exactly one: the second
    // step of the statistic being worked. Null otherwise.
    const Statistic *offeredStatistic() const;

    const Statistic *statistic() const { return m_statistic; }  // null when Ready
    Step step() const { return m_step; }
    // The figures exactly as keyed, leading zeros kept; empty when not taken.
    const QString &entry() const { return m_entry; }
    const QString &firstFigure() const { return m_firstFigure; }
    QString thirds() const;  // "0/3", "1/3", "2/3" or empty
    const QString &secondFigure() const { return m_secondFigure; }
    const QString &result() const { return m_result; }

private:
    Outcome takeFirstFigure(const Statistic &statistic);
    Outcome takeSecondFigure();
    QString takeEntry();
    HistoryEntry historyEntry() const;
    std::optional<Outcome> refusal(const std::vector<Refusal> &refusals, qint32 first, qint32 second);

    const Statistic *m_statistic = nullptr;  // set exactly when the step is not Ready
    Step m_step = Step::Ready;
    QString m_entry;
    QString m_firstFigure;
    std::optional<int> m_thirds;
    QString m_secondFigure;
    QString m_result;
};
