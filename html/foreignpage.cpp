#include "html/foreignpage.h"

#include <gumbo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace tavlo {

namespace {

bool isHtmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

bool isDelimiter(char c)
{
    return isHtmlSpace(c) || c == ',' || c == ';';
}

bool isNumberStart(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == '-';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The longest prefix of text that is a decimal number ("-1.5e3"), as a double; 0 when
// there is none. Numbers too large for a double become infinite.
double leadingNumber(QByteArrayView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text[i] == '-')
        ++i;
    const qsizetype intStart = i;
    while (i < n && isDigit(text[i]))
        ++i;
    bool digits = i > intStart;
    if (i < n && text[i] == '.') {
        const qsizetype fracStart = i + 1;
        qsizetype j = fracStart;
        while (j < n && isDigit(text[j]))
            ++j;
        if (j > fracStart || digits) {
            digits = digits || j > fracStart;
            i = j;
        }
    }
    if (!digits)
        return 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        const qsizetype expStart = j;
        while (j < n && isDigit(text[j]))
            ++j;
        if (j > expStart)
            i = j;
    }
    // strtod needs a terminated string; numbers are short, the copy is cheap.
    const std::string s(text.data(), static_cast<std::size_t>(i));
    return std::strtod(s.c_str(), nullptr);
}

bool validUtf8(QByteArrayView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = 0;
        unsigned int min = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            min = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        unsigned int cp = c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

// Bytes that are not UTF-8 stand in the value gumbo sees as private-use characters of
// their own, and come back as themselves afterwards.
constexpr char32_t byteStandIn = 0x10FE00;

void appendUtf8(QByteArray& out, char32_t cp)
{
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
}

QByteArray withStandIns(QByteArrayView raw)
{
    QByteArray out;
    qsizetype i = 0;
    while (i < raw.size()) {
        // The longest valid sequence that starts here, else one byte stood in for.
        qsizetype len = 1;
        const auto c = static_cast<unsigned char>(raw[i]);
        if (c >= 0x80)
            len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (len > 0 && i + len <= raw.size() && validUtf8(raw.sliced(i, len))) {
            out += raw.sliced(i, len);
            i += len;
        } else {
            appendUtf8(out, byteStandIn + c);
            ++i;
        }
    }
    return out;
}

QByteArray withoutStandIns(QByteArrayView value)
{
    QByteArray out;
    out.reserve(value.size());
    qsizetype i = 0;
    while (i < value.size()) {
        if (i + 4 <= value.size() && static_cast<unsigned char>(value[i]) == 0xF4 &&
            static_cast<unsigned char>(value[i + 1]) == 0x8F &&
            (static_cast<unsigned char>(value[i + 2]) & 0xFC) == 0xB8) {
            const char32_t cp = ((static_cast<unsigned char>(value[i]) & 0x07u) << 18) |
                                ((static_cast<unsigned char>(value[i + 1]) & 0x3Fu) << 12) |
                                ((static_cast<unsigned char>(value[i + 2]) & 0x3Fu) << 6) |
                                (static_cast<unsigned char>(value[i + 3]) & 0x3Fu);
            if (cp >= byteStandIn && cp < byteStandIn + 0x100) {
                out += static_cast<char>(cp - byteStandIn);
                i += 4;
                continue;
            }
        }
        out += value[i];
        ++i;
    }
    return out;
}

GumboOptions parserOptions()
{
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0; // errors are not reported; recording them costs time
    return options;
}

struct GumboDeleter {
    void operator()(GumboOutput* output) const
    {
        const GumboOptions options = parserOptions();
        gumbo_destroy_output(&options, output);
    }
};
using GumboTree = std::unique_ptr<GumboOutput, GumboDeleter>;

GumboTree parse(QByteArrayView text)
{
    const GumboOptions options = parserOptions();
    return GumboTree(
        gumbo_parse_with_options(&options, text.data(), static_cast<std::size_t>(text.size())));
}

// The value of an attribute whose original text is not UTF-8: gumbo would put U+FFFD
// in place of those bytes, so the value is decoded once more with the bytes stood in.
QByteArray decodedValue(const GumboAttribute* attr)
{
    const QByteArray value(attr->value);
    const QByteArrayView raw(attr->original_value.data,
                             static_cast<qsizetype>(attr->original_value.length));
    if (!value.contains("\xEF\xBF\xBD") || validUtf8(raw))
        return value;
    const QByteArray probe = "<a x=" + withStandIns(raw) + ">";
    const GumboTree tree = parse(probe);
    // html > body > a
    const GumboNode* node = tree->root;
    for (const GumboTag tag : {GUMBO_TAG_BODY, GUMBO_TAG_A}) {
        const GumboVector& children = node->v.element.children;
        const GumboNode* next = nullptr;
        for (unsigned int i = 0; i < children.length && !next; ++i) {
            const auto* child = static_cast<const GumboNode*>(children.data[i]);
            if (child->type == GUMBO_NODE_ELEMENT && child->v.element.tag == tag)
                next = child;
        }
        if (!next)
            return value;
        node = next;
    }
    const GumboAttribute* again = gumbo_get_attribute(&node->v.element.attributes, "x");
    return again ? withoutStandIns(again->value) : value;
}

// Lines and columns of every span, counted in one pass over the page: the parser may
// move tags (a table's misplaced content goes before the table), so they are sorted.
void placeSpans(QByteArrayView text, std::vector<SourceSpan*>& spans)
{
    std::sort(spans.begin(), spans.end(),
              [](const SourceSpan* a, const SourceSpan* b) { return a->offset < b->offset; });
    qsizetype at = 0;
    int line = 1;
    qsizetype lineStart = 0;
    for (SourceSpan* span : spans) {
        const qsizetype to = std::clamp<qsizetype>(span->offset, 0, text.size());
        for (; at < to; ++at) {
            if (text[at] == '\n') {
                ++line;
                lineStart = at + 1;
            }
        }
        span->line = line;
        span->column = static_cast<int>(std::min<qsizetype>(to - lineStart + 1, INT32_MAX));
    }
}

SourceSpan spanOf(const GumboElement& element, const char* base)
{
    SourceSpan span;
    span.offset = element.original_tag.data - base;
    span.length = static_cast<qsizetype>(element.original_tag.length);
    return span;
}

// A size in pixels: a non-negative whole number at the start of a dimension value,
// blanks skipped, not followed by "%" (browsers read the rest as they read "10px").
std::optional<int> dimension(const QByteArray& value)
{
    qsizetype i = 0;
    while (i < value.size() && isHtmlSpace(value[i]))
        ++i;
    const qsizetype start = i;
    qint64 v = 0;
    while (i < value.size() && isDigit(value[i]) && v <= INT32_MAX) {
        v = v * 10 + (value[i] - '0');
        ++i;
    }
    if (i == start || v > INT32_MAX)
        return std::nullopt;
    while (i < value.size() && (isDigit(value[i]) || value[i] == '.'))
        ++i;
    if (i < value.size() && value[i] == '%')
        return std::nullopt;
    return static_cast<int>(v);
}

// The shape a keyword names; none for a keyword browsers do not know.
std::optional<ForeignShape> shapeOf(const QByteArray& keyword)
{
    const QByteArray k = keyword.toLower();
    if (k == "rect" || k == "rectangle")
        return ForeignShape::Rect;
    if (k == "circle" || k == "circ")
        return ForeignShape::Circle;
    if (k == "poly" || k == "polygon")
        return ForeignShape::Poly;
    if (k == "default")
        return ForeignShape::Default;
    return std::nullopt;
}

// Whether a browser uses the area: enough numbers for its shape, a radius not below 0.
// A shape keyword browsers do not know counts as a rectangle, as the HTML rules say.
bool usableArea(const ForeignArea& area)
{
    switch (area.shape) {
    case ForeignShape::Rect:
        return area.coords.size() >= 4;
    case ForeignShape::Circle:
        return area.coords.size() >= 3 && area.coords[2] >= 0;
    case ForeignShape::Poly:
        return area.coords.size() >= 6;
    case ForeignShape::Default:
        return true;
    }
    return false;
}

class Reader {
public:
    explicit Reader(const QByteArray& page)
        : m_page(page)
    {}

    ForeignPage read()
    {
        const GumboTree tree = parse(m_page);
        // Depth first, in document order, without recursion: pages nest deeply.
        std::vector<std::pair<const GumboNode*, int>> stack; // node, index of its map or -1
        stack.emplace_back(tree->root, -1);
        while (!stack.empty()) {
            const auto [node, mapIndex] = stack.back();
            stack.pop_back();
            if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE)
                continue;
            const GumboElement& element = node->v.element;
            int childMap = mapIndex;
            if (element.tag_namespace == GUMBO_NAMESPACE_HTML && element.original_tag.length > 0) {
                if (element.tag == GUMBO_TAG_IMG)
                    readImage(element);
                else if (element.tag == GUMBO_TAG_MAP)
                    childMap = readMap(element);
                else if (element.tag == GUMBO_TAG_AREA && mapIndex >= 0)
                    readArea(element, m_result.maps[mapIndex]);
            }
            for (unsigned int i = element.children.length; i > 0; --i)
                stack.emplace_back(static_cast<const GumboNode*>(element.children.data[i - 1]),
                                   childMap);
        }
        std::vector<SourceSpan*> spans;
        for (ForeignImage& img : m_result.images)
            spans.push_back(&img.tag);
        for (ForeignMap& map : m_result.maps) {
            spans.push_back(&map.tag);
            for (ForeignArea& area : map.areas)
                spans.push_back(&area.tag);
        }
        placeSpans(m_page, spans);
        return std::move(m_result);
    }

private:
    SourceSpan placed(const GumboElement& element) { return spanOf(element, m_page.constData()); }

    void readImage(const GumboElement& element)
    {
        const GumboAttribute* usemap = gumbo_get_attribute(&element.attributes, "usemap");
        if (!usemap)
            return;
        ForeignImage image;
        image.tag = placed(element);
        image.usemap = decodedValue(usemap);
        for (unsigned int i = 0; i < element.attributes.length; ++i) {
            const auto* attr = static_cast<const GumboAttribute*>(element.attributes.data[i]);
            const QByteArrayView name(attr->name);
            if (name == "src")
                image.src = decodedValue(attr);
            else if (name == "width") {
                image.widthText = decodedValue(attr);
                image.width = dimension(attr->value);
            } else if (name == "height") {
                image.heightText = decodedValue(attr);
                image.height = dimension(attr->value);
            } else if (name == "alt") {
                image.alt = decodedValue(attr);
            }
        }
        m_result.images.append(image);
    }

    int readMap(const GumboElement& element)
    {
        ForeignMap map;
        map.tag = placed(element);
        const GumboAttribute* name = gumbo_get_attribute(&element.attributes, "name");
        if (!name)
            name = gumbo_get_attribute(&element.attributes, "id");
        if (name)
            map.name = decodedValue(name);
        if (element.original_end_tag.length > 0) {
            map.contentEnd = element.original_end_tag.data - m_page.constData();
            map.end = map.contentEnd + static_cast<qsizetype>(element.original_end_tag.length);
        } else {
            // Closed by what follows it, or by the end of the page.
            map.contentEnd = std::clamp<qsizetype>(element.end_pos.offset,
                                                   map.tag.offset + map.tag.length, m_page.size());
            map.end = map.contentEnd;
        }
        m_result.maps.append(map);
        return static_cast<int>(m_result.maps.size() - 1);
    }

    void readArea(const GumboElement& element, ForeignMap& map)
    {
        ForeignArea area;
        area.tag = placed(element);
        area.attributes.reserve(element.attributes.length);
        QByteArray shape = "rect";
        for (unsigned int i = 0; i < element.attributes.length; ++i) {
            const auto* attr = static_cast<const GumboAttribute*>(element.attributes.data[i]);
            ForeignAttribute a{QByteArray(attr->name), decodedValue(attr)};
            const QByteArrayView name(attr->name);
            if (name == "shape")
                shape = a.value;
            else if (name == "coords")
                area.coords = parseNumberList(a.value);
            else if (name == "href")
                area.href = a.value;
            else if (name == "target")
                area.target = a.value;
            else if (name == "alt")
                area.alt = a.value;
            area.attributes.append(std::move(a));
        }
        const std::optional<ForeignShape> named = shapeOf(shape);
        area.shape = named.value_or(ForeignShape::Rect);
        area.knownShape = named.has_value();
        area.usable = usableArea(area);
        // A map closed by what follows it ends where the parser says, which can lie
        // before an area the parser still put in it: the map reaches over its areas.
        const qsizetype areaEnd = area.tag.offset + area.tag.length;
        if (map.contentEnd == map.end && areaEnd > map.end)
            map.contentEnd = map.end = areaEnd;
        map.areas.append(std::move(area));
    }

    const QByteArray& m_page;
    ForeignPage m_result;
};

} // namespace

QList<double> parseNumberList(QByteArrayView text)
{
    QList<double> numbers;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isDelimiter(text[i]))
        ++i;
    while (i < n) {
        while (i < n && !isDelimiter(text[i]) && !isNumberStart(text[i]))
            ++i;
        qsizetype end = i;
        while (end < n && !isDelimiter(text[end]))
            ++end;
        numbers.append(leadingNumber(text.sliced(i, end - i)));
        i = end;
        while (i < n && isDelimiter(text[i]))
            ++i;
    }
    return numbers;
}

QByteArray hashName(const QByteArray& usemap)
{
    const qsizetype hash = usemap.indexOf('#');
    return hash < 0 ? QByteArray() : usemap.mid(hash + 1);
}

const ForeignMap* findMap(const ForeignPage& page, const QByteArray& name)
{
    if (name.isEmpty())
        return nullptr;
    for (const ForeignMap& map : page.maps) {
        if (map.name == name)
            return &map;
    }
    return nullptr;
}

MapNames::MapNames(const ForeignPage& page)
{
    m_first.reserve(page.maps.size());
    for (const ForeignMap& map : page.maps) {
        if (!map.name.isEmpty() && !m_first.contains(map.name))
            m_first.insert(map.name, &map);
    }
}

const ForeignMap* MapNames::find(const QByteArray& name) const
{
    return name.isEmpty() ? nullptr : m_first.value(name, nullptr);
}

QString sizeTakenFrom(const ForeignImage& image)
{
    const bool tagWidth = image.tagWidth().has_value();
    const bool tagHeight = image.tagHeight().has_value();
    return tagWidth && tagHeight   ? QStringLiteral("the <img> tag")
           : tagWidth || tagHeight ? QStringLiteral("the <img> tag and the areas' extent")
                                   : QStringLiteral("the areas' extent");
}

bool notAPage(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return false;
    static constexpr QByteArrayView signatures[] = {
        "\x89PNG\r\n\x1A\n",
        "GIF87a",
        "GIF89a",
        "\xFF\xD8\xFF",
        "%PDF-",
        "PK\x03\x04",
        "\x1F\x8B",
        "\x7F"
        "ELF",
        "BZh91AY",
    };
    for (const QByteArrayView s : signatures) {
        if (bytes.startsWith(s))
            return true;
    }
    // Pages may hold any other byte; text never holds NUL.
    return bytes.first(std::min<qsizetype>(bytes.size(), 8192)).contains('\0');
}

ForeignPage readForeignPage(const QByteArray& page)
{
    return Reader(page).read();
}

} // namespace tavlo
