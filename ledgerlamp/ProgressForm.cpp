#include "ledgerlamp/ProgressForm.h"

#include <QLabel>

#include "common/platform/Twips.h"

namespace ledgerlamp {

ProgressForm::ProgressForm(QWidget* over)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("ProgressForm"));
  setWindowTitle(QStringLiteral("Loading DAT..."));
  setFixedSize(platform::TwipsSize(4065, 570));
  status_ = platform::Place(new QLabel(this), "Label1", {180, 180, 3675, 315});
  status_->setAlignment(Qt::AlignCenter);
  // Not a child of the reader window: that one is disabled while this is shown.
  if (over) move(over->geometry().center() - rect().center());
}

void ProgressForm::setStatus(const QString& status) {
  status_->setText(status);
  repaint();
}

}  // namespace ledgerlamp
