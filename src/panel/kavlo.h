// The main window. Its controls hold the whole state of a computation: the
// figures and results are the displays' captions, the step each statistic has
// reached is its button's caption, and the usable keys are the enabled ones.
#pragma once

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

class kavlo : public QMainWindow
{
    Q_OBJECT

public:
    explicit kavlo(QWidget *parent = nullptr);

    // Number entry and clearing.
    void AppendDigit(QChar digit);
    void SetThirds(const QString &thirds);
    void LockDigitKeys();
    void EnableThirdsKeys(bool enabled);
    void ResetEntryVariables();
    void cmdCan_Click();
    void cmdAC_Click();

    // The statistics. A refused figure that ends the computation returns the
    // statistic to its first step with BackToFirstStep.
    void cmdDaritu_Click();
    void cmdSyoritu_Click();
    void comJiseki_Click();
    void BackToFirstStep(QPushButton *statistic, const QString &firstCaption);
    // Every statistic step first refuses an empty entry, with a message.
    bool RefuseEmptyEntry();

    // The shell: settings, help and the version dialog.
    void Form_Load();
    void SaveSettings();
    void nmuExit_Click();
    void nmuHtml_Click();
    void nmuText_Click();
    void nmuVer_Click();

    // Keyboard: typed characters and released keys, seen before the focused control.
    void Form_KeyPress(qint16 &KeyAscii);
    void Form_KeyUp(qint16 KeyCode, Qt::KeyboardModifiers Shift);

    QLabel *lblInput, *lblA, *lblB, *lblC, *lblD;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label9;
    QLabel *Picture1;
    std::array<QPushButton *, 10> cmd;  // cmd[0] is the key "0", objectName "cmd0"
    QPushButton *cmd03, *cmd13, *cmd23;
    QPushButton *cmdCan, *cmdAC, *cmdDaritu, *cmdSyoritu, *comJiseki;

    QAction *nmuExit, *nmuSound, *nmuHtml, *nmuText, *nmuVer;
    QMenu *nmuSys, *nmuHlp;

    // The entry as it stood before the last digit keystroke, and the length
    // that keystroke made; together they undo a sixth character.
    qint16 inputLength = 0;
    QString previousInput;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void connectHandlers();
};
