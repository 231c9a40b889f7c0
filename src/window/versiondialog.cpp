#include "versiondialog.h"

#include "accessibility.h"
#include "controltable.h"
#include "identity.h"
#include "windowframe.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {

using ControlTable::Control;
using ControlTable::FontStyle;
using ControlTable::Kind;

constexpr int ClientWidth = 3192;  // twips
constexpr int ClientHeight = 2376;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignTop;

// clang-format off
const Control controls[] = {
    {.name = "Picture1", .kind = Kind::Picture, .rect = {120, 120, 432, 432}, .role = Identity::ProductName, .focus = 1},
    {.name = "Label1", .kind = Kind::Label, .rect = {840, 240, 0, 240}, .caption = Identity::ProductName, .font = FontStyle::Heading, .align = Left},
    {.name = "Label2", .kind = Kind::Label, .rect = {840, 720, 1260, 240}, .font = FontStyle::Heading, .align = Left},
    {.name = "Label3", .kind = Kind::Label, .rect = {360, 1200, 0, 204}, .caption = "© 2026 Kavlo 開発チーム", .font = FontStyle::Key, .align = Left},
    {.name = "Command1", .kind = Kind::Button, .rect = {1080, 1680, 1092, 492}, .caption = "OK", .font = FontStyle::Button, .focus = 2},
};
// clang-format on

QPointer<VersionDialog> theDialog;

}  // namespace

VersionDialog::VersionDialog()
    : QWidget(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Ver"));
    Accessibility::describeDialog(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("バ－ジョン情報"));
    setWindowIcon(ControlTable::applicationIcon());
    setFixedSize(ControlTable::twipsToPixels(ClientWidth, logicalDpiX()),
                 ControlTable::twipsToPixels(ClientHeight, logicalDpiY()));

    const QHash<QString, QWidget *> byName = ControlTable::createControls(controls, std::size(controls), this);
    auto label = [&byName](const char *name) { return static_cast<QLabel *>(byName.value(QLatin1String(name))); };
    label("Label2")->setText(QStringLiteral("Version ") + QLatin1String(Identity::Version));
    // The texts size their labels, on one line from the given top-left corner.
    for (const char *name : {"Label1", "Label2", "Label3"})
        label(name)->adjustSize();
    auto *ok = static_cast<QPushButton *>(byName.value(QStringLiteral("Command1")));
    // Not the default button: Enter presses OK only once OK has the focus.
    ok->setAutoDefault(true);
    label("Picture1")->setFocus();
    // OK hides and destroys the dialog, as its close box does; if it was the
    // program's last window, the program ends.
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    WindowFrame::frame(this);
}

void VersionDialog::open(const QWidget *mainWindow)
{
    if (!theDialog) {
        theDialog = new VersionDialog;
        QRect r = theDialog->geometry();
        r.moveCenter(mainWindow->geometry().center());
        theDialog->setGeometry(r);
    }
    WindowFrame::bringToFront(theDialog);
}

void VersionDialog::closeOpen()
{
    delete theDialog;
}

VersionDialog *VersionDialog::instance()
{
    return theDialog;
}
