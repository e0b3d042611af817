#pragma once

#include <QByteArray>

namespace tavlo {

// What the area dialog answers: Enter with the record tail it left in tmpHREF
// (escaped), Cancel (and any close that is not a button), or Delete.
struct AreaAnswer {
    enum class Choice { Enter, Cancel, Delete };
    Choice choice = Choice::Cancel;
    QByteArray tmpHREF; // with Enter only
};

// Asks for one area's link, target and alt text. The window shows it as frmHREF;
// tests answer at once.
class AreaDialog {
public:
    virtual ~AreaDialog() = default;
    // Pre-fills from curHREF, curT and curAlt. Enter also updates them as typed.
    virtual AreaAnswer run(QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt) = 0;
};

} // namespace tavlo
