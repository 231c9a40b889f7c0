// Winning percentage: wins, then losses; the button's caption is the step.
#include "panel/kavlo.h"

#include "format.h"
#include "panel/captions.h"
#include "shell/module1.h"
#include "shell/msgbox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

void kavlo::cmdSyoritu_Click()
{
    if (RefuseEmptyEntry())
        return;
    if (cmdSyoritu->text() == Caption::Wins) {
        lblA->setText(lblInput->text());
        Label2->setText(QStringLiteral("勝"));
        lblInput->clear();
        cmdSyoritu->setText(Caption::Losses);
        cmdDaritu->setEnabled(false);
        comJiseki->setEnabled(false);
        ResetEntryVariables();
        if (nmuSound->isChecked())
            Module1::PlayFunctionSound();
    } else if (cmdSyoritu->text() == Caption::Losses) {
        // No decisions, no percentage: refused before anything is written.
        if (lblA->text().toInt() == 0 && lblInput->text().toInt() == 0) {
            MsgBox(this, QStringLiteral("０勝０敗では勝率を計算できません。"), Critical, Caption::MessageTitle);
            BackToFirstStep(cmdSyoritu, Caption::Wins);
            return;
        }
        lblC->setText(lblInput->text());
        Label4->setText(QStringLiteral("敗"));
        Label5->setText(QStringLiteral("勝率"));
        lblInput->clear();
        const qint32 wins = lblA->text().toInt();
        const qint32 losses = lblC->text().toInt();
        const qint32 decisions = losses + wins;
        const float percentage = static_cast<float>(double(wins) / double(decisions));
        lblD->setText(FormatResult(percentage, 3));
        if (nmuSound->isChecked())
            Module1::PlayFunctionSound();
        cmdSyoritu->setEnabled(false);
        LockDigitKeys();
    }
}
