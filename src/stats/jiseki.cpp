// Earned-run average: whole innings, then the thirds (SetThirds), then the
// earned runs; the button's caption is the step.
#include "panel/kavlo.h"

#include "format.h"
#include "panel/captions.h"
#include "shell/module1.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

void kavlo::comJiseki_Click()
{
    if (RefuseEmptyEntry())
        return;
    if (comJiseki->text() == Caption::Innings) {
        lblA->setText(lblInput->text());
        Label2->setText(QStringLiteral("投球回数"));
        Label3->setText(QStringLiteral("回と"));
        lblInput->clear();
        cmdSyoritu->setEnabled(false);
        cmdDaritu->setEnabled(false);
        comJiseki->setEnabled(false);
        EnableThirdsKeys(true);
        LockDigitKeys();
        ResetEntryVariables();
        if (nmuSound->isChecked())
            Module1::PlayFunctionSound();
    } else if (comJiseki->text() == Caption::EarnedRuns) {
        lblC->setText(lblInput->text());
        Label4->setText(QStringLiteral("自責点"));
        Label5->setText(QStringLiteral("防御率"));
        lblInput->clear();
        comJiseki->setEnabled(false);
        const qint32 innings = lblA->text().toInt();
        const qint32 runs = lblC->text().toInt();
        const qint32 scaled = runs * 9;
        double pitched = innings;
        if (lblB->text() == QLatin1String("1/3"))
            pitched += 1.0 / 3.0;
        else if (lblB->text() == QLatin1String("2/3"))
            pitched += 2.0 / 3.0;
        const float average = static_cast<float>(double(scaled) / pitched);
        lblD->setText(FormatResult(average, 2));
        LockDigitKeys();
        if (nmuSound->isChecked())
            Module1::PlayFunctionSound();
    }
}
