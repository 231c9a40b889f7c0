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
        CuePlayer::play(path(cue));
}

void prepare()
{
    if (!replacement)
        CuePlayer::prepare({path(Cue::Digit), path(Cue::Function)});
}

void setPlayer(Player player)
{
    replacement = std::move(player);
}

}  // namespace Cues
