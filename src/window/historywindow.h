// The history window: every result of this run, oldest first, to look back
// at and copy into a spreadsheet. There is never more than one; it is
// modeless, belongs to no other window, never keeps the program running and
// is made only when it is first opened.
#pragma once

#include <QWidget>

class History;
class QTreeView;

class HistoryWindow : public QWidget
{
    Q_OBJECT

public:
    // Opens the window on history, beside mainWindow when it is created, or
    // brings the open one back to the front.
    static HistoryWindow *open(History *history, const QWidget *mainWindow);
    // Closes and destroys the window if it is open.
    static void closeOpen();
    // The open window, or null.
    static HistoryWindow *instance();

    // Copies the selected rows, or every row when none is selected, as
    // tab-separated lines.
    void copyRows();

signals:
    // Ctrl+Q, which ends the program as the main window's 終了 does.
    void exitChosen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit HistoryWindow(History *history);
    void placeBeside(const QWidget *mainWindow);
    void fitRows();

    History *m_history;
    QTreeView *m_list;
};
