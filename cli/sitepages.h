#pragma once

#include <QString>
#include <QStringList>

namespace tavlo {

// The pages and map files under folder, at any depth, named folder/sub/page.htm, in
// a stable order (by name, a folder's files before its subfolders'). Symbolic links
// are followed only where they stay inside folder; hidden files and folders are left out.
QStringList pagesUnder(const QString& folder);

} // namespace tavlo
