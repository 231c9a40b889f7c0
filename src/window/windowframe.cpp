#include "windowframe.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

namespace WindowFrame {

namespace {

constexpr int EdgeWidth = 6;  // pixels along a resizable window's edges that resize it

class TitleBar : public QWidget
{
public:
    explicit TitleBar(QWidget *window) : QWidget(window), m_window(window), m_title(new QLabel(this))
    {
        auto *icon = new QLabel(this);
        const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
        icon->setPixmap(window->windowIcon().pixmap(iconSize));
        QFont bold = m_title->font();
        bold.setBold(true);
        m_title->setFont(bold);
        m_title->setText(window->windowTitle());
        auto *layout = new QHBoxLayout(this);
        layout->setContentsMargins(6, 2, 2, 2);
        layout->addWidget(icon);
        layout->addWidget(m_title, 1);
        if (window->windowFlags() & Qt::WindowMinimizeButtonHint)
            layout->addWidget(button(QStyle::SP_TitleBarMinButton, "最小化", &QWidget::showMinimized));
        layout->addWidget(button(QStyle::SP_TitleBarCloseButton, "閉じる", &QWidget::close));
        setFixedHeight(sizeHint().height());
        window->installEventFilter(this);
        if (!fixedSize())
            window->setAttribute(Qt::WA_Hover);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_window->windowHandle()->startSystemMove();
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(rect().bottomLeft(), rect().bottomRight());
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window)
            return false;
        switch (event->type()) {
        case QEvent::Resize:
            setGeometry(0, 0, m_window->width(), height());
            raise();
            break;
        case QEvent::WindowTitleChange:
            m_title->setText(m_window->windowTitle());
            break;
        case QEvent::WindowStateChange:
            // Qt answers a maximised or full-screen state at the window's own
            // size, and for a maximised window the protocol takes that as an
            // error that ends the program. Hidden, the window leaves the
            // compositor no surface to judge; shown again, it is a new
            // window in the normal state.
            if (fixedSize() && m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
                m_window->hide();
                m_window->setWindowState(Qt::WindowNoState);
                m_window->show();
            }
            break;
        case QEvent::HoverMove:
            m_window->setCursor(edgeCursor(edgesAt(static_cast<QHoverEvent *>(event)->position().toPoint())));
            break;
        case QEvent::MouseButtonPress:
            if (const Qt::Edges edges = edgesAt(static_cast<QMouseEvent *>(event)->position().toPoint())) {
                m_window->windowHandle()->startSystemResize(edges);
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    template <typename Slot> QToolButton *button(QStyle::StandardPixmap icon, const char *name, Slot slot)
    {
        auto *b = new QToolButton(this);
        b->setIcon(style()->standardIcon(icon, nullptr, this));
        b->setAccessibleName(QString::fromUtf8(name));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);  // the windows' order of Tab stays their own
        connect(b, &QToolButton::clicked, m_window, slot);
        return b;
    }

    bool fixedSize() const
    {
        const QLayout *layout = m_window->layout();
        return m_window->minimumSize() == m_window->maximumSize()
            || (layout && layout->sizeConstraint() == QLayout::SetFixedSize);
    }

    // The edges a point of the window lies on: the sides and the bottom, below
    // the bar, of a window that can be resized.
    Qt::Edges edgesAt(QPoint at) const
    {
        Qt::Edges edges;
        if (fixedSize() || at.y() < height())
            return edges;
        if (at.x() < EdgeWidth)
            edges |= Qt::LeftEdge;
        if (at.x() >= m_window->width() - EdgeWidth)
            edges |= Qt::RightEdge;
        if (at.y() >= m_window->height() - EdgeWidth)
            edges |= Qt::BottomEdge;
        return edges;
    }

    static QCursor edgeCursor(Qt::Edges edges)
    {
        if (edges == Qt::BottomEdge)
            return Qt::SizeVerCursor;
        if (edges == (Qt::BottomEdge | Qt::LeftEdge))
            return Qt::SizeBDiagCursor;
        if (edges == (Qt::BottomEdge | Qt::RightEdge))
            return Qt::SizeFDiagCursor;
        return edges ? Qt::SizeHorCursor : Qt::ArrowCursor;
    }

    QWidget *m_window;
    QLabel *m_title;
};

}  // namespace

void frame(QWidget *window)
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    // Without the customise hint: with it Qt drops the frameless hint of a
    // window that offers minimise, and draws its own title bar too.
    window->setWindowFlags((window->windowFlags() & ~Qt::CustomizeWindowHint) | Qt::FramelessWindowHint);
    auto *bar = new TitleBar(window);
    const int height = bar->height();
    if (window->layout()) {
        QMargins margins = window->contentsMargins();
        margins.setTop(margins.top() + height);
        window->setContentsMargins(margins);
        window->resize(window->width(), window->height() + height);
        return;
    }
    for (QWidget *child : window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child != bar)
            child->move(child->x(), child->y() + height);
    }
    window->setFixedSize(window->width(), window->height() + height);
}

void bringToFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace WindowFrame
