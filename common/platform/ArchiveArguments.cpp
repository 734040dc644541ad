#include "common/platform/ArchiveArguments.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <filesystem>

#include "common/platform/PathBytes.h"

namespace platform {
namespace {

ArchiveArguments ending(int status, const QString& text) {
  ArchiveArguments parsed;
  parsed.exitStatus = status;
  parsed.text = text;
  return parsed;
}

ArchiveArguments usageError(const QString& program, const QString& what) {
  return ending(2, QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(program, what));
}

// Relative to the current folder, whose name is taken as the bytes it is too;
// nothing else of the path is changed ("." and ".." and links stay as given).
QString absolute(const QString& path) {
  if (path.startsWith(QLatin1Char('/'))) return path;
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  if (error) return path;
  return DecodedPath(QByteArray::fromStdString(here.native())) + QLatin1Char('/') + path;
}

}  // namespace

ArchiveArguments ParseArchiveArguments(const QStringList& arguments, const ArchiveProgram& program) {
  const QString name = QFileInfo(arguments.value(0)).fileName();
  QCommandLineParser parser;
  parser.setApplicationDescription(program.description);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and end."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the version and end."));
  parser.addOption(help);
  parser.addOption(version);
  const bool many = program.manyArchives;
  parser.addPositionalArgument(QStringLiteral("archive"),
                               many ? QStringLiteral("Skarrow 2 DAT archives to open.")
                                    : QStringLiteral("A Skarrow 2 DAT archive to load."),
                               many ? QStringLiteral("[archive...]") : QStringLiteral("[archive]"));
  if (!parser.parse(arguments)) return usageError(name, parser.errorText());
  if (parser.isSet(help)) return ending(0, parser.helpText());
  if (parser.isSet(version)) return ending(0, name + QLatin1Char(' ') + program.version + QLatin1Char('\n'));
  const QStringList given = parser.positionalArguments();
  if (!many && given.size() > 1)
    return usageError(name, QStringLiteral("only one archive can be loaded at a time."));
  ArchiveArguments parsed;
  for (const QString& path : given) parsed.archives << absolute(path);
  return parsed;
}

QStringList ArgumentsOf(int argc, const char* const* argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << DecodedPath(argv[i]);
  return arguments;
}

int Tell(const ArchiveArguments& parsed) {
  std::FILE* stream = parsed.exitStatus.value_or(0) == 0 ? stdout : stderr;
  std::fputs(parsed.text.toLocal8Bit().constData(), stream);
  return std::fflush(stream) == 0 ? parsed.exitStatus.value_or(0) : 1;
}

}  // namespace platform
