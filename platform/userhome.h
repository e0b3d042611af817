#pragma once

#include <QByteArray>

#include <functional>

namespace tavlo {

// The user's home folder: homeVariable ($HOME) when set, else what the password database
// says (passwordHome); "" when neither names one.
QByteArray userHome(const QByteArray& homeVariable,
                    const std::function<QByteArray()>& passwordHome);

// Sets HOME from the password database when it is unset, before anything asks Qt for a
// folder (Qt would take "/" and put the user's files at the root). False when there is
// no home folder at all.
bool settleHome();

// Whether the user has a home folder, so that per-user files may be written.
bool hasHomeFolder();

} // namespace tavlo
