#pragma once
// What every command of skarrow2-dat shares: its exit statuses, its options
// (--help, --version, --quiet, -j) and its messages.
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

namespace tools {

enum ExitStatus {
  Success = 0,
  SomeFailed = 1,  // some entries (or input files) failed, or the run stopped
  Refused = 2      // a usage error, or an archive or input refused as a whole
};

// "skarrow2-dat: text" on standard error, and a line on standard output, in
// the terminal's encoding with control characters shown escaped.
void Complain(const QString& text);
void Print(const QString& line);

// "1 entry", "2 entries": the count with its word in the right number.
QString Counted(qint64 count, const char* one, const char* many);

class CommandLine {
 public:
  CommandLine(const QString& command, const QString& description);

  // syntax: as the usage line shows it ("[PATTERN...]"), when not the name.
  void AddPositional(const QString& name, const QString& description, const QString& syntax = {});
  void AddOption(const QCommandLineOption& option);
  // The ARCHIVE argument, and the PATTERN... arguments that pick entries.
  void AddArchive();
  void AddPatterns();
  // -j N, by default the number of cores.
  void AddJobs();

  // The status to end with at once (after --help or --version, or a usage error told on
  // standard error), or nothing when the command goes on. least, most: the
  // number of positional arguments allowed (most -1: no limit).
  std::optional<int> Parse(const QStringList& arguments, int least, int most);

  bool IsSet(const QString& name) const { return parser_.isSet(name); }
  QString Value(const QString& name) const { return parser_.value(name); }
  QStringList Values(const QString& name) const { return parser_.values(name); }
  QStringList Positional() const { return parser_.positionalArguments(); }
  bool Quiet() const { return parser_.isSet(QStringLiteral("quiet")); }
  int Jobs() const { return jobs_; }

  // Tells the error with a pointer to --help; returns Refused.
  int UsageError(const QString& text) const;

 private:

  QString command_;
  QCommandLineParser parser_;
  bool hasJobs_ = false;
  int jobs_ = 1;
};

}  // namespace tools
