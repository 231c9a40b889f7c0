// The main window: it shows the calculator's state and hands it the user's
// actions. Each action goes the same way: the calculator changes its state,
// the window shows any message it asks for, renders the whole panel from the
// new state, then plays the cue it asks for if Sound is on.
#pragma once

#include "core/calculator.h"
#include "core/history.h"

#include <QMainWindow>

#include <array>

class Clipboard;
class QAction;
class QLabel;
class QPushButton;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The user's actions on the panel, from the keys, the keyboard or the menus.
    void digitPressed(int digit);
    void backspacePressed();  // takes back the entry's last digit
    void thirdsPressed(int thirds);
    void statisticPressed(const Statistic &statistic);
    void enterPressed();  // the statistic key the state offers, if it offers one alone
    void clearEntryPressed();
    void clearAllPressed();
    void exitChosen();
    void helpChosen(const QString &document);
    void versionChosen();
    void historyChosen();
    void copyPressed();   // the result, or the entry when there is none
    void pastePressed();  // a whole number from the clipboard, keyed digit by digit

    // Saves the Sound switch and the window's position, as every ending does.
    void saveSettings();

    const Calculator &calculator() const { return m_calculator; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void createMenus();
    void connectActions();

    void apply(const Outcome &outcome);
    void render();
    void setKeysEnabled(const QList<std::pair<QPushButton *, bool>> &keys);

    void readSettings();

    Calculator m_calculator;
    History m_history;  // every result of this run

    QLabel *m_entryDisplay, *m_firstFigureDisplay, *m_thirdsDisplay, *m_secondFigureDisplay, *m_resultDisplay;
    // The captions beside the figures and the result, which name them.
    QLabel *m_firstFigureCaption, *m_thirdsCaption, *m_secondFigureCaption, *m_resultCaption;
    std::array<QPushButton *, 10> m_digitKeys;
    std::array<QPushButton *, 3> m_thirdsKeys;  // 0/3, 1/3, 2/3
    QList<std::pair<const Statistic *, QPushButton *>> m_statisticKeys;
    QPushButton *m_clearEntryKey, *m_clearAllKey;
    QAction *m_soundAction;
    Clipboard *m_clipboard;
};
