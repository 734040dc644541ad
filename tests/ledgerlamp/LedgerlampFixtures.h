#pragma once
// Archives the reader's tests load, written at test time.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include "tests/support/DatWriter.h"

namespace ledgerlamptest {

// Five entries: stored and compressed bodies, names at the top level and in folders.
inline testsupport::DatWriter FiveRecords() {
  testsupport::DatWriter writer;
  writer.add("README.TXT", "hello");
  writer.add("art\\critters\\GULL.BMP", testsupport::SampleText(3000, 1), true);
  writer.add("text\\english\\game\\MAPTEXT.MSG", testsupport::SampleText(700, 2));
  writer.add("sound\\HARBOUR.WAV", testsupport::SampleText(5000, 3), true);
  writer.add("LAST.DAT", "x");
  return writer;
}

inline QList<QByteArray> NamesOf(const testsupport::DatWriter& writer) {
  QList<QByteArray> names;
  for (const testsupport::FixtureEntry& entry : writer.entries()) names.append(entry.name);
  return names;
}

// Writes the bytes into the folder under the name and returns the path.
inline QString Written(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  testsupport::WriteFile(path, bytes);
  return path;
}

// The bytes of an archive whose record (from 1) has its FilenameSize replaced.
inline QByteArray WithFilenameSize(testsupport::DatWriter writer, int record, int32_t size) {
  testsupport::FixtureEntry entry = writer.entries().at(record - 1);
  entry.filenameSize = size;
  testsupport::DatWriter patched;
  for (int i = 0; i < writer.entries().size(); ++i) patched.add(i == record - 1 ? entry : writer.entries().at(i));
  return patched.build();
}

}  // namespace ledgerlamptest
