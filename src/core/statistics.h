// Everything a statistic is, one row each in `statistics`: the captions it
// shows, how it takes its figures, what it refuses and its formula. The
// calculator and the window know no statistic by name; a new statistic is a
// new row here and a key for it in the window's control table.
#pragma once

#include "format.h"

#include <vector>

// What a refusal clears: nothing, the entry (to key the figure again) or the
// whole computation.
enum class Clears { Nothing, Entry, Everything };

struct Refusal {
    bool (*applies)(qint32 first, qint32 second);
    const char *reason;  // the message that says why
    Clears clears;
};

struct Statistic {
    const char *id;                    // binds its key in the control table, and names it in tests
    const char *firstKey, *secondKey;  // the key's caption before and after the first figure is taken
    // The captions beside the first figure, the thirds (none without thirds),
    // the second figure and the result.
    const char *firstFigure, *thirds = nullptr, *secondFigure, *result;
    bool takesThirds = false;  // after the first figure, the thirds of an inning are chosen
    int decimals;
    std::vector<Refusal> thirdsRefusals = {};        // checked with the first figure and the thirds chosen
    std::vector<Refusal> secondFigureRefusals = {};  // checked with the two figures
    // The result before it is rounded, exactly, as a ratio of the figures.
    Quotient (*formula)(qint32 first, qint32 second, int thirds);
};

extern const std::vector<Statistic> statistics;

// The statistic of that id; null for none.
const Statistic *findStatistic(const char *id);
