#pragma once

#include "map/area.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace tavlo {

// Texts every map block carries. The reader and the page splitter look for exactly
// these, and files written by every release must open again: never change them.
extern const QByteArray crlf;
extern const QByteArray startMarker;
extern const QByteArray endMarker; // 49 characters; pages are cut 49 after its start
extern const QByteArray creditComment;
extern const QByteArray savedImageFolder; // "images/"
extern const QByteArray pageHead;
extern const QByteArray pageTail;

// A file or folder name as an image tag's src carries it: "#", "%" and "?" as %23, %25
// and %3F, which a browser would otherwise take for a fragment, an escape or a query.
// Every other byte is kept.
QByteArray srcEncoded(QByteArrayView name);

// The two pieces of markup that depend only on the picture.
struct ImageMarkup {
    QByteArray imgTag; // the image tag from the file name on
    QByteArray mapTag; // the credit comment, CR LF, and the opening MAP tag
};

// The map name: the file name without its last four characters, whatever they are.
QByteArray mapNameOf(const QByteArray& fname);
// fname goes into the tag through srcEncoded; the map name keeps its bytes.
ImageMarkup imageMarkup(const QByteArray& fname, int width, int height);

// The block from start marker to end marker, lines joined by CR LF, with no line
// break after the last. folder goes in front of the file name in the image tag.
QByteArray mapBlock(const QByteArray& folder, const ImageMarkup& image,
                    const QList<QByteArray>& areaList);

// The block of the preview page: the picture addressed by the file URL of imgPath, its
// folder and file name percent-encoded, so that blanks, "#" or "%" in them cannot lose
// it in the browser.
QByteArray previewMapBlock(const QString& imgPath, const ImageMarkup& image,
                           const QList<QByteArray>& areaList);

// The targets of mnuFileSave2File, by menu index.
enum class SaveKind { Tavl = 0, Html = 1, Text = 2, OriginalPage = 3 };

// The bytes a save writes to its file, final line break included. htmlTop and
// htmlBot are the opened page around its map; only OriginalPage uses them.
QByteArray fileText(SaveKind kind, const QByteArray& block, const QByteArray& htmlTop = {},
                    const QByteArray& htmlBot = {});

// A page around the block: the page head, the block, a line break, the page tail.
QByteArray htmlPageText(const QByteArray& block);

} // namespace tavlo
