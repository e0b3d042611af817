#include "platform/association.h"

#include "platform/filewrite.h"
#include "platform/keystore.h"
#include "platform/userhome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <optional>
#include <utility>

namespace tavlo {

namespace {

const QByteArray mimeAppsKey = "application/x-tavlo";
const QByteArray mimeAppsLine = mimeAppsKey + "=tavlo.desktop";
const QByteArray defaultsHeader = "[Default Applications]";

QString mimeXmlPath(const AssociationFolders& f)
{
    return f.dataDir + QLatin1String("/mime/packages/tavlo.xml");
}
QString desktopPath(const AssociationFolders& f)
{
    return f.dataDir + QLatin1String("/applications/tavlo.desktop");
}
QString mimeAppsPath(const AssociationFolders& f)
{
    return f.configDir + QLatin1String("/mimeapps.list");
}

const QByteArray mimeXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-tavlo">
    <comment>Client-side image map</comment>
    <sub-class-of type="text/plain"/>
    <glob pattern="*.tavl"/>
  </mime-type>
</mime-info>
)";

// The program path as one Exec argument: quoted when it holds a reserved character,
// literal percent signs doubled.
QString execArgument(const QString& path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool quote =
        std::any_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); });
    QString arg;
    if (quote)
        arg += u'"';
    for (const QChar c : path) {
        if (quote && QStringView(u"\"`$\\").contains(c))
            arg += u'\\';
        arg += c;
    }
    if (quote)
        arg += u'"';
    return arg.replace(u'%', QLatin1String("%%"));
}

// The string escapes of a desktop entry value, applied after the Exec quoting.
QString escapeDesktopValue(QString value)
{
    value.replace(u'\\', QLatin1String("\\\\"));
    value.replace(u'\n', QLatin1String("\\n"));
    value.replace(u'\t', QLatin1String("\\t"));
    value.replace(u'\r', QLatin1String("\\r"));
    return value;
}

// The packaged resources/tavlo.desktop with this program in Exec: having the same name,
// it takes the packaged entry's place for this user, so it must lose nothing of it.
QByteArray desktopEntry(const QString& programPath)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Tavlo\n"
           "GenericName=Image Map Editor\n"
           "Comment=Draw HTML client-side image maps on GIF and JPEG pictures\n"
           "Keywords=image map;imagemap;HTML;hot spot;area;link;\n"
           // Menus leave the entry out once the program is gone (the package removed).
           "TryExec=" +
           escapeDesktopValue(programPath).toUtf8() +
           "\n"
           "Exec=" +
           escapeDesktopValue(execArgument(programPath) + QLatin1String(" %f")).toUtf8() +
           "\n"
           "Icon=tavlo\n"
           "Terminal=false\n"
           "Categories=Development;WebDevelopment;\n"
           "MimeType=application/x-tavlo;\n";
}

// Lines keep their line ends, so that lines we do not touch go back byte for byte.
QList<QByteArray> splitLines(const QByteArray& text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype nl = text.indexOf('\n', start);
        const qsizetype end = nl < 0 ? text.size() : nl + 1;
        lines.append(text.mid(start, end - start));
        start = end;
    }
    return lines;
}

QByteArray lineEnd(const QByteArray& line)
{
    return line.endsWith("\r\n") ? "\r\n" : line.endsWith('\n') ? "\n" : "";
}

bool isOurLine(const QByteArray& line)
{
    const qsizetype eq = line.indexOf('=');
    return eq > 0 && line.left(eq).trimmed() == mimeAppsKey;
}

// Puts our line into the [Default Applications] section of a mimeapps.list (in place
// of an earlier one of ours), or takes ours out when no line is given.
QByteArray editDefaults(const QByteArray& text, const std::optional<QByteArray>& ourLine)
{
    QList<QByteArray> lines = splitLines(text);
    qsizetype begin = 0;
    while (begin < lines.size() && lines[begin].trimmed() != defaultsHeader)
        ++begin;
    if (begin == lines.size()) {
        if (!ourLine)
            return text;
        QByteArray out = text;
        if (!out.isEmpty() && !out.endsWith('\n'))
            out += '\n';
        return out + defaultsHeader + '\n' + *ourLine + '\n';
    }
    qsizetype end = begin + 1;
    while (end < lines.size() && !lines[end].trimmed().startsWith('['))
        ++end;

    bool placed = false;
    qsizetype lastFilled = begin;
    for (qsizetype i = begin + 1; i < end; ++i) {
        if (isOurLine(lines[i])) {
            if (ourLine && !placed) {
                lines[i] = *ourLine + lineEnd(lines[i]);
                placed = true;
                lastFilled = i;
                continue;
            }
            lines.removeAt(i);
            --i;
            --end;
            continue;
        }
        if (!lines[i].trimmed().isEmpty())
            lastFilled = i;
    }
    if (ourLine && !placed) {
        if (!lines[lastFilled].endsWith('\n'))
            lines[lastFilled] += '\n';
        lines.insert(lastFilled + 1, *ourLine + '\n');
    }
    return lines.join();
}

enum class Outcome { Unchanged, Written, Failed };

Outcome writeIfChanged(const QString& path, const QByteArray& content)
{
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == content)
        return Outcome::Unchanged;
    current.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Outcome::Failed;
    if (!writeFileAtomically(path, content).ok())
        return Outcome::Failed;
    return Outcome::Written;
}

// The desktop's caches are a convenience: a missing tool, a failure or a hang must
// never hold up the program for more than a moment.
void updateDatabase(const QString& tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, {folder});
    if (!process.waitForStarted(1000))
        return;
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(500);
    }
}

void updateMimeDatabase(const AssociationFolders& f)
{
    updateDatabase(QStringLiteral("update-mime-database"), f.dataDir + QLatin1String("/mime"));
}
void updateDesktopDatabase(const AssociationFolders& f)
{
    updateDatabase(QStringLiteral("update-desktop-database"),
                   f.dataDir + QLatin1String("/applications"));
}

// True when the file was there and is gone; a file that stays is noted in failed.
bool removeFile(const QString& path, QStringList& failed)
{
    if (!QFileInfo(path).isFile())
        return false;
    if (QFile::remove(path))
        return true;
    failed << path;
    return false;
}

} // namespace

AssociationFolders AssociationFolders::standard()
{
    if (!hasHomeFolder())
        return {};
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)};
}

void regAssoc(KeyStore& store, const QString& programPath, const AssociationFolders& folders)
{
    // Without a home folder there is nowhere the user's files belong.
    if (folders.dataDir.isEmpty() || store.path().isEmpty())
        return;
    const std::pair<QString, QString> keys[] = {
        {QStringLiteral(".tavl"), QStringLiteral("Tavlo")},
        {QStringLiteral("Tavlo"), QStringLiteral("Client-side image map")},
        {QStringLiteral("Tavlo\\shell\\open\\command"), programPath + QLatin1String(" %1")},
    };
    for (const auto& [key, value] : keys) {
        if (store.createKey(RegRoot::ClassesRoot, key))
            store.setDefaultValue(RegRoot::ClassesRoot, key, value);
    }

    if (writeIfChanged(mimeXmlPath(folders), mimeXml) == Outcome::Written)
        updateMimeDatabase(folders);
    if (writeIfChanged(desktopPath(folders), desktopEntry(programPath)) == Outcome::Written)
        updateDesktopDatabase(folders);

    QFile mimeApps(mimeAppsPath(folders));
    QByteArray current;
    if (mimeApps.open(QIODevice::ReadOnly))
        current = mimeApps.readAll();
    else if (mimeApps.exists())
        return; // not ours to overwrite blindly
    writeIfChanged(mimeAppsPath(folders), editDefaults(current, mimeAppsLine));
}

QStringList removeAssociationFiles(const AssociationFolders& folders)
{
    QStringList failed;
    if (folders.dataDir.isEmpty())
        return failed;
    if (removeFile(mimeXmlPath(folders), failed))
        updateMimeDatabase(folders);
    if (removeFile(desktopPath(folders), failed))
        updateDesktopDatabase(folders);

    const QString listPath = mimeAppsPath(folders);
    QFile mimeApps(listPath);
    if (mimeApps.open(QIODevice::ReadOnly)) {
        const QByteArray current = mimeApps.readAll();
        if (writeIfChanged(listPath, editDefaults(current, std::nullopt)) == Outcome::Failed)
            failed << listPath;
    } else if (mimeApps.exists()) {
        failed << listPath;
    }
    return failed;
}

} // namespace tavlo
