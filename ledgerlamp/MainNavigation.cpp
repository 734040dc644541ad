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
  const std::pair<QLineEdit*, QString> boxes[] = {{filenameSizeBox_, view.FilenameSize},
                                                  {filenameBox_, view.Filename},
                                                  {typeBox_, view.Type},
                                                  {packedSizeBox_, view.PackedSize},
                                                  {realSizeBox_, view.RealSize},
                                                  {offsetBox_, view.Offset},
                                                  {indexBox_, view.Index}};
  for (const auto& [box, text] : boxes) showValue(box, text);
}

void Main::showValue(QLineEdit* box, const QString& text) {
  box->setText(text);
  box->setCursorPosition(0);
}

void Main::showRecordOrReport(int32_t index) {
  try {
    showRecord(index);
  } catch (const dat::DatError& error) {
    Dialogs().message(
        QStringLiteral("Cannot show record %1 of %2: %3.").arg(index + 1).arg(state_.Path, error.message()),
        QString::fromLatin1(ProgramTitle), MsgIcon::Exclamation, MsgButtons::Ok);
  }
}

void Main::moveTo(Move move) {
  showRecordOrReport(MoveTarget(move, indexBox_->text().toInt(), state_.RecordCount()));
}

void Main::jumpToNumber() {
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

void Main::applyIndexRule() {
  const std::optional<NavigationState> rule = IndexRule(indexBox_->text(), state_.RecordCount());
  if (!rule) return;
  firstButton_->setEnabled(rule->First);
  previousButton_->setEnabled(rule->Prev);
  nextButton_->setEnabled(rule->Next);
  lastButton_->setEnabled(rule->Last);
  positionLabel_->setText(rule->Position);
}

void Main::clearRecordBoxes() {
  for (QLineEdit* box :
       {filenameBox_, filenameSizeBox_, typeBox_, packedSizeBox_, realSizeBox_, offsetBox_, indexBox_})
    box->clear();
  positionLabel_->clear();
}

void Main::setMovingEnabled(bool enabled) {
  for (QPushButton* command : {firstButton_, previousButton_, nextButton_, lastButton_, jumpButton_})
    command->setEnabled(enabled);
}

}  // namespace ledgerlamp
