#include "module1.h"

#include "cuesounds.h"

#include <QCoreApplication>

namespace Module1 {

namespace {

CuePlayer replacement;

void play(Cue cue, const QString &fileName)
{
    // Built afresh each time, so the files are found beside the program
    // whatever the working directory.
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + fileName;
    if (replacement)
        replacement(cue, path);
    else
        CueSounds::instance().play(cue, path);
}

} // namespace

void PlayDigitSound()
{
    play(Cue::Digit, QStringLiteral("kavlo1.wav"));
}

void PlayFunctionSound()
{
    play(Cue::Function, QStringLiteral("kavlo2.wav"));
}

void setCuePlayer(CuePlayer player)
{
    replacement = std::move(player);
}

} // namespace Module1
