#pragma once
// Whole-file zlib codec. A compressed file is a bare zlib stream (no header of
// our own) whose second byte is DA, the form in which archives keep compressed
// entries; it is written next to its source under the source's name + ".QZ".
#include <QString>

namespace gulpwell {

enum class Failure {
  None,
  SourceUnreadable,  // cannot be opened or read
  SourceEmpty,
  StreamDamaged,     // not a whole zlib stream
  ZlibError,         // zlib itself failed, typically for lack of memory
  OutputUnwritable,  // the output cannot be created, written or put in place
  OutputIsSource,    // the output would take the place of the source itself
};

struct Outcome {
  Failure failure = Failure::None;
  QString reason;  // the system's or zlib's own words, when it gave any
  bool ok() const { return failure == Failure::None; }
};

// Whether a file can be the source of an operation: readable and not empty.
Outcome CheckSource(const QString& sourcePath);

// The name CompressFile writes: the source's full name followed by ".QZ".
QString CompressedName(const QString& sourcePath);

// Compresses the source into CompressedName(sourcePath). Streams in pieces;
// the output is written under a hidden name and takes the place of whatever
// stands under its name (a link as a name, never written through) only once
// it is complete, and a failure leaves no output behind. Only a regular file
// is read.
Outcome CompressFile(const QString& sourcePath);

// Restores a zlib stream of any size into the destination, with the same
// guarantees; the source is left as it is, and a destination that is the
// source itself is refused.
Outcome UncompressFile(const QString& sourcePath, const QString& destinationPath);

}  // namespace gulpwell
