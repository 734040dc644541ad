#include "tallyhold/windows/RunProgress.h"

#include <QLabel>

#include "common/platform/DoEvents.h"
#include "common/platform/MousePointer.h"
#include "engine/archive/ClsTreeDir.h"
#include "tallyhold/windows/ProgressForm.h"

namespace tallyhold {
namespace {

using platform::MousePointer;

constexpr int PaintEveryMs = 30;

}  // namespace

// Not a child of the dialog or the frame: both are disabled while the run
// goes on, and Cancel must stay usable.
RunProgress::RunProgress(const QString& caption, StopToken& stop) : form_(std::make_unique<ProgressForm>(stop)) {
  form_->setWindowTitle(caption);
  form_->Status().setText(QStringLiteral("Initializing..."));
  platform::ShowAtOnce(form_.get());
  platform::SetScreenPointer(MousePointer::ArrowHourglass);
  ShowStep(QStringLiteral("Initializing..."));
}

RunProgress::~RunProgress() { Unload(); }

void RunProgress::ShowStep(const QString& status) {
  status_ = status;
  form_->Status().setText(status);
  form_->repaint();
}

void RunProgress::SetBar(float max, float value) {
  bar_ = value;
  form_->Bar().SetMax(max);
  form_->Bar().SetValue(value);
  form_->repaint();
}

void RunProgress::Flush() {
  if (dirty_) paint();
}

void RunProgress::EntryStarting(const engine::ClsTreeDir& entry) {
  status_ = entryPrefix_ + QString::fromLatin1(entry.Filename);
  dirty_ = true;
  paintWhenDue();
}

void RunProgress::EntryStatus(const QString& text) {
  status_ = text;
  paint();
}

void RunProgress::Working() { paintWhenDue(); }

void RunProgress::EntryDone(const engine::ClsTreeDir& entry, const engine::ExtractResult&) {
  if (!barStep_ || barStep_(entry)) {
    bar_ += 1;
    dirty_ = true;
    paintWhenDue();
  }
  yields_.AfterItem();
}

void RunProgress::paintWhenDue() {
  if (!sincePaint_.isValid() || sincePaint_.hasExpired(PaintEveryMs)) paint();
}

void RunProgress::paint() {
  form_->Status().setText(status_);
  form_->Status().repaint();
  form_->Bar().SetValue(bar_);
  dirty_ = false;
  sincePaint_.start();
}

void RunProgress::Stopping() {
  form_->show();
  form_->raise();
  platform::SetScreenPointer(MousePointer::Hourglass);
  form_->setWindowTitle(QStringLiteral("Stop Request Detected!"));
  form_->Message().setText(QStringLiteral("Cancelling all processes, please wait..."));
  bar_ = 1;
  form_->Bar().SetValue(bar_);
  ShowStep(QStringLiteral("Aborting..."));
}

// Hidden, not closed: closing it would ask to stop, as Esc does.
void RunProgress::Unload() {
  if (!form_) return;
  platform::SetScreenPointer(MousePointer::Arrow);
  form_->hide();
  form_.reset();
}

}  // namespace tallyhold
