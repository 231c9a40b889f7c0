#include "accessibility.h"

#include "figuredisplay.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <utility>

namespace {

// A display: its accessible name says what it is, and its text, the figure it
// shows, is its value. Qt's interface for labels offers no text to the
// desktop's accessibility bus, so a reader would hear only the name.
class DisplayInterface : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit DisplayInterface(FigureDisplay *display) : QAccessibleWidget(display, QAccessible::StaticText) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? shown() : QAccessibleWidget::text(t);
    }

    QString text(int startOffset, int endOffset) const override
    {
        const QString s = shown();
        const int start = qBound(0, startOffset, int(s.size()));
        const int end = endOffset < 0 ? int(s.size()) : qBound(start, endOffset, int(s.size()));
        return s.mid(start, end - start);
    }
    int characterCount() const override { return int(shown().size()); }

    QRect characterRect(int offset) const override
    {
        const QString s = shown();
        if (offset < 0 || offset >= s.size())
            return QRect();
        const QFontMetrics metrics(display()->shownFont(), display());
        const QRect line = display()->textRect();
        const QRect r(line.left() + metrics.horizontalAdvance(s.left(offset)), line.top(),
                      metrics.horizontalAdvance(s.at(offset)), line.height());
        return QRect(display()->mapToGlobal(r.topLeft()), r.size());
    }

    int offsetAtPoint(const QPoint &point) const override
    {
        for (int i = 0; i < characterCount(); ++i) {
            if (characterRect(i).contains(point))
                return i;
        }
        return -1;
    }

    // Nothing on a display can be selected, and it has no caret.
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return QString();
    }

private:
    FigureDisplay *display() const { return static_cast<FigureDisplay *>(widget()); }
    QString shown() const { return display()->text(); }
};

// A key that a function key works as well, which Qt's interface for push
// buttons cannot name: it reports the button's own access key only. Otherwise
// it tells what Qt's does.
class FunctionKeyButton : public QAccessibleWidget
{
public:
    FunctionKeyButton(QPushButton *button, const QKeySequence &key)
        : QAccessibleWidget(button, QAccessible::Button), m_key(key.toString(QKeySequence::NativeText))
    {
        addControllingSignal(QStringLiteral("clicked(bool)"));
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Accelerator)
            return m_key;
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? button()->text() : text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        return s;
    }

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    void doAction(const QString &action) override
    {
        if (action != pressAction())
            QAccessibleWidget::doAction(action);
        else
            button()->click();  // at once, as the window takes every key
    }

    QStringList keyBindingsForAction(const QString &action) const override
    {
        return action == pressAction() ? QStringList(m_key) : QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    QPushButton *button() const { return static_cast<QPushButton *>(widget()); }

    const QString m_key;
};

// Qt makes a widget's interface the first time anything asks for it, often
// while the widget is still being built, and keeps it for the widget's life;
// iface takes the place of that one.
void replaceInterface(QAccessibleInterface *iface)
{
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(iface->object()))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    QAccessible::registerAccessibleInterface(iface);
}

}  // namespace

namespace Accessibility {

void describeDisplay(QLabel *caption, QLabel *display)
{
    caption->setBuddy(display);
    if (auto *figures = qobject_cast<FigureDisplay *>(display))
        replaceInterface(new DisplayInterface(figures));
}

void describeFunctionKey(QPushButton *key, const QKeySequence &functionKey)
{
    replaceInterface(new FunctionKeyButton(key, functionKey));
}

void describeDialog(QWidget *window)
{
    replaceInterface(new QAccessibleWidget(window, QAccessible::Dialog));
}

void describeWindow(QWidget *window)
{
    replaceInterface(new QAccessibleWidget(window, QAccessible::Window));
}

void showOnDisplay(QLabel *display, const QString &text)
{
    const QString before = display->text();
    if (text == before)
        return;
    display->setText(text);
    QAccessibleTextUpdateEvent event(display, 0, before, text);
    QAccessible::updateAccessibility(&event);
}

}  // namespace Accessibility
