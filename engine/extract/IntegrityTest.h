#pragma once
// The integrity test: every entry checked as extraction checks it, writing
// nothing. Its name, its body inside the archive, its sizes, and that a
// compressed body inflates completely, with the right checksum, to exactly its
// RealSize. The toolkit's test and Tallyhold's Test DAT both run it.
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "common/platform/ArchiveSource.h"
#include "engine/extract/ExtractionRun.h"

namespace engine {

struct IntegrityFinding {
  QByteArray name;  // the entry's full name
  QString text;     // why it is damaged, or the note
};

struct IntegrityReport {
  qsizetype entries = 0;  // to be checked
  qsizetype intact = 0;
  std::vector<IntegrityFinding> damaged;  // in the order of the entries
  // Intact entries whose compressed body goes on after the end of its stream:
  // zlib allows that, but it is perhaps not what the archive's maker meant.
  std::vector<IntegrityFinding> notes;
  bool stopped = false;  // the stop came before every entry was checked

  qsizetype Checked() const { return intact + static_cast<qsizetype>(damaged.size()); }
};

// observer hears of every entry as a run tells it (for progress, or to tell
// damage as it is found); stop is asked before each entry and within large
// ones. workers: at least 1.
IntegrityReport TestIntegrity(std::shared_ptr<const platform::ArchiveSource> archive,
                              const std::vector<const ClsTreeDir*>& entries, RunObserver& observer,
                              std::function<bool()> stop, int workers);

// The note for the bytes after the end of a compressed body's stream.
QString TrailingNote(qint64 bytes);

}  // namespace engine
