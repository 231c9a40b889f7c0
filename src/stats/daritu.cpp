// Batting average: at-bats, then hits; the button's caption is the step.
#include "panel/kavlo.h"

#include "format.h"
#include "panel/captions.h"
#include "shell/module1.h"
#include "shell/msgbox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

void kavlo::cmdDaritu_Click()
{
    if (RefuseEmptyEntry())
        return;
    if (cmdDaritu->text() == Caption::AtBats) {
        lblA->setText(lblInput->text());
        Label2->setText(QStringLiteral("打数"));
        lblInput->clear();
        cmdDaritu->setText(Caption::Hits);
        cmdSyoritu->setEnabled(false);
        comJiseki->setEnabled(false);
        ResetEntryVariables();
        if (nmuSound->isChecked())
            Module1::PlayFunctionSound();
    } else if (cmdDaritu->text() == Caption::Hits) {
        qint32 hits = lblInput->text().toInt();
        const qint32 atBats = lblA->text().toInt();
        if (hits > atBats) {
            MsgBox(this, QStringLiteral("打数より安打の数のほうが多いです。"), Critical, Caption::MessageTitle);
            lblInput->clear();
            ResetEntryVariables();
        } else if (hits == 0 && atBats == 0) {
            MsgBox(this, QStringLiteral("０打数０安打は打率000です。"), Critical, Caption::MessageTitle);
            BackToFirstStep(cmdDaritu, Caption::AtBats);
        } else {
            lblC->setText(lblInput->text());
            hits = lblC->text().toInt();
            Label4->setText(QStringLiteral("安打"));
            Label5->setText(QStringLiteral("打率"));
            lblInput->clear();
            const float average = static_cast<float>(double(hits) / double(atBats));
            lblD->setText(FormatResult(average, 3));
            if (nmuSound->isChecked())
                Module1::PlayFunctionSound();
            cmdDaritu->setEnabled(false);
            LockDigitKeys();
        }
    }
}
