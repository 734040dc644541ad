#pragma once
// Large archives for the benchmark, written as a game's archive would be laid
// out: a few entries at the top, then the entries of each folder one after
// another, three folder levels deep.
#include <QString>

namespace tallyholdbench {

// 10 x 10 x 20 = 2000 folders of short names, the entries spread evenly over
// them, plus ten entries at the top level.
void WriteTreeArchive(const QString& path, int entries);

// The folders of WriteTreeArchive, each with five folders of long names below
// it and one more level below those: 10,000 folders five levels deep.
void WriteDeepTreeArchive(const QString& path, int entries);

// All entries in one folder, BIG\ONE\ (for the listing of a large folder).
void WriteOneFolderArchive(const QString& path, int entries);

}  // namespace tallyholdbench
