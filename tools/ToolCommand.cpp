#include "tools/ToolCommand.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

#include "common/platform/ShownText.h"
#include "tools/StandardOutput.h"

namespace tools {
namespace {

// More workers than this gain nothing and cost a hidden file each in flight.
constexpr int MaxJobs = 64;

}  // namespace

void Complain(const QString& text) {
  std::fputs(("skarrow2-dat: " + platform::ShownText(text) + '\n').toLocal8Bit().constData(), stderr);
}

void Print(const QString& line) { Output((platform::ShownText(line) + '\n').toLocal8Bit()); }

QString Counted(qint64 count, const char* one, const char* many) {
  return QString::number(count) + ' ' + (count == 1 ? one : many);
}

CommandLine::CommandLine(const QString& command, const QString& description) : command_(command) {
  parser_.setApplicationDescription(description);
  // Not addHelpOption(): the --help-all it adds would show Qt's own options,
  // which no command takes.
  parser_.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")});
  parser_.addOption({QStringLiteral("version"), QStringLiteral("Show the version of skarrow2-dat.")});
  parser_.addOption({{QStringLiteral("q"), QStringLiteral("quiet")},
                     QStringLiteral("No progress bar and no summary; failures are still told.")});
}

void CommandLine::AddPositional(const QString& name, const QString& description, const QString& syntax) {
  parser_.addPositionalArgument(name, description, syntax);
}

void CommandLine::AddOption(const QCommandLineOption& option) { parser_.addOption(option); }

void CommandLine::AddArchive() {
  AddPositional(QStringLiteral("ARCHIVE"), QStringLiteral("The DAT archive; - for standard input."));
}

void CommandLine::AddPatterns() {
  AddPositional(QStringLiteral("PATTERN"),
                QStringLiteral("Only entries whose names match one of these globs, without letter case; \\ or / "
                               "between folders, * also across them; a folder takes everything in it."),
                QStringLiteral("[PATTERN...]"));
}

void CommandLine::AddJobs() {
  hasJobs_ = true;
  parser_.addOption({{QStringLiteral("j"), QStringLiteral("jobs")},
                     QStringLiteral("Work with N threads (1 to %1; default: the number of cores).").arg(MaxJobs),
                     QStringLiteral("N")});
}

std::optional<int> CommandLine::Parse(const QStringList& arguments, int least, int most) {
  if (!parser_.parse(QStringList{"skarrow2-dat " + command_} + arguments)) return UsageError(parser_.errorText());
  if (parser_.isSet(QStringLiteral("help"))) {
    // Qt names the program by its path; the usage line names the command.
    QString help = parser_.helpText();
    help.replace(0, help.indexOf(" [options]"), "Usage: skarrow2-dat " + command_);
    Output(help.toLocal8Bit());
    return Success;
  }
  if (parser_.isSet(QStringLiteral("version"))) {
    Output(("skarrow2-dat " + QCoreApplication::applicationVersion() + '\n').toLocal8Bit());
    return Success;
  }
  const qsizetype count = parser_.positionalArguments().size();
  if (count < least) return UsageError(QStringLiteral("missing arguments"));
  if (most >= 0 && count > most) return UsageError(QStringLiteral("too many arguments"));
  if (!hasJobs_) return std::nullopt;
  jobs_ = std::max(1, QThread::idealThreadCount());
  if (!parser_.isSet(QStringLiteral("jobs"))) return std::nullopt;
  bool number = false;
  jobs_ = parser_.value(QStringLiteral("jobs")).toInt(&number);
  if (!number || jobs_ < 1 || jobs_ > MaxJobs)
    return UsageError(QStringLiteral("-j wants a number of threads from 1 to %1").arg(MaxJobs));
  return std::nullopt;
}

int CommandLine::UsageError(const QString& text) const {
  Complain(command_ + ": " + text);
  std::fputs(QStringLiteral("Try 'skarrow2-dat %1 --help'.\n").arg(command_).toLocal8Bit().constData(), stderr);
  return Refused;
}

}  // namespace tools
