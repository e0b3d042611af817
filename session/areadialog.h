#pragma once

#include <QByteArray>

namespace tavlo {

// The answer frmHREF leaves in tmpHREF.
extern const QByteArray deleteAnswer; // "z_DELETE_z"

// Asks for one area's link, target and alt text. The window shows it as frmHREF;
// tests answer at once.
class AreaDialog {
public:
    virtual ~AreaDialog() = default;
    // Pre-fills from curHREF, curT and curAlt and returns tmpHREF: "" for Cancel (and
    // for any close that is not a button), deleteAnswer for Delete, otherwise the
    // record tail, escaped. Enter also updates curHREF, curT and curAlt as typed.
    virtual QByteArray run(QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt) = 0;
};

} // namespace tavlo
