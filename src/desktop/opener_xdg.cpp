// Help documents on Linux: xdg-open opens them with the desktop's viewer for their type.
#include "opener.h"

#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <utility>

namespace {

constexpr qint32 NotThere = 2;
constexpr qint32 NotReadable = 5;
constexpr qint32 NoViewer = 31;

// xdg-open reports a missing or failing viewer within moments. It may also
// run the viewer itself and end only when the viewer does.
int patience = 10000;

// One run of xdg-open for one document, heard until it ends or patience runs out.
class Opening : public QProcess
{
public:
    Opening(QObject *context, const QString &path, OpenFailed failed);
    ~Opening() override;

private:
    void report(qint32 error);

    OpenFailed m_failed;  // empty once nothing more is to be reported
};

Opening::Opening(QObject *context, const QString &path, OpenFailed failed)
    : QProcess(context), m_failed(std::move(failed))
{
    // A QProcess kills its process when it is destroyed, as it is when the
    // program ends. The shell between them is what gets killed then, never
    // xdg-open and the viewer it may be running.
    setProgram(QStringLiteral("/bin/sh"));
    setArguments({QStringLiteral("-c"), QStringLiteral("xdg-open \"$1\" & wait $!"), QStringLiteral("sh"), path});
    setStandardInputFile(QProcess::nullDevice());
    setProcessChannelMode(QProcess::ForwardedChannels);

    // xdg-open's statuses: 0 opened, 2 no such file, 3 no viewer, 4 the viewer
    // failed, 1 anything else; the shell gives 126 or 127 when xdg-open cannot run.
    connect(this, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        report(status != QProcess::NormalExit ? NoViewer : code == 0 ? 0 : code == 2 ? NotThere : NoViewer);
    });
    connect(this, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            report(NoViewer);
    });
    QTimer::singleShot(patience, this, [this] { m_failed = nullptr; });
    start();
}

// Ends the shell here, quietly: QProcess's own destructor would warn that it
// was still running.
Opening::~Opening()
{
    m_failed = nullptr;
    if (state() != QProcess::NotRunning) {
        kill();
        waitForFinished();
    }
}

void Opening::report(qint32 error)
{
    const OpenFailed failed = std::exchange(m_failed, nullptr);
    if (error != 0 && failed)
        failed(error);
    deleteLater();
}

}  // namespace

void openDocument(QObject *context, const QString &directory, const QString &fileName, OpenFailed failed)
{
    const QFileInfo file(directory + QLatin1Char('/') + fileName);
    if (!file.exists()) {
        failed(NotThere);
        return;
    }
    if (!file.isFile() || !file.isReadable()) {
        failed(NotReadable);
        return;
    }
    new Opening(context, file.absoluteFilePath(), std::move(failed));
}

void setOpenerPatience(int milliseconds)
{
    patience = milliseconds;
}
