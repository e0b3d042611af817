#pragma once

#include <QByteArray>
#include <QString>

namespace tavlo {

// Where the picture of an <img src> lies on this machine, found relative to the page
// as a browser would: the query and fragment dropped, %-escapes decoded. "" for a src
// that names no local file (another site, a data: URL, an empty value). A src that
// starts with "/" starts from siteRoot when one is given, as on the web server.
QString picturePath(const QByteArray& src, const QString& pageFile, const QString& siteRoot = {});

} // namespace tavlo
