#include "cues.h"

#include "cueplayer.h"

#include <QCoreApplication>

namespace Cues {

namespace {

Player replacement;

}  // namespace

QString path(Cue cue)
{
    return QCoreApplication::applicationDirPath()
        + (cue == Cue::Digit ? QStringLiteral("/kavlo1.wav") : QStringLiteral("/kavlo2.wav"));
}

void play(Cue cue)
{
    if (cue == Cue::None)
        return;
    if (replacement)
        replacement(cue, path(cue));
    else
        CuePlayer::instance().play(path(cue));
}

void prepare()
{
    if (replacement)
        return;
    for (Cue cue : {Cue::Digit, Cue::Function})
        CuePlayer::instance().prepare(path(cue));
}

void setPlayer(Player player)
{
    replacement = std::move(player);
}

}  // namespace Cues
