#include "controltable.h"

#include "figuredisplay.h"

#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QStringList>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QtMath>

namespace ControlTable {

namespace {

// The icon in the picture boxes: the 16-colour 32-pixel image, or where the
// screen has more pixels to the point, the theme's drawing of the same ball
// that has enough of them. Only that one file is read: Qt decodes every file
// given to an icon at once, and the large drawings would slow the start.
constexpr int IconSize = 32;

QPixmap pictureIcon(qreal devicePixelRatio)
{
    const int pixels = qCeil(IconSize * devicePixelRatio);
    if (pixels <= IconSize)
        return QPixmap(QStringLiteral(":/kavlo.png"));
    int size = 256;
    for (int drawn : {48, 64, 128}) {
        if (drawn >= pixels) {
            size = drawn;
            break;
        }
    }
    QPixmap icon = QPixmap(QStringLiteral(":/icons/%1.png").arg(size))
                       .scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    icon.setDevicePixelRatio(devicePixelRatio);
    return icon;
}

// The icon box takes the focus in its turn, and shows it with the style's
// focus frame over the whole box: the icon fills all within its border.
class PictureBox : public QLabel
{
public:
    using QLabel::QLabel;

    void drawIcon()
    {
        m_ratio = devicePixelRatioF();
        setPixmap(pictureIcon(m_ratio));
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        // Moved to a screen of another scale, the icon is drawn afresh for it
        // rather than scaled. Checked as the box paints: Qt versions tell a
        // widget of the change by different events, and each paints it again.
        if (devicePixelRatioF() != m_ratio)
            drawIcon();
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        option.backgroundColor = palette().color(backgroundRole());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }

private:
    qreal m_ratio = 0;  // that the icon was drawn at
};

constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignTop;
constexpr Qt::Alignment Centre = Qt::AlignHCenter | Qt::AlignTop;
using K = Kind;
using F = FontStyle;
using B = Face;
}  // namespace

// The statistic keys' captions follow the calculator's state: MainWindow::render
// writes them. The numbers after the role give the order that Tab walks the
// keys in, then the statistic that a key works.
// clang-format off
const std::vector<Control> controls = {
    {.name = "lblInput", .kind = K::Label, .rect = {840, 240, 972, 372}, .font = F::Display, .face = B::Orange, .align = Right, .role = "入力画面"},
    {.name = "Label1", .kind = K::Label, .rect = {0, 360, 852, 252}, .caption = "入力画面", .font = F::Caption, .align = Right},
    {.name = "cmdCan", .kind = K::Button, .rect = {1920, 240, 732, 372}, .caption = "C (&C)", .font = F::Key, .focus = 11},
    {.name = "Picture1", .kind = K::Picture, .rect = {3000, 120, 432, 432}, .role = "Kavlo", .focus = 19},
    {.name = "lblA", .kind = K::Label, .rect = {840, 720, 972, 372}, .font = F::Display, .face = B::White, .align = Right, .role = "第一の数値"},
    {.name = "Label2", .kind = K::Label, .rect = {0, 840, 852, 252}, .font = F::Caption, .align = Right},
    {.name = "Label3", .kind = K::Label, .rect = {1800, 840, 732, 252}, .font = F::Caption, .align = Right},
    {.name = "lblB", .kind = K::Label, .rect = {2520, 720, 972, 372}, .font = F::Display, .face = B::White, .align = Right, .role = "回の端数"},
    {.name = "lblC", .kind = K::Label, .rect = {840, 1200, 972, 372}, .font = F::Display, .face = B::White, .align = Right, .role = "第二の数値"},
    {.name = "Label4", .kind = K::Label, .rect = {0, 1320, 852, 252}, .font = F::Caption, .align = Right},
    {.name = "Label5", .kind = K::Label, .rect = {1800, 1320, 732, 252}, .font = F::Caption, .align = Right},
    {.name = "lblD", .kind = K::Label, .rect = {2520, 1200, 972, 372}, .font = F::Display, .face = B::Orange, .align = Right, .role = "計算結果"},
    {.name = "cmd7", .kind = K::Button, .rect = {120, 1800, 492, 372}, .caption = "7", .font = F::Digit, .focus = 7},
    {.name = "cmd8", .kind = K::Button, .rect = {840, 1800, 492, 372}, .caption = "8", .font = F::Digit, .focus = 8},
    {.name = "cmd9", .kind = K::Button, .rect = {1560, 1800, 492, 372}, .caption = "9", .font = F::Digit, .focus = 9},
    {.name = "cmdSyoritu", .kind = K::Button, .rect = {2280, 1800, 1212, 372}, .font = F::Key, .focus = 12, .statistic = "winningPercentage"},
    {.name = "cmd4", .kind = K::Button, .rect = {120, 2280, 492, 372}, .caption = "4", .font = F::Digit, .focus = 4},
    {.name = "cmd5", .kind = K::Button, .rect = {840, 2280, 492, 372}, .caption = "5", .font = F::Digit, .focus = 5},
    {.name = "cmd6", .kind = K::Button, .rect = {1560, 2280, 492, 372}, .caption = "6", .font = F::Digit, .focus = 6},
    {.name = "cmdDaritu", .kind = K::Button, .rect = {2280, 2280, 1212, 372}, .font = F::Key, .focus = 13, .statistic = "battingAverage"},
    {.name = "cmd1", .kind = K::Button, .rect = {120, 2760, 492, 372}, .caption = "1", .font = F::Digit, .focus = 1},
    {.name = "cmd2", .kind = K::Button, .rect = {840, 2760, 492, 372}, .caption = "2", .font = F::Digit, .focus = 2},
    {.name = "cmd3", .kind = K::Button, .rect = {1560, 2760, 492, 372}, .caption = "3", .font = F::Digit, .focus = 3},
    {.name = "comJiseki", .kind = K::Button, .rect = {2280, 2760, 1212, 372}, .font = F::Key, .focus = 14, .statistic = "earnedRunAverage"},
    {.name = "cmd0", .kind = K::Button, .rect = {120, 3240, 492, 612}, .caption = "0", .font = F::Digit, .focus = 10},
    {.name = "cmdAC", .kind = K::Button, .rect = {720, 3240, 852, 612}, .caption = "AC (&A)", .font = F::Key, .focus = 18},
    {.name = "Label6", .kind = K::Label, .rect = {1680, 3240, 492, 252}, .caption = "F5", .font = F::Caption, .align = Centre},
    {.name = "Label7", .kind = K::Label, .rect = {2280, 3240, 492, 252}, .caption = "F6", .font = F::Caption, .align = Centre},
    {.name = "Label9", .kind = K::Label, .rect = {2880, 3240, 492, 252}, .caption = "F7", .font = F::Caption, .align = Centre},
    {.name = "cmd03", .kind = K::Button, .rect = {1680, 3480, 492, 372}, .caption = "0/3", .font = F::Caption, .enabled = false, .focus = 15},
    {.name = "cmd13", .kind = K::Button, .rect = {2280, 3480, 492, 372}, .caption = "1/3", .font = F::Caption, .enabled = false, .focus = 16},
    {.name = "cmd23", .kind = K::Button, .rect = {2880, 3480, 492, 372}, .caption = "2/3", .font = F::Caption, .enabled = false, .focus = 17},
};
// clang-format on

// The sizes a window's icon is drawn at, on title bars, task bars and task
// switchers up to twice the pixels. Every size is sent to the window system as
// the window opens, and the two largest would cost more than a millisecond of
// start-up; launchers and software centres take those from the icon theme.
QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

int twipsToPixels(int twips, int dpi)
{
    return qRound(twips * dpi / 1440.0);
}

QRect toPixels(const Control &c, int dpiX, int dpiY)
{
    return QRect(twipsToPixels(c.rect.left, dpiX), twipsToPixels(c.rect.top, dpiY), twipsToPixels(c.rect.width, dpiX),
                 twipsToPixels(c.rect.height, dpiY));
}

QFont font(FontStyle style)
{
    // Where the designed faces are missing, Qt tries these in turn, so the
    // Japanese captions never fall back to a face without Japanese glyphs.
    // Windows names the gothic "ＭＳ Ｐゴシック" only where its system locale is
    // Japanese, and "MS PGothic" everywhere else; then come Windows' own
    // Japanese interface faces, then the Linux ones.
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                                   QStringList{QStringLiteral("MS PGothic"), QStringLiteral("Yu Gothic UI"),
                                               QStringLiteral("MS UI Gothic"), QStringLiteral("Meiryo UI"),
                                               QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
        QFont::insertSubstitutions(QStringLiteral("Times New Roman"), QStringList{QStringLiteral("Liberation Serif")});
        return true;
    }();
    Q_UNUSED(substituted);

    // clang-format off
    static const struct {
        FontStyle style;
        const char *family;
        qreal points;
        bool bold;
    } faces[] = {
        {FontStyle::Display, "Times New Roman", 12, true}, {FontStyle::Digit, "Times New Roman", 10.2, true},
        {FontStyle::Key, "ＭＳ Ｐゴシック", 10.2, true},     {FontStyle::Caption, "ＭＳ Ｐゴシック", 9, true},
        {FontStyle::Heading, "ＭＳ Ｐゴシック", 12, true},   {FontStyle::Button, "ＭＳ Ｐゴシック", 10.8, true},
        {FontStyle::Menu, "ＭＳ Ｐゴシック", 9, false},
    };
    // clang-format on
    for (const auto &face : faces) {
        if (face.style == style) {
            QFont f(QString::fromUtf8(face.family));
            f.setPointSizeF(face.points);  // 10.2 stays 10.2: set in points, not pixels
            f.setBold(face.bold);
            return f;
        }
    }
    return QFont();
}

QHash<QString, QWidget *> createControls(const Control *table, size_t count, QWidget *client)
{
    const int dpiX = client->logicalDpiX();
    const int dpiY = client->logicalDpiY();
    QHash<QString, QWidget *> byName;
    for (const Control *c = table; c != table + count; ++c) {
        QWidget *w;
        if (c->kind == Kind::Button) {
            w = new QPushButton(QString::fromUtf8(c->caption), client);
        } else {
            QLabel *label = c->kind == Kind::Picture ? new PictureBox(client)
                : c->face != Face::Standard          ? new FigureDisplay(client)
                                                     : new QLabel(client);
            label->setText(QString::fromUtf8(c->caption));
            label->setAlignment(c->align);
            if (c->face != Face::Standard || c->kind == Kind::Picture)
                label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
            if (c->kind == Kind::Picture) {
                static_cast<PictureBox *>(label)->drawIcon();
                label->setAlignment(Qt::AlignCenter);
                label->setFocusPolicy(Qt::StrongFocus);
            }
            if (c->face != Face::Standard) {
                // The faces stay light in a dark colour scheme too, whose text
                // colour is light: the figures are drawn in black on them.
                QPalette p = label->palette();
                p.setColor(QPalette::Window, c->face == Face::Orange ? QColor(255, 224, 192) : QColor(Qt::white));
                p.setColor(QPalette::WindowText, Qt::black);
                label->setPalette(p);
                label->setAutoFillBackground(true);
            }
            w = label;
        }
        w->setObjectName(QString::fromLatin1(c->name));
        QRect r = toPixels(*c, dpiX, dpiY);
        if (c->kind == Kind::Picture) {
            // Below 120 DPI the twips would make the box smaller than the icon in its frame.
            const int frame = static_cast<QFrame *>(w)->frameWidth();
            r.setSize(r.size().expandedTo(QSize(IconSize + 2 * frame, IconSize + 2 * frame)));
        }
        w->setGeometry(r);
        if (c->font != FontStyle::None)
            w->setFont(font(c->font));
        w->setEnabled(c->enabled);
        if (c->role)
            w->setAccessibleName(QString::fromUtf8(c->role));
        byName.insert(w->objectName(), w);
    }
    QMap<int, QWidget *> tabbed;
    for (const Control *c = table; c != table + count; ++c) {
        if (c->focus)
            tabbed.insert(c->focus, byName.value(QLatin1String(c->name)));
    }
    for (auto it = tabbed.cbegin(); std::next(it) != tabbed.cend(); ++it)
        QWidget::setTabOrder(it.value(), std::next(it).value());
    return byName;
}

}  // namespace ControlTable
