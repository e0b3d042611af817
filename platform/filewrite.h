#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tavlo {

// The steps of a write, in order; each one's failure is reported, never passed over.
enum class WriteStep { Open, Write, Sync, Close, Rename };

struct [[nodiscard]] WriteResult {
    QString error; // why the write failed, for the user; "" when every byte is on disk
    bool ok() const { return error.isEmpty(); }
};

// Writes bytes to path whole or not at all. A regular file (or a new one) is written to
// a temporary file beside it, synced, given the old file's permissions, owner and group
// where it had them, and renamed over it: until the rename the old bytes stay, and a
// failed write leaves no temporary file behind. A symbolic link stays a link: the file
// it names is replaced. A device, pipe or socket, or a name under /dev or /proc, is
// written through as a shell redirection would, never replaced.
WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes);

// Makes every following write fail at step with the error number given (ENOSPC, EIO...),
// as a full or failing disk would; std::nullopt lets writes succeed again.
void simulateWriteFailure(std::optional<WriteStep> step, int error = 28 /* ENOSPC */);

} // namespace tavlo
