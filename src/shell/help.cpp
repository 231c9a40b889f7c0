// The two help documents, opened from the program's own directory.
#include "panel/kavlo.h"

#include "opener.h"
#include "msgbox.h"

#include <QCoreApplication>

namespace {

void OpenHelp(QWidget *owner, const QString &document)
{
    const qint32 r = OpenDocument(QCoreApplication::applicationDirPath(), document);
    if (r >= 0 && r <= 32)
        MsgBox(owner, document + QStringLiteral(" を開くことができませんでした。 (") + QString::number(r) + QLatin1Char(')'), Plain);
}

} // namespace

void kavlo::nmuHtml_Click()
{
    OpenHelp(this, QStringLiteral("KAVLO.HTML"));
}

void kavlo::nmuText_Click()
{
    OpenHelp(this, QStringLiteral("KAVLO.TXT"));
}
