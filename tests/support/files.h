#pragma once

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QString>

namespace tavlo::test {

// The file's bytes, or empty when it cannot be read.
inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A path inside the source tree, which CTest names in TAVLO_SOURCE_DIR.
inline QString sourcePath(const QString& name)
{
    return qEnvironmentVariable("TAVLO_SOURCE_DIR") + '/' + name;
}

// A file of the source tree (a golden file, an example); a missing one ends the test.
inline QByteArray sourceFile(const QString& name)
{
    QFile f(sourcePath(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing %s", qPrintable(name));
    return f.readAll();
}

inline void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A picture of one colour, as Qt's writer of the format makes it.
inline QByteArray pictureBytes(QSize size, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 180, 90));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, format).write(image))
        qFatal("Qt cannot write %s", format);
    return buffer.data();
}

// The same picture written to a file.
inline QString savePicture(const QString& path, QSize size = {300, 200}, const char* format = "JPG")
{
    writeAll(path, pictureBytes(size, format));
    return path;
}

// Sets an environment variable for its own lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_old;
};

} // namespace tavlo::test
