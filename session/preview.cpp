#include "session/preview.h"

#include "platform/filewrite.h"
#include "platform/tempfolder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tavlo {

namespace {

// xdg-mime is a shell script that may look through several desktops' settings; a few
// seconds is plenty, and the window must not hang on a broken one.
constexpr int handlerWaitMs = 3000;

} // namespace

QString XdgBrowser::findHandler()
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(
        xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!process.waitForStarted(handlerWaitMs))
        return {};
    if (!process.waitForFinished(handlerWaitMs)) {
        process.kill();
        process.waitForFinished(handlerWaitMs);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool XdgBrowser::open(const QString& file)
{
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!xdgOpen.isEmpty())
        return QProcess::startDetached(xdgOpen, {file});
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (!gio.isEmpty())
        return QProcess::startDetached(gio, {QStringLiteral("open"), file});
    return false;
}

PreviewFolder::PreviewFolder() = default;

PreviewFolder::~PreviewFolder() = default;

QString PreviewFolder::pagePath()
{
    if (!m_dir) {
        // Made with mode 0700 and a name no one can guess, so that no other user can
        // put a page of their own in its place.
        m_dir =
            std::make_unique<QTemporaryDir>(tempFolder() + QStringLiteral("tavlo-preview-XXXXXX"));
        if (!m_dir->isValid()) {
            m_dir.reset();
            return {};
        }
    }
    return m_dir->filePath(QStringLiteral("preview.htm"));
}

PreviewResult previewPage(const QByteArray& page, PreviewFolder& folder, Browser& browser)
{
    const QString path = folder.pagePath();
    if (path.isEmpty() || !writeFileAtomically(path, page + "\r\n").ok())
        return PreviewResult::WriteFailed;
    // The page stays until the program ends: a browser that is slow to start must
    // still find it.
    if (browser.findHandler().isEmpty())
        return PreviewResult::NoBrowser;
    if (!browser.open(path))
        return PreviewResult::StartFailed;
    return PreviewResult::Shown;
}

} // namespace tavlo
