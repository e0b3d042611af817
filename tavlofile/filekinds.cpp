#include "tavlofile/filekinds.h"

#include <QLatin1StringView>
#include <QString>

#include <algorithm>

namespace tavlo {

namespace {

using namespace Qt::Literals::StringLiterals;

// One extension key and what it is.
struct FileKindEntry {
    QLatin1StringView key;
    FileKind kind;
    bool editorOpens; // false: a kind the size reader knows that the editor refuses
};

// One entry a line, as a reader looks them up.
// clang-format off
constexpr FileKindEntry table[] = {
    {"html"_L1, FileKind::Text, true}, // .html and .shtml
    {".htm"_L1, FileKind::Text, true},
    {".asp"_L1, FileKind::Text, true},
    {".txt"_L1, FileKind::Text, true},
    {"tavl"_L1, FileKind::Text, true},
    {".jpg"_L1, FileKind::Image, true},
    {".gif"_L1, FileKind::Image, true},
    {"jpeg"_L1, FileKind::Image, false},
    {".png"_L1, FileKind::Image, false},
    {".bmp"_L1, FileKind::Image, false},
};
// clang-format on

} // namespace

FileKind editorKind(QStringView key)
{
    for (const FileKindEntry& entry : table) {
        if (entry.editorOpens && entry.key == key)
            return entry.kind;
    }
    return FileKind::Refused;
}

bool isPageName(QStringView fileName)
{
    const QString key = fileName.right(4).toString().toLower();
    return key != ".txt"_L1 && std::any_of(std::begin(table), std::end(table), [&](const auto& e) {
               return e.kind == FileKind::Text && e.key == key;
           });
}

} // namespace tavlo
