#pragma once
#include <QDialog>

namespace gulpwell {

// The about window: credits, the version line and three links.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace gulpwell
