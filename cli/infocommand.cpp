#include "cli/cliio.h"
#include "cli/commands.h"
#include "tavlofile/imageinfo.h"

#include <QImageReader>

namespace tavlo {

namespace {

QString kindName(std::uint8_t kind)
{
    switch (kind) {
    case Png:
        return QStringLiteral("PNG");
    case Gif:
        return QStringLiteral("GIF");
    case Jpeg:
        return QStringLiteral("JPEG");
    case Bmp:
        return QStringLiteral("BMP");
    default:
        return {};
    }
}

} // namespace

int runInfo(const QStringList& args, QIODevice& out, QIODevice& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kind, width and height of pictures."));
    parser.addPositionalArgument(QStringLiteral("PICTURE"), QStringLiteral("the pictures"),
                                 QStringLiteral("PICTURE..."));
    if (const std::optional<int> done = parseCommandLine(
            parser, QStringLiteral("info"), QStringLiteral("PICTURE..."), args, out, err))
        return *done;
    if (parser.positionalArguments().isEmpty())
        return usageError(err, QStringLiteral("info"), QStringLiteral("no picture named"));
    int status = exitDone;
    for (const QString& file : parser.positionalArguments()) {
        const std::optional<QByteArray> bytes = readInput(file, err);
        if (!bytes) {
            status = exitTrouble;
            continue;
        }
        const ImageInfo info = readImageInfo(QByteArrayView(*bytes));
        if (info.kind != UnknownKind) {
            writeLine(out, QStringLiteral("%1: %2, %3 x %4")
                               .arg(file, kindName(info.kind))
                               .arg(info.width)
                               .arg(info.height));
            continue;
        }
        // The header gave no size: ask the decoder, which knows more kinds.
        QImageReader reader(file);
        const QSize size = reader.size();
        if (!reader.canRead() || !size.isValid()) {
            status = complain(err, file, QStringLiteral("not a picture tavlo-map can read"));
            continue;
        }
        writeLine(out, QStringLiteral("%1: %2, %3 x %4 (from the decoder)")
                           .arg(file, QString::fromLatin1(reader.format().toUpper()))
                           .arg(size.width())
                           .arg(size.height()));
    }
    return status;
}

} // namespace tavlo
