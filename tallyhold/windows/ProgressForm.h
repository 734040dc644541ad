#pragma once
// The one progress window of Tallyhold: the directory scan and both extraction
// commands show it while they run. Its Cancel button only raises the stop
// token of the run it shows; the run polls it and stops itself.
#include <QDialog>
#include <QProgressBar>

#include "tallyhold/windows/StopToken.h"

class QLabel;
class QPushButton;

namespace tallyhold {

// A progress bar whose maximum and value are floating-point numbers, as the
// callers set them (a maximum of 25.25, a value of 1.0001). They are shown on
// an integer scale, and the bar is touched only when the shown value changes,
// so that stepping it once per entry stays cheap.
class ProgressBar : public QProgressBar {
 public:
  explicit ProgressBar(QWidget* parent = nullptr);

  float Max() const { return max_; }
  void SetMax(float max);
  float Value() const { return value_; }
  void SetValue(float value);

  static constexpr int Scale = 1000;

 private:
  void showScaled();

  float max_ = 100;
  float value_ = 0;
};

class ProgressForm : public QDialog {
  Q_OBJECT
 public:
  // Cancel raises stop, which must outlive the window.
  explicit ProgressForm(StopToken& stop);

  QLabel& Message() const { return *message_; }
  QLabel& Status() const { return *status_; }
  ProgressBar& Bar() const { return *bar_; }

 protected:
  // Esc asks to stop, as Cancel does; it never just hides the window.
  void reject() override;

 private:
  QLabel* message_;
  QLabel* status_;
  ProgressBar* bar_;
  QPushButton* cancelButton_;
};

}  // namespace tallyhold
