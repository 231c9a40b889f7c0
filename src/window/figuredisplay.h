// A display of the panel: a label whose one line of text is always shown
// whole. A figure wider than the display is drawn in a smaller size of the
// display's face, aligned as before; the label's text stays as it is.
#pragma once

#include <QLabel>

class FigureDisplay : public QLabel
{
    Q_OBJECT

public:
    explicit FigureDisplay(QWidget *parent = nullptr);

    // The font the text is drawn in, and the rectangle it takes.
    QFont shownFont() const;
    QRect textRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect lineRect() const;
    int textIndent() const;
    QRect textRect(const QFont &shown) const;
};
