#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace tavlo {

// Image maps in pages that Tavlo did not write, read as a browser reads them.
// Offsets are byte offsets into the file as read; lines and columns count from 1.

struct SourceSpan {
    qsizetype offset = 0; // first byte
    qsizetype length = 0; // bytes, up to and including the tag's closing ">"
    int line = 0;
    int column = 0;
};

enum class ForeignShape { Rect, Circle, Poly, Default };

// An attribute as the page holds it. value has character references decoded;
// bytes that are not valid UTF-8 are kept as they stand, never replaced.
struct ForeignAttribute {
    QByteArray name; // lower case, as the parser gives it
    QByteArray value;
};

struct ForeignArea {
    SourceSpan tag; // the <area> start tag
    ForeignShape shape = ForeignShape::Rect;
    QList<double> coords;           // the list of numbers, parsed as browsers parse it
    bool usable = true;             // false when a browser ignores the area (too few numbers)
    bool knownShape = true;         // false for a keyword browsers do not know: they take a rect
    std::optional<QByteArray> href; // each as written, when the tag has it
    std::optional<QByteArray> target;
    std::optional<QByteArray> alt;
    QList<ForeignAttribute> attributes; // every attribute of the tag, in order
};

struct ForeignMap {
    SourceSpan tag;           // the <map> start tag
    qsizetype end = 0;        // offset just after the map element's end tag (or its end)
    qsizetype contentEnd = 0; // offset of the end tag's "<" (end when there is none)
    QByteArray name;          // the name attribute (or id when name is absent)
    QList<ForeignArea> areas;
};

struct ForeignImage {
    SourceSpan tag; // the <img> start tag
    QByteArray src;
    QByteArray usemap;        // as written, "#" included
    std::optional<int> width; // a size in pixels; not "100%" or "auto"
    std::optional<int> height;
    std::optional<QByteArray> widthText; // the attributes as written
    std::optional<QByteArray> heightText;
    std::optional<QByteArray> alt;
    // The tag's width and height where they are sizes above 0.
    std::optional<int> tagWidth() const { return width > 0 ? width : std::nullopt; }
    std::optional<int> tagHeight() const { return height > 0 ? height : std::nullopt; }
};

// Whether an attribute is there and says something.
inline bool hasText(const std::optional<QByteArray>& value)
{
    return value && !value->isEmpty();
}

struct ForeignPage {
    QList<ForeignImage> images; // every <img usemap>, in page order
    QList<ForeignMap> maps;     // every <map>, in page order
};

// Reads any HTML page, as bytes, with a real HTML5 parser.
ForeignPage readForeignPage(const QByteArray& page);

// The HTML rules for parsing a list of floating-point numbers, as browsers apply them
// to coords: blanks, commas and semicolons separate; leading garbage is skipped; a
// number that does not parse counts as 0.
QList<double> parseNumberList(QByteArrayView text);

// The map a usemap value names: the text after its first "#", or "" when it has none.
QByteArray hashName(const QByteArray& usemap);

// The first map of that name (name, else id, compared exactly), or nullptr.
const ForeignMap* findMap(const ForeignPage& page, const QByteArray& name);

// The same, for many look-ups: the names are gathered once, so that a page of many
// maps and pictures is read in time linear in its size. Holds pointers into page.
class MapNames {
public:
    explicit MapNames(const ForeignPage& page);
    const ForeignMap* find(const QByteArray& name) const;

private:
    QHash<QByteArray, const ForeignMap*> m_first;
};

// Where a picture's size comes from when its file cannot be read, for the user: the
// <img> tag's width and height, the areas' extent, or both.
QString sizeTakenFrom(const ForeignImage& image);

// Whether bytes are surely no HTML page: a picture, an archive, a program, or NUL bytes
// near the start (a page in UTF-16 with its byte order mark is still a page).
bool notAPage(QByteArrayView bytes);

} // namespace tavlo
