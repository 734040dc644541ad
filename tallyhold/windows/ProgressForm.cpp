#include "tallyhold/windows/ProgressForm.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "common/platform/Twips.h"

namespace tallyhold {

using platform::Place;

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent) {
  setRange(0, Scale);
  setTextVisible(false);
  showScaled();
}

void ProgressBar::SetMax(float max) {
  max_ = max;
  showScaled();
}

void ProgressBar::SetValue(float value) {
  value_ = value;
  showScaled();
}

void ProgressBar::showScaled() {
  const double fraction = max_ > 0 ? std::clamp(double(value_) / max_, 0.0, 1.0) : 0.0;
  const int shown = static_cast<int>(std::lround(fraction * Scale));
  if (shown != value()) setValue(shown);
}

ProgressForm::ProgressForm(StopToken& stop) {
  setObjectName(QStringLiteral("ProgressForm"));
  setWindowTitle(QStringLiteral("Printing..."));
  // No close box: the window goes away when its operation ends.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(platform::TwipsSize(4725, 1875));

  message_ = Place(new QLabel(QStringLiteral("This will take some minutes depending on the speed of "
                                             "your computer. Please, be patient."),
                              this),
                   "labMsg", {60, 60, 4575, 435});
  message_->setWordWrap(true);
  status_ = Place(new QLabel(QStringLiteral("Status Bar"), this), "labStatus", {240, 660, 4215, 255});
  bar_ = Place(new ProgressBar(this), "ProgressBar", {60, 1020, 4620, 285});
  cancelButton_ = Place(new QPushButton(QStringLiteral("Cancel"), this), "Command1", {3360, 1440, 1215, 375});
  cancelButton_->setAutoDefault(false);
  connect(cancelButton_, &QPushButton::clicked, this, [&stop] { stop.Request(); });
}

void ProgressForm::reject() { cancelButton_->click(); }

}  // namespace tallyhold
