#pragma once
// The about window: program name and version, the file last chosen, and links
// to the group's site and the author.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ledgerlamp {

class About : public QDialog {
  Q_OBJECT

 public:
  // Destroyed by "OK!" or its close box; the path in fLoad goes with it.
  explicit About(QWidget* parent);

  void setLoadedPath(const QString& path);

 private:
  void buildLayout();

  QLabel* labAppName;
  QLabel* labVersion;
  QLineEdit* fLoad;
  QPushButton* Command1;
};

}  // namespace ledgerlamp
