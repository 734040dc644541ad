#pragma once

namespace tallyhold {

// The pane of an archive window used last: it decides what Extract selected takes.
enum class Pane { None, Tree, List };

}  // namespace tallyhold
