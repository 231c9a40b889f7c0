#include "versiondialog.h"

#include "accessibility.h"
#include "controltable.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {

using ControlTable::Control;
using ControlTable::Face;
using ControlTable::FontStyle;
using ControlTable::Kind;

constexpr int ClientWidth = 3192;  // twips
constexpr int ClientHeight = 2376;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignTop;

const Control controls[] = {
    {"Picture1", Kind::Picture, "", 120, 120, 432, 432, FontStyle::None, Face::Standard, {}, true, "Kavlo"},
    {"Label1", Kind::Label, "Kavlo", 840, 240, 0, 240, FontStyle::Heading, Face::Standard, Left, true, nullptr},
    {"Label2", Kind::Label, "Version 2.0", 840, 720, 1260, 240, FontStyle::Heading, Face::Standard, Left, true, nullptr},
    {"Label3", Kind::Label, "© 2026 Kavlo 開発チーム", 360, 1200, 0, 204, FontStyle::Key, Face::Standard, Left, true, nullptr},
    {"Command1", Kind::Button, "OK", 1080, 1680, 1092, 492, FontStyle::Button, Face::Standard, {}, true, nullptr},
};

QPointer<VersionDialog> theDialog;

} // namespace

VersionDialog::VersionDialog()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Ver"));
    Accessibility::describeDialog(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("バ－ジョン情報"));
    setWindowIcon(ControlTable::applicationIcon());
    setFixedSize(ControlTable::twipsToPixels(ClientWidth, logicalDpiX()), ControlTable::twipsToPixels(ClientHeight, logicalDpiY()));

    const QHash<QString, QWidget *> byName = ControlTable::createControls(controls, std::size(controls), this);
    Picture1 = static_cast<QLabel *>(byName.value(QStringLiteral("Picture1")));
    Label1 = static_cast<QLabel *>(byName.value(QStringLiteral("Label1")));
    Label2 = static_cast<QLabel *>(byName.value(QStringLiteral("Label2")));
    Label3 = static_cast<QLabel *>(byName.value(QStringLiteral("Label3")));
    Command1 = static_cast<QPushButton *>(byName.value(QStringLiteral("Command1")));
    // The texts size their labels, on one line from the given top-left corner.
    for (QLabel *label : {Label1, Label2, Label3})
        label->adjustSize();
    // Not the default button: Enter presses OK only once OK has the focus.
    Command1->setAutoDefault(true);
    setTabOrder(Picture1, Command1);
    Picture1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &VersionDialog::okClicked);
}

void VersionDialog::open(const QWidget *mainWindow)
{
    if (!theDialog) {
        theDialog = new VersionDialog;
        QRect r = theDialog->geometry();
        r.moveCenter(mainWindow->geometry().center());
        theDialog->setGeometry(r);
    }
    theDialog->show();
    theDialog->raise();
    theDialog->activateWindow();
}

void VersionDialog::closeOpen()
{
    delete theDialog;
}

VersionDialog *VersionDialog::instance()
{
    return theDialog;
}

void VersionDialog::okClicked()
{
    // Hides and destroys the dialog, as its close box does; if it was the
    // program's last window, the program ends.
    close();
}
