#include "historywindow.h"

#include "accessibility.h"
#include "controltable.h"
#include "windowframe.h"
#include "core/history.h"
#include "desktop/placement.h"

#include <QAction>
#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace {

QPointer<HistoryWindow> theWindow;

// Cells set a little apart, so that no name runs into the figure before it.
class SpacedCells : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (!index.data().toString().isEmpty())
            size.rwidth() += option.fontMetrics.averageCharWidth() * 2;
        return size;
    }
};

}  // namespace

HistoryWindow::HistoryWindow(History *history)
    : QWidget(nullptr, Qt::Window), m_history(history), m_list(new QTreeView(this))
{
    setObjectName(QStringLiteral("History"));
    Accessibility::describeWindow(this);
    setWindowTitle(QStringLiteral("計算履歴"));
    setWindowIcon(ControlTable::applicationIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);

    // Each row names what its figures are, so the columns need no header.
    m_list->setObjectName(QStringLiteral("lstHistory"));
    m_list->setAccessibleName(QStringLiteral("計算履歴"));
    m_list->setModel(history);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    m_list->setItemDelegate(new SpacedCells(m_list));
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(false);
    connect(history, &QAbstractItemModel::rowsInserted, m_list, &QTreeView::scrollToBottom);
    // Queued: the view lays the new row out first.
    connect(history, &QAbstractItemModel::rowsInserted, this, &HistoryWindow::fitRows, Qt::QueuedConnection);
    // The view's own Ctrl+C would copy one cell.
    m_list->installEventFilter(this);

    auto *copy = new QAction(QStringLiteral("コピー(&C)"), this);
    copy->setObjectName(QStringLiteral("nmuCopy"));
    connect(copy, &QAction::triggered, this, &HistoryWindow::copyRows);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this, copy](const QPoint &at) {
        auto *menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(copy);
        menu->popup(m_list->viewport()->mapToGlobal(at));
    });

    auto *clear = new QPushButton(QStringLiteral("クリア"), this);
    clear->setObjectName(QStringLiteral("cmdClear"));
    connect(clear, &QPushButton::clicked, history, &History::clear);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(clear);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    // About as wide as a row of five-digit figures; fitRows widens it where a row needs more.
    const QFontMetrics metrics = fontMetrics();
    const QString longest = QStringLiteral("防御率投球回数99999回と2/3自責点9999999999.00");
    resize(metrics.horizontalAdvance(longest) + 16 * metrics.averageCharWidth()
               + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4 * layout->contentsMargins().left(),
           14 * metrics.height());
    fitRows();

    // The program's keys that belong here too: Ctrl+H closes the window it opened.
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::ControlModifier | Qt::Key_H)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Q), this), &QShortcut::activated, this,
            &HistoryWindow::exitChosen);
    WindowFrame::frame(this);
}

HistoryWindow *HistoryWindow::open(History *history, const QWidget *mainWindow)
{
    if (!theWindow) {
        theWindow = new HistoryWindow(history);
        if (canPlaceWindows())
            theWindow->placeBeside(mainWindow);
    }
    WindowFrame::bringToFront(theWindow);
    return theWindow;
}

void HistoryWindow::closeOpen()
{
    delete theWindow;
}

HistoryWindow *HistoryWindow::instance()
{
    return theWindow;
}

void HistoryWindow::copyRows()
{
    QList<int> rows;
    for (const QModelIndex &index : m_list->selectionModel()->selectedRows())
        rows.append(index.row());
    const QString text = m_history->tabSeparated(rows);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

bool HistoryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copyRows();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Wide enough for every row whole, each column as wide as its contents.
void HistoryWindow::fitRows()
{
    m_list->header()->resizeSections(QHeaderView::ResizeToContents);
    const QMargins outside = contentsMargins() + layout()->contentsMargins();
    const int wide = m_list->header()->length() + 2 * m_list->frameWidth()
        + m_list->verticalScrollBar()->sizeHint().width() + outside.left() + outside.right();
    if (width() < wide)
        resize(wide, height());
}

// To the right of the main window, or to its left where the screen ends,
// level with its top; where neither side has room the desktop decides.
void HistoryWindow::placeBeside(const QWidget *mainWindow)
{
    const QRect main = mainWindow->frameGeometry();
    const QRect screen = mainWindow->screen()->availableGeometry();
    // Framed as the main window is.
    const QSize frame = main.size() - mainWindow->size() + size();
    QRect r(QPoint(main.right() + 1, main.top()), frame);
    if (r.right() > screen.right())
        r.moveRight(main.left() - 1);
    if (r.left() < screen.left())
        return;
    r.moveTop(qBound(screen.top(), r.top(), qMax(screen.top(), screen.bottom() - r.height() + 1)));
    move(r.topLeft());
}
