#include "module1.h"

#include "cuesounds.h"

#include <QCoreApplication>

namespace Module1 {

namespace {

CuePlayer replacement;

// Built afresh each time, so the files are found beside the program whatever
// the working directory.
QString path(Cue cue)
{
    return QCoreApplication::applicationDirPath()
           + (cue == Cue::Digit ? QStringLiteral("/kavlo1.wav") : QStringLiteral("/kavlo2.wav"));
}

void play(Cue cue)
{
    if (replacement)
        replacement(cue, path(cue));
    else
        CueSounds::instance().play(cue, path(cue));
}

} // namespace

void PlayDigitSound()
{
    play(Cue::Digit);
}

void PlayFunctionSound()
{
    play(Cue::Function);
}

void PrepareSounds()
{
    if (!replacement) {
        for (Cue cue : {Cue::Digit, Cue::Function})
            CueSounds::instance().prepare(cue, path(cue));
    }
}

void setCuePlayer(CuePlayer player)
{
    replacement = std::move(player);
}

} // namespace Module1
