#include "cli/commands.h"

namespace tavlo {

int runExport(const QStringList& args, QIODevice& out, QIODevice& err)
{
    Q_UNUSED(args);
    Q_UNUSED(out);
    err.write("tavlo-map: export: not built yet\n");
    return 2;
}

} // namespace tavlo
