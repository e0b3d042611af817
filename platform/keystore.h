#pragma once

#include <QString>

namespace tavlo {

enum class RegRoot { ClassesRoot, CurrentUser };

// The program's stand-in for the registry: keys with one default text value each,
// kept in one text file under the user's config folder and rewritten atomically.
// Like the registry, creating a key creates its parents, and a key that still has
// subkeys cannot be deleted. Key paths use "\" and ignore case; they keep the case
// they were first created with. A key path may not hold "=" or control characters.
class KeyStore {
public:
    // path: the store's file; defaultPath() in the program.
    explicit KeyStore(QString path = defaultPath());
    static QString defaultPath();

    QString path() const { return m_path; }

    bool createKey(RegRoot root, const QString& key);
    // Creates the key (and its parents) when it is missing.
    bool setDefaultValue(RegRoot root, const QString& key, const QString& value);
    bool keyExists(RegRoot root, const QString& key) const;
    // False when the key is absent, still has subkeys, or the file cannot be written.
    bool deleteKey(RegRoot root, const QString& key);

private:
    QString m_path;
};

} // namespace tavlo
