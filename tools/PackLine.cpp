#include "tools/PackLine.h"

namespace tools {

void AddPackOptions(CommandLine& line) {
  line.AddJobs();
  line.AddOption({{"l", "level"},
                  QStringLiteral("Compression level, 0 (store all) to 9 (smallest); default 6."),
                  QStringLiteral("L"),
                  QStringLiteral("6")});
  line.AddOption({"store", QStringLiteral("Store files whose names match GLOB as they are (may be repeated)."),
                  QStringLiteral("GLOB")});
}

std::optional<int> ReadPackOptions(const CommandLine& line, engine::PackOptions& options) {
  bool number = false;
  const int level = line.Value("level").toInt(&number);
  if (!number || level < 0 || level > 9)
    return line.UsageError(QStringLiteral("--level wants a number from 0 to 9"));
  options.level = level;
  options.workers = line.Jobs();
  options.store = engine::NamePatterns(line.Values("store"));
  return std::nullopt;
}

}  // namespace tools
