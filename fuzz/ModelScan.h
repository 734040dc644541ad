#pragma once
// The archive browser's scan of a source into the object model, record by
// record, with the properties every record read must keep.
#include "common/platform/ArchiveSource.h"
#include "engine/archive/ClsDatFile.h"

// Stops where the fixed values or the directory go wrong; what was read
// before stays filed.
void ScanInto(const platform::ArchiveSource& source, engine::ClsDatFile& archive);
