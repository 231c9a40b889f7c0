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

protected:
    void paintEvent(QPaintEvent *event) override
    {
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
};

constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignTop;
constexpr Qt::Alignment Centre = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment None = {};
using K = Kind;
using F = FontStyle;
using B = Face;
}  // namespace

// The statistic keys' captions follow the calculator's state: MainWindow::render
// writes them. The numbers after the role give the order that Tab walks the
// keys in, then the statistic that a key works.
// clang-format off
const std::vector<Control> controls = {
    {"lblInput", K::Label, "", 840, 240, 972, 372, F::Display, B::Orange, Right, true, "入力画面"},
    {"Label1", K::Label, "入力画面", 0, 360, 852, 252, F::Caption, B::Standard, Right, true, nullptr},
    {"cmdCan", K::Button, "C (&C)", 1920, 240, 732, 372, F::Key, B::Standard, None, true, nullptr, 11},
    {"Picture1", K::Picture, "", 3000, 120, 432, 432, F::None, B::Standard, None, true, "Kavlo", 19},
    {"lblA", K::Label, "", 840, 720, 972, 372, F::Display, B::White, Right, true, "第一の数値"},
    {"Label2", K::Label, "", 0, 840, 852, 252, F::Caption, B::Standard, Right, true, nullptr},
    {"Label3", K::Label, "", 1800, 840, 732, 252, F::Caption, B::Standard, Right, true, nullptr},
    {"lblB", K::Label, "", 2520, 720, 972, 372, F::Display, B::White, Right, true, "回の端数"},
    {"lblC", K::Label, "", 840, 1200, 972, 372, F::Display, B::White, Right, true, "第二の数値"},
    {"Label4", K::Label, "", 0, 1320, 852, 252, F::Caption, B::Standard, Right, true, nullptr},
    {"Label5", K::Label, "", 1800, 1320, 732, 252, F::Caption, B::Standard, Right, true, nullptr},
    {"lblD", K::Label, "", 2520, 1200, 972, 372, F::Display, B::Orange, Right, true, "計算結果"},
    {"cmd7", K::Button, "7", 120, 1800, 492, 372, F::Digit, B::Standard, None, true, nullptr, 7},
    {"cmd8", K::Button, "8", 840, 1800, 492, 372, F::Digit, B::Standard, None, true, nullptr, 8},
    {"cmd9", K::Button, "9", 1560, 1800, 492, 372, F::Digit, B::Standard, None, true, nullptr, 9},
    {"cmdSyoritu", K::Button, "", 2280, 1800, 1212, 372, F::Key, B::Standard, None, true, nullptr, 12, "winningPercentage"},
    {"cmd4", K::Button, "4", 120, 2280, 492, 372, F::Digit, B::Standard, None, true, nullptr, 4},
    {"cmd5", K::Button, "5", 840, 2280, 492, 372, F::Digit, B::Standard, None, true, nullptr, 5},
    {"cmd6", K::Button, "6", 1560, 2280, 492, 372, F::Digit, B::Standard, None, true, nullptr, 6},
    {"cmdDaritu", K::Button, "", 2280, 2280, 1212, 372, F::Key, B::Standard, None, true, nullptr, 13, "battingAverage"},
    {"cmd1", K::Button, "1", 120, 2760, 492, 372, F::Digit, B::Standard, None, true, nullptr, 1},
    {"cmd2", K::Button, "2", 840, 2760, 492, 372, F::Digit, B::Standard, None, true, nullptr, 2},
    {"cmd3", K::Button, "3", 1560, 2760, 492, 372, F::Digit, B::Standard, None, true, nullptr, 3},
    {"comJiseki", K::Button, "", 2280, 2760, 1212, 372, F::Key, B::Standard, None, true, nullptr, 14, "earnedRunAverage"},
    {"cmd0", K::Button, "0", 120, 3240, 492, 612, F::Digit, B::Standard, None, true, nullptr, 10},
    {"cmdAC", K::Button, "AC (&A)", 720, 3240, 852, 612, F::Key, B::Standard, None, true, nullptr, 18},
    {"Label6", K::Label, "F5", 1680, 3240, 492, 252, F::Caption, B::Standard, Centre, true, nullptr},
    {"Label7", K::Label, "F6", 2280, 3240, 492, 252, F::Caption, B::Standard, Centre, true, nullptr},
    {"Label9", K::Label, "F7", 2880, 3240, 492, 252, F::Caption, B::Standard, Centre, true, nullptr},
    {"cmd03", K::Button, "0/3", 1680, 3480, 492, 372, F::Caption, B::Standard, None, false, nullptr, 15},
    {"cmd13", K::Button, "1/3", 2280, 3480, 492, 372, F::Caption, B::Standard, None, false, nullptr, 16},
    {"cmd23", K::Button, "2/3", 2880, 3480, 492, 372, F::Caption, B::Standard, None, false, nullptr, 17},
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
    return QRect(twipsToPixels(c.left, dpiX), twipsToPixels(c.top, dpiY), twipsToPixels(c.width, dpiX),
                 twipsToPixels(c.height, dpiY));
}

QFont font(FontStyle style)
{
    // Where the designed faces are missing, Qt tries these in turn, so the
    // Japanese captions never fall back to a face without Japanese glyphs.
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                                   QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
        QFont::insertSubstitutions(QStringLiteral("Times New Roman"), QStringList{QStringLiteral("Liberation Serif")});
        return true;
    }();
    Q_UNUSED(substituted);

    // clang-format off
    static const struct {
        FontStyle style;
        const char *family;
        qreal points;
    } faces[] = {
        {FontStyle::Display, "Times New Roman", 12}, {FontStyle::Digit, "Times New Roman", 10.2},
        {FontStyle::Key, "ＭＳ Ｐゴシック", 10.2},     {FontStyle::Caption, "ＭＳ Ｐゴシック", 9},
        {FontStyle::Heading, "ＭＳ Ｐゴシック", 12},   {FontStyle::Button, "ＭＳ Ｐゴシック", 10.8},
    };
    // clang-format on
    for (const auto &face : faces) {
        if (face.style == style) {
            QFont f(QString::fromUtf8(face.family));
            f.setPointSizeF(face.points);  // 10.2 stays 10.2: set in points, not pixels
            f.setBold(true);
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
                label->setPixmap(pictureIcon(client->devicePixelRatioF()));
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
