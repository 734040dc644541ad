#pragma once
// The command line of a window program that opens archives: the archives to
// open, or a text to print and a status to end with (--help, --version, an
// option it does not know).
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

struct ArchiveArguments {
  QStringList archives;           // absolute, each as the bytes it was given
  std::optional<int> exitStatus;  // set: print `text` and end with this status
  QString text;                   // for standard output when the status is 0, else standard error
};

struct ArchiveProgram {
  QString description;  // the first line of --help
  QString version;
  bool manyArchives;  // else one at most
};

// arguments: the program's name, then what the toolkit left of the command
// line. Missing files are not judged here: the program's load tells them in
// its usual box.
ArchiveArguments ParseArchiveArguments(const QStringList& arguments, const ArchiveProgram& program);

// argv as the bytes it is: QCoreApplication::arguments() makes every byte that
// is not UTF-8 a U+FFFD, and such a file unreachable.
QStringList ArgumentsOf(int argc, const char* const* argv);

// Prints the text where it belongs and gives the status to end with.
int Tell(const ArchiveArguments& parsed);

}  // namespace platform
