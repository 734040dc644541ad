// Showing a record and moving between records.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/platform/DialogService.h"
#include "ledgerlamp/Main.h"
#include "ledgerlamp/ShowRecord.h"
#include "ledgerlamp/Version.h"

namespace ledgerlamp {

using platform::Dialogs;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

// Throws dat::DatError when the record can no longer be read (the file changed on disk).
void Main::showRecord(int32_t index) {
  const RecordView view = ShowRecord(state_, index);
  const std::pair<QLineEdit*, QString> boxes[] = {
      {txtFilenameSize, view.FilenameSize}, {txtFilename, view.Filename}, {txtType, view.Type},
      {txtPackedSize, view.PackedSize},     {txtRealSize, view.RealSize}, {txtOffset, view.Offset},
      {txtIndex, view.Index}};
  for (const auto& [box, text] : boxes) {
    box->setText(text);
    box->setCursorPosition(0);  // a long name shows its beginning
  }
}

void Main::showRecordOrReport(int32_t index) {
  try {
    showRecord(index);
  } catch (const dat::DatError& error) {
    Dialogs().message(QStringLiteral("Cannot show record %1 of %2: %3.")
                          .arg(index + 1)
                          .arg(state_.Path, error.message()),
                      QString::fromLatin1(ProgramTitle), MsgIcon::Exclamation, MsgButtons::Ok);
  }
}

void Main::moveTo(Move move) {
  showRecordOrReport(MoveTarget(move, txtIndex->text().toInt(), state_.RecordCount()));
}

void Main::cmdJump_Click() {
  const QString count = QString::number(state_.RecordCount());
  const QString prompt = QStringLiteral("Enter the index:\r\rRange: 1 to ") + count;
  const QString warning =
      QStringLiteral("The number can't be less than 1 or higher than the FilesTotal, that is ") + count;
  for (;;) {
    const int32_t number = JumpNumber(Dialogs().input(prompt, QStringLiteral("Jump to index..."), QString()));
    if (number >= 1 && number <= state_.RecordCount()) {
      try {
        showRecord(number - 1);
      } catch (const dat::DatError&) {
        // a record that cannot be read ends the jump without a word
      }
      return;
    }
    if (Dialogs().message(warning, QString::fromLatin1(ProgramTitle), MsgIcon::Exclamation,
                          MsgButtons::RetryCancel) != MsgAnswer::Retry)
      return;
  }
}

void Main::txtIndex_Change() {
  const std::optional<NavigationState> rule = IndexRule(txtIndex->text(), state_.RecordCount());
  if (!rule) return;
  cmdFirst->setEnabled(rule->First);
  cmdPrev->setEnabled(rule->Prev);
  cmdNext->setEnabled(rule->Next);
  cmdLast->setEnabled(rule->Last);
  Label11->setText(rule->Label11);
}

void Main::clearRecordBoxes() {
  for (QLineEdit* box : {txtFilename, txtFilenameSize, txtType, txtPackedSize, txtRealSize, txtOffset,
                         txtIndex})
    box->clear();
  Label11->clear();
}

void Main::setMovingEnabled(bool enabled) {
  for (QPushButton* command : {cmdFirst, cmdPrev, cmdNext, cmdLast, cmdJump}) command->setEnabled(enabled);
}

}  // namespace ledgerlamp
