#pragma once

#include "platform/keystore.h"

#include <QStringList>
#include <QStringView>

#include <array>

namespace tavlo {

struct AssociationFolders;

struct TavloKey {
    RegRoot root;
    QStringView path;
};

// Every key the program may leave in the key store, each after its subkeys: the store
// refuses to delete a key that still has some.
inline constexpr std::array<TavloKey, 7> tavloKeys = {{
    {RegRoot::ClassesRoot, u".tavl"},
    {RegRoot::ClassesRoot, u"Tavlo\\shell\\open\\command"},
    {RegRoot::ClassesRoot, u"Tavlo\\shell\\open"},
    {RegRoot::ClassesRoot, u"Tavlo\\shell"},
    {RegRoot::ClassesRoot, u"Tavlo"},
    {RegRoot::CurrentUser, u"Software\\Quillmore\\Tavlo\\User"},
    {RegRoot::CurrentUser, u"Software\\Quillmore\\Tavlo"},
}};

struct CleanupResult {
    // What is still there afterwards: keys as "HKEY_CLASSES_ROOT\.tavl", files by path.
    QStringList notRemoved;
    bool cleared() const { return notRemoved.isEmpty(); }
};

// Deletes tavloKeys in order, then the desktop's association files.
CleanupResult clearTavloEntries(KeyStore& store, const AssociationFolders& folders);

} // namespace tavlo
