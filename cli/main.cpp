// tavlo-map: checks, imports and writes back image maps from the command line.
#include "cli/cliio.h"
#include "cli/commands.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

using Command = int (*)(const QStringList&, QIODevice&, QIODevice&);

struct Entry {
    const char* name;
    Command run;
};

constexpr Entry commands[] = {
    {"check", tavlo::runCheck},   {"import", tavlo::runImport}, {"apply", tavlo::runApply},
    {"export", tavlo::runExport}, {"info", tavlo::runInfo},     {"codes", tavlo::runCodes},
};

const char* const helpText =
    R"(Usage: tavlo-map COMMAND [OPTION]... FILE...
Check, import and write back HTML client-side image maps.

Commands:
  check [OPTION]... FILE|DIR|-...     report what breaks the image maps of each
                                      page or Tavlo file, as FILE:LINE:COLUMN;
                                      a folder is walked for its pages
      --format text|json|sarif|github the form of the report (--json: json)
      --ignore CODE,...               leave out findings of these codes
      --error CODE,... / --warning CODE,...
                                      report these codes at that level
      --quiet                         report errors only
      --max-warnings N                fail when there are more warnings
      --files-from LIST               also check the files LIST names
      --root DIR                      where a src starting with / starts
      --timeout SECONDS               give up a page after SECONDS of processor
                                      time (10)
  import PAGE [--map NAME] [-o FILE.tavl]
                                      the page's map as a Tavlo map file
                                      (standard output without -o)
  apply FILE.tavl PAGE [--map NAME] [-o OUT]
                                      write the map file's areas back into the
                                      page's map (the page itself without -o)
  export FILE --format svg|html|json [--map NAME] [-o OUT]
                                      the map in another form
  info PICTURE...                     kind, width and height of pictures
  codes                               the finding codes of check and their levels

Options:
  -h, --help     show this help and exit (after a command: that command's help)
  -V, --version  show the version and exit

Exit status: 0 done (check: no errors), 1 check found errors or more warnings
than --max-warnings, 2 bad usage or a file that cannot be read, checked or
written; 2 wins over 1, and check still reports every finding of the others.
See tavlo-map(1) and 'tavlo-map codes' for the finding codes.
)";

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return tavlo::usageError(err, QString(), QStringLiteral("no command"));
    const QString first = args.takeFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        out.write(helpText);
        return tavlo::exitDone;
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-V")) {
        tavlo::writeLine(out, QStringLiteral("tavlo-map " TAVLO_VERSION));
        return tavlo::exitDone;
    }
    for (const Entry& e : commands) {
        if (first == QLatin1String(e.name))
            return e.run(args, out, err);
    }
    return tavlo::usageError(err, QString(), QStringLiteral("unknown command '%1'").arg(first));
}
