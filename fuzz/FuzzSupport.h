#pragma once
// The programs read files, so each input is written to a file of its own in
// memory-backed storage before it is handed over.
#include <QString>
#include <cstddef>
#include <cstdint>

// A per-process scratch path with the given suffix.
QString ScratchPath(const char* suffix);

// Writes the input to ScratchPath(suffix) and returns that path.
QString WriteInput(const uint8_t* data, size_t size, const char* suffix = ".dat");

// Stops the run with a message when a property that must hold does not.
void Require(bool holds, const char* what);
