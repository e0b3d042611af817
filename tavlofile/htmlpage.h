#pragma once

#include <QByteArray>
#include <QString>

namespace tavlo {

// One opened map file or page, cut at the marker comments around its map: the text
// before the start marker, the map section through the end marker, and the text
// after it. Bytes throughout: what lies outside the map is written back unchanged.
class ChtmlPage {
public:
    enum class Split {
        Done,
        NoStartMarker, // "There is no Tavlo File in ..."
        NoEndMarker,   // "TAVL has been altered, ..."
        // The end marker found is not the program's own whole marker (edited or cut
        // short); refused with the same note, so that no byte after it can be lost.
        EndMarkerAltered,
    };

    // Splits page, the text of the file fName. Only the first start marker and the
    // first end marker after it count.
    Split parsePage(const QByteArray& page, const QString& fName);

    const QByteArray& htmlTop() const { return m_htmlTop; }
    const QByteArray& htmlMap() const { return m_htmlMap; }
    const QByteArray& htmlBot() const { return m_htmlBot; }
    const QString& pageFile() const { return m_pageFile; }

    // The image the map names: the value of its `<img src="`, entities turned back,
    // as a path; "" when the tag or its closing quote is missing.
    QString imageSrc() const;
    // Where that image can be opened: the value itself when it is an absolute path
    // of a file that exists, else the page's folder followed by it when that exists;
    // failing both, the same for the value with its %-escapes decoded (the writer
    // encodes "#", "%" and "?"); "" when none exists (the window then asks the user).
    QString resolveImage() const;

private:
    QByteArray imageSrcBytes() const;

    QByteArray m_htmlTop;
    QByteArray m_htmlMap;
    QByteArray m_htmlBot;
    QString m_pageFile;
};

} // namespace tavlo
