#include "placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Whether a frame of that size with its corner there would stand whole within
// 32-bit coordinates and touch a screen. Worked in 64 bits: QRect's own
// arithmetic overflows at the edges of the 32-bit range.
bool fitsOnAScreen(QPoint corner, QSize size)
{
    const qint64 left = corner.x(), top = corner.y();
    const qint64 right = left + size.width(), bottom = top + size.height();  // just past the window
    if (right > std::numeric_limits<qint32>::max() || bottom > std::numeric_limits<qint32>::max())
        return false;
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&](const QScreen *s) {
        const QRect a = s->availableGeometry();
        return left < qint64(a.x()) + a.width() && a.x() < right && top < qint64(a.y()) + a.height() && a.y() < bottom;
    });
}

// How long a corner must stand in the normal state before it counts as the
// window's own, in milliseconds. A window manager moves a window it makes full
// screen or maximises before it says so, and Qt learns the state a few
// milliseconds after the move.
constexpr int SettleTime = 500;

// Asks for the frame's corner as the window opens, and follows it afterwards.
//
// A window manager puts a frame around the window, and the corner a program
// asks for is the inner window's unless it says otherwise. Where Qt knows the
// frame before the window shows (Windows), the inner window is placed within
// it: Qt's own sum for a frame's corner leaves out Windows 10's invisible side
// borders only for a corner on a monitor, and one off every monitor, as partly
// above the screen, came back by their width to the right (4 pixels under
// Wine) on every run. On X the window manager frames the window only as it
// maps it: there the corner is asked for as the frame's (the window's
// gravity). Either way the corner is read only from a window that the window
// system has shown. A corner seen as the window moves is held until it has
// settled in the normal state: the move that comes with full screen or
// maximised is dropped when that state is reported, and minimising keeps the
// corner held.
class Follower : public QObject
{
    Q_OBJECT

public:
    Follower(QWidget *window, std::optional<QPoint> requested)
        : QObject(window), m_window(window), m_requested(requested), m_asked(requested), m_corner(requested)
    {
        window->installEventFilter(this);
        m_settling.setSingleShot(true);
        m_settling.setInterval(SettleTime);
        connect(&m_settling, &QTimer::timeout, this, &Follower::settle);
    }

    // Asked as the program ends: a window in its normal state stands where it is.
    std::optional<QPoint> corner()
    {
        if (const std::optional<QPoint> now = normalCorner())
            m_corner = now;
        return m_corner;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            // Sent once the native window exists, before it is mapped.
            if (QWindow *handle = m_window->windowHandle(); watched == m_window && handle) {
                handle->removeEventFilter(this);
                handle->installEventFilter(this);
                if (m_requested)
                    place(handle, *std::exchange(m_requested, std::nullopt));
            }
            break;
        case QEvent::Expose:
        case QEvent::Move:
            if ((m_held = normalCorner()))
                m_settling.start();
            break;
        case QEvent::WindowStateChange:
            stateChanged();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Puts the frame's corner there, unless the frame would touch no screen.
    // Before X maps the window its frame is not known: the inner window stands
    // for it.
    void place(QWindow *handle, QPoint corner)
    {
        const QMargins frame = handle->frameMargins();
        if (!fitsOnAScreen(corner, m_window->size().grownBy(frame))) {
            m_asked.reset();
            m_corner.reset();
            return;
        }
        m_window->move(corner);
        // The native window may still have the size it was made with; mapping
        // it, Qt would set its whole geometry again, and with it the inner corner.
        handle->setGeometry(m_window->geometry());
        if (frame.isNull())
            handle->setFramePosition(corner);
        else
            handle->setPosition(corner + QPoint(frame.left(), frame.top()));
    }

    // The frame's corner, while the window is shown in its normal state.
    std::optional<QPoint> normalCorner() const
    {
        const QWindow *window = m_window->windowHandle();
        if (!window || !window->isExposed() || window->windowStates() != Qt::WindowNoState)
            return std::nullopt;
        const QPoint corner = window->framePosition();
        // At a scale factor Qt rounds the window's corner and the frame's size
        // each on its own, so the frame's corner may come out a pixel off.
        if (m_asked && window->devicePixelRatio() != 1) {
            const QPoint off = corner - *m_asked;
            if (qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1)
                return m_asked;
        }
        return corner;
    }

    void settle()
    {
        if (m_held)
            m_corner = std::exchange(m_held, std::nullopt);
    }

    void stateChanged()
    {
        const Qt::WindowStates states
            = m_window->windowHandle() ? m_window->windowHandle()->windowStates() : m_window->windowState();
        if (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            m_held.reset();
            m_settling.stop();
        } else if (states & Qt::WindowMinimized) {
            settle();
        } else if ((m_held = normalCorner())) {
            m_settling.start();
        }
    }

    QWidget *m_window;
    std::optional<QPoint> m_requested;  // until the window is shown
    std::optional<QPoint> m_asked;
    std::optional<QPoint> m_corner;  // settled
    std::optional<QPoint> m_held;    // seen, and settling
    QTimer m_settling;
};

}  // namespace

bool canPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void preferPlaceableWindowSystem()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void restorePosition(QWidget *window, std::optional<QPoint> frameTopLeft)
{
    if (!canPlaceWindows())
        return;
    // Before the window is first shown, its layout has not given it its size
    // yet, and the window system has not made its frame. A corner from which
    // the inner window reaches a screen stands from here on; one from which
    // only the frame may is judged as the window is shown.
    const QSize size = window->sizeHint().isValid() ? window->sizeHint() : window->size();
    if (frameTopLeft && fitsOnAScreen(*frameTopLeft, size))
        window->move(*frameTopLeft);
    new Follower(window, frameTopLeft);
}

std::optional<QPoint> savedPosition(const QWidget *window)
{
    if (!canPlaceWindows())
        return std::nullopt;
    auto *follower = window->findChild<Follower *>(QString(), Qt::FindDirectChildrenOnly);
    return follower ? follower->corner() : std::nullopt;
}

#include "placement.moc"
