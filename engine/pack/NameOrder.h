#pragma once
// The order create gives a directory: component by component, the files of
// a folder before the folders in it, names of one kind in the order of their
// bytes. An archive's names are put in it without a string each.
#include <QByteArrayView>
#include <vector>

namespace engine {

// Whether the name a comes before b.
bool ComesBefore(QByteArrayView a, QByteArrayView b);

// The places of the names, in that order (names equal keep theirs).
std::vector<int> InNameOrder(const std::vector<QByteArrayView>& names);

// Where the last "\" of a name is, or -1.
qsizetype LastFolderEnd(QByteArrayView name);

}  // namespace engine
