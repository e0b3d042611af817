#include "session/cleanup.h"

#include "platform/association.h"

namespace tavlo {

namespace {

QString keyName(const TavloKey& key)
{
    const QLatin1String root(key.root == RegRoot::ClassesRoot ? "HKEY_CLASSES_ROOT"
                                                              : "HKEY_CURRENT_USER");
    return root + u'\\' + key.path.toString();
}

} // namespace

CleanupResult clearTavloEntries(KeyStore& store, const AssociationFolders& folders)
{
    for (const TavloKey& key : tavloKeys)
        store.deleteKey(key.root, key.path.toString());

    // Judged by what is left rather than by the deletions: a key that was never there
    // (the per-user key, or every key on a second clean-up) is as gone as a deleted one.
    CleanupResult result;
    for (const TavloKey& key : tavloKeys) {
        if (store.keyExists(key.root, key.path.toString()))
            result.notRemoved << keyName(key);
    }
    result.notRemoved << removeAssociationFiles(folders);
    return result;
}

} // namespace tavlo
