#pragma once
// The about window: program name and version, the file last chosen, and links
// to the group's site and the author.
#include <QDialog>

class QGridLayout;
class QLineEdit;

namespace ledgerlamp {

class About : public QDialog {
  Q_OBJECT

 public:
  // Destroyed by "OK!" or its close box; the path in fLoad goes with it.
  explicit About(QWidget* parent);

  void setLoadedPath(const QString& path);

 private:
  void buildLayout();
  QGridLayout* buildFileAndLinks();

  QLineEdit* loadedPath_;
};

}  // namespace ledgerlamp
