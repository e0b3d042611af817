#pragma once

#include "html/mapcheck.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace tavlo {

// One page of a check run: a file to read, or bytes already read (standard input).
struct PageJob {
    QString name; // as reported
    QString path; // where it is read and where its pictures are looked for from
    std::optional<QByteArray> bytes;
    QString trouble; // why it cannot be checked, known before it is read
};

struct PageOutcome {
    QList<Finding> findings;
    QString trouble; // why the page was not checked; "" when it was
};

// Checks jobs on every core and hands each outcome to done, on the calling thread, in
// the order of jobs. A page whose check has used timeout of processor time is given up
// as too complex; its worker cannot be stopped (the HTML parser has no way to be
// interrupted) and is left to finish while the others go on. Returns whether such a
// worker is still running: the caller must then end the process with _exit, after
// flushing its output, rather than return from main.
bool checkInParallel(const std::vector<PageJob>& jobs, const CheckSettings& settings,
                     std::chrono::milliseconds timeout,
                     const std::function<void(std::size_t, PageOutcome&&)>& done);

} // namespace tavlo
