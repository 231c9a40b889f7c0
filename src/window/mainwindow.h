// The main window: it shows the calculator's state and hands it the user's
// actions. Each action goes the same way: the calculator changes its state,
// the window shows any message it asks for, renders the whole panel from the
// new state, then plays the cue it asks for if Sound is on.
#pragma once

#include "core/calculator.h"

#include <QMainWindow>

#include <array>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QPushButton;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    // The user's actions on the panel, from the keys, the keyboard or the menus.
    void digitPressed(int digit);
    void thirdsPressed(int thirds);
    void statisticPressed(Statistic statistic);
    void clearEntryPressed();
    void clearAllPressed();
    void exitChosen();
    void helpChosen(const QString &document);
    void versionChosen();
    void copyPressed();   // the result, or the entry when there is none
    void pastePressed();  // a whole number from the clipboard, keyed digit by digit

    // The controls, by the names that tools outside the program find them by.
    QLabel *lblInput, *lblA, *lblB, *lblC, *lblD;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label9;
    QLabel *Picture1;
    std::array<QPushButton *, 10> digitKeys;  // cmd0 to cmd9
    std::array<QPushButton *, 3> thirdsKeys;  // cmd03, cmd13, cmd23
    QPushButton *cmdCan, *cmdAC, *cmdDaritu, *cmdSyoritu, *comJiseki;
    QAction *nmuExit, *nmuSound, *nmuHtml, *nmuText, *nmuVer;
    QMenu *nmuSys, *nmuHlp;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void connectActions();

    void apply(const Outcome &outcome);
    void render();
    QPushButton *statisticKey(Statistic statistic) const;
    void setKeysEnabled(const QList<std::pair<QPushButton *, bool>> &keys);

    // The keyboard: a typed character, which returns whether it was used up,
    // and a released key.
    bool characterTyped(QChar character);
    void keyReleased(int key);
    bool accessKeyPressed(QObject *watched, QEvent *event);
    bool clipboardKeyPressed(const QKeyEvent &key);
    void createCopyMenus();

    void readSettings();
    void writeSettings();
    void writeSoundSetting();

    // Endings that do not come through the window (endings.cpp).
    void watchEndings();
    void endRequested();

    Calculator m_calculator;
};
