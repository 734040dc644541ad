#pragma once
// Taking entry names apart: folders are separated by "\" and a folder path
// keeps its trailing "\" ("ART\CRITTERS\"), or is "\" alone for the top level.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

namespace engine {

// Returned by GetPathLevel when the path has no folder at the asked level.
inline constexpr char NoFolderSentinel[] = "AAbbCCdd";

// The folder name at level 1 (with its "\"), 2 or 3 (without it). Only names of
// at most 8 characters are found; start is where the level begins (the length
// of the levels above it), and 0 lets the routine find those levels itself.
// Any other level gives empty text.
QByteArray GetPathLevel(const QByteArray& path, uint8_t level, uint8_t start);

// GetPathLevel without copying: the same text as a view into the path, or
// nothing where GetPathLevel gives the sentinel. For the scan, entry by entry.
std::optional<QByteArrayView> PathLevelView(QByteArrayView path, uint8_t level, uint8_t start);

// The folder part with its trailing "\", or "\" when the path has no folder.
QByteArray GetFolderPath(const QByteArray& path);
// The same without copying.
QByteArrayView FolderPathView(QByteArrayView path);

// The text after the last "\" (the whole path when it has none).
QByteArray GetFileName(const QByteArray& path);

// A name in the one form in which names are compared without letter case
// (folders, extraction's files, cat, patterns): its Latin-1 text, case-folded.
QString FoldedName(QByteArrayView latin1);
// The same as bytes, for keys only compared for equality: each byte folded,
// but the one (micro sign) that folds outside Latin-1, which stays itself
// since no other byte folds to it.
QByteArray FoldedBytes(QByteArrayView latin1);
// FoldedBytes written to out, which holds latin1.size() bytes.
void FoldBytes(QByteArrayView latin1, char* out);

}  // namespace engine
