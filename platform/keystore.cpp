#include "platform/keystore.h"

#include "platform/filewrite.h"
#include "platform/userhome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace tavlo {

namespace {

// The file, one section per root, one line per key:
//
//   [HKEY_CLASSES_ROOT]
//   Tavlo=Client-side image map
//   Tavlo\shell
//
// A line without "=" is a key with no value. Key paths are written as they are (they
// cannot hold "=" or line breaks); in values "\" , CR and LF are escaped as \\, \r, \n.

struct Entry {
    QString name; // as first given, parents' case kept
    std::optional<QString> value;
};

// By case-folded path, so that lookups ignore case and a key's subkeys sort right
// after the key followed by "\".
using Keys = std::map<QString, Entry>;
using Tree = std::array<Keys, 2>;

constexpr std::array<const char*, 2> rootNames = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER"};

Keys& keysOf(Tree& tree, RegRoot root)
{
    return tree[root == RegRoot::ClassesRoot ? 0 : 1];
}
const Keys& keysOf(const Tree& tree, RegRoot root)
{
    return tree[root == RegRoot::ClassesRoot ? 0 : 1];
}

QString fold(const QString& key)
{
    return key.toCaseFolded();
}

bool isValidKey(const QString& key)
{
    if (key.isEmpty() || key.startsWith(u'['))
        return false;
    for (const QChar c : key) {
        if (c == u'=' || c.unicode() < 0x20)
            return false;
    }
    const QStringList parts = key.split(u'\\');
    return std::none_of(parts.begin(), parts.end(), [](const QString& p) { return p.isEmpty(); });
}

QString escapeValue(QString value)
{
    value.replace(u'\\', QLatin1String("\\\\"));
    value.replace(u'\n', QLatin1String("\\n"));
    value.replace(u'\r', QLatin1String("\\r"));
    return value;
}

QString unescapeValue(const QString& text)
{
    QString value;
    value.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' || i + 1 == text.size()) {
            value += c;
            continue;
        }
        const QChar next = text[++i];
        if (next == u'n')
            value += u'\n';
        else if (next == u'r')
            value += u'\r';
        else if (next == u'\\')
            value += u'\\';
        else
            value += QStringView(text).mid(i - 1, 2);
    }
    return value;
}

// Finds or makes the key and every missing parent; a new key takes its parent's case.
Entry& insertKey(Keys& keys, const QString& key)
{
    const QStringList parts = key.split(u'\\');
    QString path;
    Entry* entry = nullptr;
    for (const QString& part : parts) {
        const QString parentName = entry ? entry->name + u'\\' : QString();
        path = path.isEmpty() ? part : path + u'\\' + part;
        auto [it, inserted] = keys.try_emplace(fold(path), Entry{parentName + part, std::nullopt});
        entry = &it->second;
    }
    return *entry;
}

bool hasSubkeys(const Keys& keys, const QString& foldedKey)
{
    const QString prefix = foldedKey + u'\\';
    const auto it = keys.lower_bound(prefix);
    return it != keys.end() && it->first.startsWith(prefix);
}

// An unreadable or garbled file reads as empty, or as what could be made of it.
Tree readTree(const QString& path)
{
    Tree tree;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return tree;
    Keys* section = nullptr;
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (line.startsWith('[')) {
            section = nullptr;
            for (std::size_t i = 0; i < rootNames.size(); ++i) {
                if (line == QByteArray("[") + rootNames[i] + ']')
                    section = &tree[i];
            }
            continue;
        }
        if (!section)
            continue;
        const qsizetype eq = line.indexOf('=');
        const QString name = QString::fromUtf8(eq < 0 ? line : line.left(eq));
        if (!isValidKey(name))
            continue;
        Entry& entry = insertKey(*section, name);
        if (eq >= 0)
            entry.value = unescapeValue(QString::fromUtf8(line.mid(eq + 1)));
    }
    return tree;
}

bool writeTree(const QString& path, const Tree& tree)
{
    QByteArray text;
    for (std::size_t i = 0; i < rootNames.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += QByteArray("[") + rootNames[i] + "]\n";
        for (const auto& [folded, entry] : tree[i]) {
            text += entry.name.toUtf8();
            if (entry.value)
                text += '=' + escapeValue(*entry.value).toUtf8();
            text += '\n';
        }
    }
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return writeFileAtomically(path, text).ok();
}

} // namespace

KeyStore::KeyStore(QString path)
    : m_path(std::move(path))
{}

QString KeyStore::defaultPath()
{
    if (!hasHomeFolder())
        return {};
    // The program names itself "tavlo" with no organisation, which makes its config
    // folder ~/.config/tavlo; anything else (a test, a tool) gets the same folder.
    if (QCoreApplication::organizationName().isEmpty() &&
        QCoreApplication::applicationName() == QLatin1String("tavlo"))
        return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
               QLatin1String("/registry.ini");
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1String("/tavlo/registry.ini");
}

bool KeyStore::createKey(RegRoot root, const QString& key)
{
    if (!isValidKey(key))
        return false;
    Tree tree = readTree(m_path);
    Keys& keys = keysOf(tree, root);
    if (keys.count(fold(key)))
        return true;
    insertKey(keys, key);
    return writeTree(m_path, tree);
}

bool KeyStore::setDefaultValue(RegRoot root, const QString& key, const QString& value)
{
    if (!isValidKey(key))
        return false;
    Tree tree = readTree(m_path);
    Entry& entry = insertKey(keysOf(tree, root), key);
    if (entry.value == value)
        return true;
    entry.value = value;
    return writeTree(m_path, tree);
}

bool KeyStore::keyExists(RegRoot root, const QString& key) const
{
    const Tree tree = readTree(m_path);
    return keysOf(tree, root).count(fold(key)) > 0;
}

bool KeyStore::deleteKey(RegRoot root, const QString& key)
{
    Tree tree = readTree(m_path);
    Keys& keys = keysOf(tree, root);
    const QString folded = fold(key);
    const auto it = keys.find(folded);
    if (it == keys.end() || hasSubkeys(keys, folded))
        return false;
    keys.erase(it);
    return writeTree(m_path, tree);
}

} // namespace tavlo
