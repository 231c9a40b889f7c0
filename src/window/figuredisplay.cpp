#include "figuredisplay.h"

#include <QPainter>
#include <QStyle>
#include <QtMath>

FigureDisplay::FigureDisplay(QWidget *parent) : QLabel(parent)
{}

QFont FigureDisplay::shownFont() const
{
    QFont f = font();
    const QString shown = text();
    // As much room is left on the far side as QLabel leaves on the near one.
    const qreal room = lineRect().width() - qMax(0, textIndent());
    const qreal width = QFontMetricsF(f, this).horizontalAdvance(shown);
    if (width <= room || room <= 0)
        return f;
    // Glyphs do not scale quite in proportion: from the proportional size,
    // step down until the text fits.
    for (int pixels = qFloor(fontInfo().pixelSize() * room / width); pixels > 1; --pixels) {
        f.setPixelSize(pixels);
        if (QFontMetricsF(f, this).horizontalAdvance(shown) <= room)
            break;
    }
    return f;
}

QRect FigureDisplay::textRect() const
{
    return textRect(shownFont());
}

QRect FigureDisplay::textRect(const QFont &shown) const
{
    const QFontMetrics metrics(shown, this);
    // The smaller figure keeps the baseline of the display's own font.
    const QRect line = lineRect().adjusted(0, fontMetrics().ascent() - metrics.ascent(), 0, 0);
    return style()->itemTextRect(metrics, line, int(alignment()), isEnabled(), text());
}

void FigureDisplay::paintEvent(QPaintEvent *event)
{
    const QFont shown = shownFont();
    if (shown == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(shown);
    style()->drawItemText(&painter, textRect(shown), int(QStyle::visualAlignment(layoutDirection(), alignment())),
                          palette(), isEnabled(), text(), foregroundRole());
}

// Where QLabel draws its one line of plain text: within the frame and
// margin, and on a framed label without an indent of its own, half an "x" in
// from each edge it is aligned to.
QRect FigureDisplay::lineRect() const
{
    QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (const int indent = textIndent(); indent > 0) {
        const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
        r.adjust(align & Qt::AlignLeft ? indent : 0, align & Qt::AlignTop ? indent : 0,
                 align & Qt::AlignRight ? -indent : 0, align & Qt::AlignBottom ? -indent : 0);
    }
    return r;
}

int FigureDisplay::textIndent() const
{
    if (indent() < 0 && frameWidth() > 0)
        return fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin();
    return indent();
}
