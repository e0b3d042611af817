#include "markup/mapfile.h"

#include "markup/pathops.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavlo;

class tst_MapFile : public QObject {
    Q_OBJECT

private slots:
    void openPicture_data();
    void openPicture();
    void openMapFile_data();
    void openMapFile();
    void savedMapOpensAsItWasWritten();
    void saveFailureIsReported();

private:
    QString write(const QString& name, const QByteArray& bytes);
    QTemporaryDir m_dir;
};

namespace {

QByteArray golden(const char* name)
{
    QFile file(qEnvironmentVariable("TAVLO_SOURCE_DIR") + "/tests/golden/" + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", name);
    return file.readAll();
}

} // namespace

QString tst_MapFile::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void tst_MapFile::openPicture_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<PictureFile::Error>("error");
    QTest::addColumn<QByteArray>("imgTag");

    const QString examples = qEnvironmentVariable("TAVLO_SOURCE_DIR") + "/examples/";
    QTest::newRow("GIF") << examples + "harbour.gif" << PictureFile::Error::None
                         << QByteArray("harbour.gif\" width=");
    QTest::newRow("a kind the editor does not open")
        << write("shot.png", QByteArray("\x89PNG\r\n\x1a\n", 8))
        << PictureFile::Error::NotRecognised << QByteArray();
    QTest::newRow("not decoded") << write("broken.gif", "GIF89a")
                                 << PictureFile::Error::NotRecognised << QByteArray();
}

void tst_MapFile::openPicture()
{
    QFETCH(QString, path);
    QFETCH(PictureFile::Error, error);
    QFETCH(QByteArray, imgTag);
    const PictureFile file = tavlo::openPicture(path);
    QCOMPARE(file.error, error);
    QCOMPARE(file.picture.isNull(), error != PictureFile::Error::None);
    QVERIFY(file.image.imgTag.startsWith(imgTag));
}

void tst_MapFile::openMapFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<MapFile::Error>("error");
    QTest::addColumn<int>("areas");
    QTest::addColumn<bool>("pageKind");

    const QByteArray tavl = golden("logo.tavl");
    const QByteArray page = golden("page.top") + tavl + golden("page.bot");
    QTest::newRow("map file") << write("logo.tavl", tavl) << MapFile::Error::None << 3 << false;
    QTest::newRow("page") << write("logo.html", page) << MapFile::Error::None << 3 << true;
    QTest::newRow("missing") << m_dir.filePath("none.tavl") << MapFile::Error::CouldNotRead << 0
                             << false;
    QTest::newRow("no tags") << write("plain.tavl", "<p>text</p>") << MapFile::Error::TagsMissing
                             << 0 << false;
    QTest::newRow("cut short") << write("cut.tavl", tavl.left(tavl.indexOf("<!-- end")))
                               << MapFile::Error::NoEndMarker << 0 << false;
    QTest::newRow("COORDS not numbers")
        << write("bad.tavl", QByteArray(tavl).replace("10, 10, 50, 40", "x, 10, 50, 40"))
        << MapFile::Error::BadCoords << 0 << false;
}

void tst_MapFile::openMapFile()
{
    QFETCH(QString, path);
    QFETCH(MapFile::Error, error);
    QFETCH(int, areas);
    QFETCH(bool, pageKind);
    const MapFile file = tavlo::openMapFile(path, extensionKey(path));
    QCOMPARE(file.error, error);
    QCOMPARE(file.map.areas.size(), areas);
    QCOMPARE(file.pageKind, pageKind);
    QCOMPARE(file.reason.isEmpty(),
             error != MapFile::Error::CouldNotRead && error != MapFile::Error::TagsMissing);
    if (error == MapFile::Error::None)
        QCOMPARE(file.image, QString()); // images/logo.gif is not beside it
}

void tst_MapFile::savedMapOpensAsItWasWritten()
{
    const QByteArray page = golden("page.top") + golden("logo.tavl") + golden("page.bot");
    const MapFile opened = tavlo::openMapFile(write("in.html", page), u"html");
    QList<QByteArray> records;
    for (const ReadArea& area : opened.map.areas)
        records.append(area.shape.record);
    const ImageMarkup image = imageMarkup("logo.gif", 120, 60);
    for (SaveKind kind : {SaveKind::Tavl, SaveKind::OriginalPage}) {
        const QString path = m_dir.filePath(QStringLiteral("out%1.html").arg(int(kind)));
        QCOMPARE(saveMap(kind, path, image, records, &opened.page), QString());
        const MapFile again = tavlo::openMapFile(path, u"html");
        QCOMPARE(again.error, MapFile::Error::None);
        QCOMPARE(again.map.areas.size(), records.size());
        for (qsizetype i = 0; i < records.size(); ++i)
            QCOMPARE(again.map.areas[i].shape.record, records[i]);
        QCOMPARE(again.page.htmlTop(),
                 kind == SaveKind::Tavl ? QByteArray() : opened.page.htmlTop());
    }
}

void tst_MapFile::saveFailureIsReported()
{
    const QString path = m_dir.filePath("no/such/folder/map.tavl");
    QVERIFY(!saveMap(SaveKind::Tavl, path, imageMarkup("logo.gif", 1, 1), {"<AREA"}).isEmpty());
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(tst_MapFile)
#include "tst_mapfile.moc"
