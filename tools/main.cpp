// skarrow2-dat: the command-line toolkit for Skarrow 2 DAT archives.
#include <QCoreApplication>
#include <QHash>
#include <cstdio>

#include "tools/Commands.h"
#include "tools/ToolCommand.h"

namespace {

using Command = int (*)(const QStringList&);

const QHash<QString, Command>& commands() {
  static const QHash<QString, Command> table{{"info", tools::RunInfo},       {"list", tools::RunList},
                                             {"test", tools::RunTest},       {"extract", tools::RunExtract},
                                             {"cat", tools::RunCat},         {"create", tools::RunCreate}};
  return table;
}

constexpr char Usage[] =
    "Usage: skarrow2-dat COMMAND [options] ARGUMENTS\n"
    "Works with Skarrow 2 DAT archives.\n\n"
    "Commands:\n"
    "  info ARCHIVE                          trailer values, counts and totals\n"
    "  list ARCHIVE [PATTERN...]             the entries (--long, --json)\n"
    "  test ARCHIVE                          checks every entry, writes nothing (-j N, --json)\n"
    "  extract ARCHIVE [PATTERN...]          writes entries under a folder (-C DIR, -j N)\n"
    "  cat ARCHIVE ENTRY                     one entry's bytes to standard output\n"
    "  create ARCHIVE FOLDER                 packs a folder into a new archive (-j N, --level L, --store GLOB)\n\n"
    "Every command takes --help and --quiet. Exit status: 0 success, 1 some entries failed,\n"
    "2 a usage error or a refused archive.\n";

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("skarrow2-dat"));
  QCoreApplication::setApplicationVersion(QStringLiteral(SKARROW_VERSION));
  const QStringList arguments = QCoreApplication::arguments();
  const QString name = arguments.value(1);
  if (name == "--help" || name == "-h" || name == "help") {
    std::fputs(Usage, stdout);
    return tools::Success;
  }
  if (name == "--version") {
    std::printf("skarrow2-dat %s\n", SKARROW_VERSION);
    return tools::Success;
  }
  const Command command = commands().value(name);
  if (!command) {
    tools::Complain(name.isEmpty() ? QStringLiteral("no command given") : "unknown command " + name);
    std::fputs(Usage, stderr);
    return tools::Refused;
  }
  return command(arguments.mid(2));
}
