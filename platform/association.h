#pragma once

#include <QString>
#include <QStringList>

namespace tavlo {

class KeyStore;

// Where the freedesktop files of the .tavl association live.
struct AssociationFolders {
    QString dataDir;   // GenericDataLocation: mime/packages/, applications/
    QString configDir; // GenericConfigLocation: mimeapps.list
    // Empty when the user has no home folder: then no file is written.
    static AssociationFolders standard();
};

// Writes the three association keys and the freedesktop files that make them take
// effect. Failures are ignored, as at every start.
void regAssoc(KeyStore& store, const QString& programPath, const AssociationFolders& folders);

// Removes the freedesktop files again (our own line only, in mimeapps.list). Returns
// the files or entries that could not be removed; empty when none is left.
QStringList removeAssociationFiles(const AssociationFolders& folders);

} // namespace tavlo
