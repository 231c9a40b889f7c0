// The reference window for start-up and memory: plain Qt Widgets, nothing but
// what a window of the calculator's make-up needs. A main window of fixed size
// with 19 push buttons, 13 labels and a menu bar of 3 entries and 5 actions,
// in the same faces and sizes, so that only what the program adds differs.
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

int px(int twips, int dpi)
{
    return qRound(twips * dpi / 1440.0);
}

QFont face(const char *family, qreal points)
{
    QFont f{QString::fromLatin1(family)};
    f.setPointSizeF(points);
    f.setBold(true);
    return f;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));

    auto *client = new QWidget(&window);
    const int dx = client->logicalDpiX(), dy = client->logicalDpiY();
    client->setFixedSize(px(3672, dx), px(4104, dy));
    window.setCentralWidget(client);
    auto place = [&](QWidget *w, int left, int top, int width, int height) {
        w->setGeometry(px(left, dx), px(top, dy), px(width, dx), px(height, dy));
    };

    const QFont serif = face("Liberation Serif", 10.2), gothic = face("IPAPGothic", 10.2);
    const QFont display = face("Liberation Serif", 12), caption = face("IPAPGothic", 9);

    // 4 rows of keys: 3 digits and one wide key each, then 3 more rows below.
    const char *keys[] = {"7", "8", "9", "勝 (&W)", "4", "5", "6", "打数 (&D)", "1", "2", "3", "回 (&I)"};
    for (int i = 0; i < 12; ++i) {
        auto *b = new QPushButton(QString::fromUtf8(keys[i]), client);
        const int row = i / 4, col = i % 4;
        place(b, 120 + col * 720, 1800 + row * 480, col == 3 ? 1212 : 492, 372);
        b->setFont(col == 3 ? gothic : serif);
    }
    const char *lower[] = {"0", "AC (&A)", "0/3", "1/3", "2/3", "C (&C)", "?"};
    const int lowerRect[][4]
        = {{120, 3240, 492, 612},  {720, 3240, 852, 612}, {1680, 3480, 492, 372}, {2280, 3480, 492, 372},
           {2880, 3480, 492, 372}, {1920, 240, 732, 372}, {3000, 120, 432, 432}};
    for (int i = 0; i < 7; ++i) {
        auto *b = new QPushButton(QString::fromUtf8(lower[i]), client);
        place(b, lowerRect[i][0], lowerRect[i][1], lowerRect[i][2], lowerRect[i][3]);
        b->setFont(i == 0 ? serif : i >= 2 && i <= 4 ? caption : gothic);
    }

    // 5 sunken displays with a filled face, 8 captions.
    const int displayRect[][2] = {{840, 240}, {840, 720}, {2520, 720}, {840, 1200}, {2520, 1200}};
    for (int i = 0; i < 5; ++i) {
        auto *l = new QLabel(client);
        place(l, displayRect[i][0], displayRect[i][1], 972, 372);
        l->setFont(display);
        l->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        l->setAlignment(Qt::AlignRight | Qt::AlignTop);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, i == 0 || i == 4 ? QColor(255, 224, 192) : QColor(Qt::white));
        l->setPalette(p);
        l->setAutoFillBackground(true);
    }
    const char *captions[] = {"入力画面", "", "", "", "", "F5", "F6", "F7"};
    const int captionRect[][3] = {{0, 360, 852},     {0, 840, 852},     {1800, 840, 732},  {0, 1320, 852},
                                  {1800, 1320, 732}, {1680, 3240, 492}, {2280, 3240, 492}, {2880, 3240, 492}};
    for (int i = 0; i < 8; ++i) {
        auto *l = new QLabel(QString::fromUtf8(captions[i]), client);
        place(l, captionRect[i][0], captionRect[i][1], captionRect[i][2], 252);
        l->setFont(caption);
        l->setAlignment(i >= 5 ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignRight | Qt::AlignTop);
    }

    // One action straight on the bar and two menus: 3 entries, 5 actions.
    QMenuBar *bar = window.menuBar();
    bar->addAction(QString::fromUtf8("終了(&X)"));
    QMenu *settings = bar->addMenu(QString::fromUtf8("設定(&S)"));
    QAction *sound = settings->addAction(QString::fromUtf8("サウンド(&S)"));
    sound->setCheckable(true);
    sound->setChecked(true);
    QMenu *help = bar->addMenu(QString::fromUtf8("ヘルプ(&P)"));
    help->addAction(QString::fromUtf8("HTML形式ヘルプ(&B)"));
    help->addAction(QString::fromUtf8("TEXT形式ヘルプ(&T)"));
    help->addAction(QString::fromUtf8("バ－ジョン情報(&V)"));

    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return app.exec();
}
