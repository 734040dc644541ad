// skarrow2-dat list ARCHIVE [PATTERN...] [--long] [--json]
#include <QJsonDocument>
#include <QJsonObject>

#include "common/dat/DatFormat.h"
#include "engine/archive/ClsTreeDir.h"
#include "tools/Commands.h"
#include "tools/JsonOutput.h"
#include "tools/PatternTally.h"
#include "tools/StandardOutput.h"
#include "tools/ToolArchive.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

enum class Form { Names, Long, Json };

QString typeOf(const engine::ClsTreeDir& entry) {
  return entry.IsCompressed() ? QStringLiteral("compressed") : QStringLiteral("stored");
}

// One object a line, so that a large listing is never held whole.
QByteArray jsonOf(const engine::ClsTreeDir& entry) {
  const QJsonObject object{{"name", QString::fromLatin1(entry.Filename)},
                           {"folder", QString::fromLatin1(entry.FilePath())},
                           {"type", entry.fType},
                           {"compressed", entry.IsCompressed()},
                           {"realSize", entry.RealSize},
                           {"packedSize", entry.PackedSize},
                           {"offset", entry.Offset}};
  return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

void printEntry(const engine::ClsTreeDir& entry, Form form, bool first) {
  const QString name = QString::fromLatin1(entry.Filename);
  if (form == Form::Names) return Print(name);
  if (form == Form::Long)
    return Print(QStringLiteral("%1 %2 %3 %4  %5")
                     .arg(typeOf(entry), -10)
                     .arg(entry.RealSize, 11)
                     .arg(entry.PackedSize, 11)
                     .arg(dat::FormatHex(entry.Offset) + 'h', 11)
                     .arg(name));
  Output(first ? "\n  " : ",\n  ");
  Output(jsonOf(entry));
}

int list(const ToolArchive& archive, PatternTally& patterns, Form form) {
  if (form == Form::Long)
    Print(QStringLiteral("%1 %2 %3 %4  %5")
              .arg(QStringLiteral("Type"), -10)
              .arg(QStringLiteral("Real bytes"), 11)
              .arg(QStringLiteral("Packed bytes"), 11)
              .arg(QStringLiteral("Offset"), 11)
              .arg(QStringLiteral("Name")));
  if (form == Form::Json) Output(JsonHead(archive.Path()) + ", \"entries\": [");
  int listed = 0;
  for (const engine::ClsTreeDir* entry : archive.Records())
    if (patterns.Matches(entry->Filename)) printEntry(*entry, form, listed++ == 0);
  if (form == Form::Json) Output(listed == 0 ? "]}\n" : "\n]}\n");
  return patterns.TellUnmatched() ? Success : SomeFailed;
}

}  // namespace

int RunList(const QStringList& arguments) {
  CommandLine line(QStringLiteral("list"),
                   QStringLiteral("Lists the entries of an archive, in the order of its directory, with their "
                                  "folders."));
  line.AddArchive();
  line.AddPatterns();
  line.AddOption({{"l", "long"},
                  QStringLiteral("Type, RealSize and PackedSize (decimal bytes) and Offset (hexadecimal, "
                                 "with an h) before each name.")});
  line.AddOption({"json", QStringLiteral("A JSON object, {\"format\": 1, \"archive\": ..., \"entries\": [...]}, "
                                         "one entry a line (the keys are in the man page).")});
  if (const std::optional<int> end = line.Parse(arguments, 1, -1)) return *end;
  const Form form = line.IsSet("json") ? Form::Json : line.IsSet("long") ? Form::Long : Form::Names;
  PatternTally patterns(line.Positional().mid(1));
  return WithArchive(
      line.Positional()[0], [&](const ToolArchive& archive) { return list(archive, patterns, form); },
      form == Form::Json);
}

}  // namespace tools
