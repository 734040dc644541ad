#pragma once
// The small status window shown while an archive loads; it exists only for the load.
#include <QWidget>

class QLabel;

namespace ledgerlamp {

class ProgressForm : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressForm(QWidget* over);

  // Shows the step at once: no events run during a load, so the window is repainted here.
  void setStatus(const QString& status);

 private:
  QLabel* status_;
};

}  // namespace ledgerlamp
