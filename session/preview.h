#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QTemporaryDir;

namespace tavlo {

// The desktop's program for web pages.
class Browser {
public:
    virtual ~Browser() = default;
    // The handler for HTML pages, or "" when there is none.
    virtual QString findHandler() = 0;
    // Starts it on file without waiting for it; false when it cannot be started.
    virtual bool open(const QString& file) = 0;
};

// xdg-mime query default text/html, and xdg-open (or gio open) with the path as one
// argument, never through a shell.
class XdgBrowser final : public Browser {
public:
    QString findHandler() override;
    bool open(const QString& file) override;
};

// A private folder of the program's own (mode 0700, made fresh for the run) that
// holds the preview page; it goes when the program ends.
class PreviewFolder {
public:
    PreviewFolder();
    ~PreviewFolder();
    // The preview page's path, the folder made on first use; "" when it cannot be.
    QString pagePath();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

enum class PreviewResult { Shown, NoBrowser, StartFailed, WriteFailed };

// Writes page and a line break to the preview page (replacing the last one) and
// shows it in the browser.
PreviewResult previewPage(const QByteArray& page, PreviewFolder& folder, Browser& browser);

} // namespace tavlo
