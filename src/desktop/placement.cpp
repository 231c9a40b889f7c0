#include "placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

bool fits(qint64 value)
{
    return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
}

bool touchesAScreen(const QRect &rect)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&rect](const QScreen *s) { return s->availableGeometry().intersects(rect); });
}

// Asks for the frame's corner as the window opens, and follows it afterwards.
//
// A window manager puts a frame around the window, and the corner a program
// asks for is the inner window's unless it says otherwise; and Qt learns the
// frame's size only after the window manager has framed the window. So the
// corner is asked for as the frame's (the window's gravity on X), and read
// only from a window that the window system has shown.
class Follower : public QObject
{
    Q_OBJECT

public:
    Follower(QWidget *window, std::optional<QPoint> requested)
        : QObject(window), m_window(window), m_requested(requested), m_asked(requested), m_corner(requested)
    {
        window->installEventFilter(this);
    }

    std::optional<QPoint> corner()
    {
        follow();
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
                if (m_requested) {
                    // The native window may still have the size it was made
                    // with; mapping it, Qt would set its whole geometry again,
                    // and with it the inner corner.
                    handle->setGeometry(m_window->geometry());
                    handle->setFramePosition(*std::exchange(m_requested, std::nullopt));
                }
            }
            break;
        case QEvent::Expose:
        case QEvent::Move:
        case QEvent::WindowStateChange:
            follow();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void follow()
    {
        const QWindow *window = m_window->windowHandle();
        if (!window || !window->isExposed() || window->windowStates() != Qt::WindowNoState)
            return;
        m_corner = window->framePosition();
        // At a scale factor Qt rounds the window's corner and the frame's size
        // each on its own, so the frame's corner may come out a pixel off.
        if (m_asked && window->devicePixelRatio() != 1) {
            const QPoint off = *m_corner - *m_asked;
            if (qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1)
                m_corner = m_asked;
        }
    }

    QWidget *m_window;
    std::optional<QPoint> m_requested;  // until the window is shown
    std::optional<QPoint> m_asked;
    std::optional<QPoint> m_corner;
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
    if (frameTopLeft) {
        const QPoint corner = *frameTopLeft;
        // Before the window is first shown, its layout has not given it its size yet.
        const QSize size = window->sizeHint().isValid() ? window->sizeHint() : window->size();
        if (!fits(qint64(corner.x()) + size.width()) || !fits(qint64(corner.y()) + size.height())
            || !touchesAScreen(QRect(corner, size)))
            frameTopLeft.reset();
    }
    // The corner the window is moved to here stands until the window is shown.
    if (frameTopLeft)
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
