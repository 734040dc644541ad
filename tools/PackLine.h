#pragma once
// The options of the commands that pack files (create, add): -j, --level and
// --store, read into the packer's options.
#include <optional>

#include "engine/pack/ArchivePacker.h"
#include "tools/ToolCommand.h"

namespace tools {

void AddPackOptions(CommandLine& line);

// The options, or the status to end with after a usage error.
std::optional<int> ReadPackOptions(const CommandLine& line, engine::PackOptions& options);

}  // namespace tools
