#pragma once
// What every target shares: scratch space for what a target writes, and the
// stop on a broken property.
#include <QString>

// A per-process scratch path with the given suffix, in memory-backed storage where there is some.
QString ScratchPath(const char* suffix);

// Stops the run with a message when a property that must hold does not.
void Require(bool holds, const char* what);
