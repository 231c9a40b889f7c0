#include "cues.h"

#include "cueplayer.h"

#include <QCoreApplication>

namespace Cues {

namespace {

Player replacement;

// Built afresh each time, so the files are found beside the program whatever
// the working directory.
QString path(const QString &fileName)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + fileName;
}

} // namespace

void play(const QString &fileName)
{
    if (replacement)
        replacement(path(fileName));
    else
        CuePlayer::instance().play(path(fileName));
}

void prepare(const QStringList &fileNames)
{
    if (replacement)
        return;
    for (const QString &fileName : fileNames)
        CuePlayer::instance().prepare(path(fileName));
}

void setPlayer(Player player)
{
    replacement = std::move(player);
}

} // namespace Cues
