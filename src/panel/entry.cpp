// Number entry and clearing: the digit, thirds, C and AC keys.
#include "kavlo.h"

#include "captions.h"
#include "shell/module1.h"
#include "shell/msgbox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

void kavlo::AppendDigit(QChar digit)
{
    previousInput = lblInput->text();
    lblInput->setText(previousInput + digit);
    inputLength = static_cast<qint16>(lblInput->text().size());
    if (inputLength == 6) {
        lblInput->setText(previousInput);
    } else if (nmuSound->isChecked()) {
        Module1::PlayDigitSound();
    }
}

void kavlo::SetThirds(const QString &thirds)
{
    // Zero whole innings with no thirds would divide the runs by zero.
    if (thirds == QLatin1String("0/3") && lblA->text().toInt() == 0) {
        MsgBox(this, QStringLiteral("投球回数が０なのでもし自責点があると防御率は無限大です。"), Critical,
               Caption::MessageTitle);
        return;
    }
    lblB->setText(thirds);
    comJiseki->setText(Caption::EarnedRuns);
    comJiseki->setEnabled(true);
    for (QPushButton *key : cmd)
        key->setEnabled(true);
    EnableThirdsKeys(false);
    if (nmuSound->isChecked())
        Module1::PlayFunctionSound();
}

void kavlo::LockDigitKeys()
{
    for (QPushButton *key : cmd)
        key->setEnabled(false);
}

void kavlo::EnableThirdsKeys(bool enabled)
{
    cmd03->setEnabled(enabled);
    cmd13->setEnabled(enabled);
    cmd23->setEnabled(enabled);
}

void kavlo::ResetEntryVariables()
{
    inputLength = 0;
    previousInput.clear();
}

void kavlo::BackToFirstStep(QPushButton *statistic, const QString &firstCaption)
{
    lblInput->clear();
    lblA->clear();
    Label2->clear();
    statistic->setText(firstCaption);
    for (QPushButton *button : {cmdDaritu, cmdSyoritu, comJiseki})
        button->setEnabled(true);
    ResetEntryVariables();
}

bool kavlo::RefuseEmptyEntry()
{
    if (!lblInput->text().isEmpty())
        return false;
    MsgBox(this, QStringLiteral("入力画面に数字を入力して下さい。"), Exclamation, Caption::MessageTitle);
    return true;
}

void kavlo::cmdCan_Click()
{
    lblInput->clear();
    ResetEntryVariables();
}

void kavlo::cmdAC_Click()
{
    for (QLabel *display : {lblInput, lblA, lblB, lblC, lblD, Label2, Label3, Label4, Label5})
        display->clear();
    cmdSyoritu->setText(Caption::Wins);
    cmdSyoritu->setEnabled(true);
    cmdDaritu->setText(Caption::AtBats);
    cmdDaritu->setEnabled(true);
    comJiseki->setText(Caption::Innings);
    comJiseki->setEnabled(true);
    for (QPushButton *key : cmd)
        key->setEnabled(true);
    EnableThirdsKeys(false);
    ResetEntryVariables();
}
