// skarrow2-dat: the command-line toolkit for Skarrow 2 DAT archives.
#include <QCoreApplication>
#include <QHash>
#include <cstdio>

#include "common/platform/PathBytes.h"
#include "tools/Commands.h"
#include "tools/StandardOutput.h"
#include "tools/ToolCommand.h"

namespace {

using Command = int (*)(const QStringList&);

const QHash<QString, Command>& commands() {
  static const QHash<QString, Command> table{{"info", tools::RunInfo}, {"list", tools::RunList},
                                             {"test", tools::RunTest}, {"extract", tools::RunExtract},
                                             {"cat", tools::RunCat},   {"create", tools::RunCreate},
                                             {"add", tools::RunAdd},   {"delete", tools::RunDelete}};
  return table;
}

constexpr char Usage[] =
    "Usage: skarrow2-dat COMMAND [options] ARGUMENTS\n"
    "Works with Skarrow 2 DAT archives.\n\n"
    "Commands:\n"
    "  info ARCHIVE                          trailer values, counts and totals (--json)\n"
    "  list ARCHIVE [PATTERN...]             the entries (--long, --json)\n"
    "  test ARCHIVE                          checks every entry, writes nothing (-j N, --json)\n"
    "  extract ARCHIVE [PATTERN...]          writes entries under a folder (-C DIR, -j N,\n"
    "                                        --exclude GLOB, --flat, -v)\n"
    "  cat ARCHIVE PATTERN...                the matching entries' bytes to standard output\n"
    "  create ARCHIVE FOLDER                 packs a folder into a new archive (-j N, --level L, --store GLOB)\n"
    "  add ARCHIVE PATH...                   puts files and folders in, replacing entries of their names\n"
    "                                        (--as FOLDER, -j N, --level L, --store GLOB, --dry-run)\n"
    "  delete ARCHIVE PATTERN...             removes the matching entries (--dry-run)\n\n"
    "Every command takes --help, --version and --quiet. A pattern that matches no entry is\n"
    "named. Exit status: 0 success, 1 some entries failed or a pattern matched nothing,\n"
    "2 a usage error or a refused archive.\n";

int run(const QStringList& arguments) {
  const QString name = arguments.value(0);
  if (name == "--help" || name == "-h" || name == "help") {
    tools::Output(Usage);
    return tools::Success;
  }
  if (name == "--version") {
    tools::Output("skarrow2-dat " SKARROW_VERSION "\n");
    return tools::Success;
  }
  const Command command = commands().value(name);
  if (!command) {
    tools::Complain(name.isEmpty() ? QStringLiteral("no command given") : "unknown command " + name);
    std::fputs(Usage, stderr);
    return tools::Refused;
  }
  return command(arguments.mid(1));
}

}  // namespace

int main(int argc, char** argv) {
  tools::HoldClosedStandardDescriptors();
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("skarrow2-dat"));
  QCoreApplication::setApplicationVersion(QStringLiteral(SKARROW_VERSION));
  // Paths are taken as the bytes they are: QCoreApplication::arguments() would
  // make every byte that is not UTF-8 a U+FFFD, and such a file unreachable.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << platform::DecodedPath(argv[i]);
  return tools::WithCheckedOutput([&] { return run(arguments); });
}
