#pragma once
// The about box: title, version, what this edition does, credits and three
// links handed to the desktop.
#include <QDialog>

class QLabel;

namespace tallyhold {

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(QWidget* parent = nullptr);

  static const QString WebAddress;
  static const QString AuthorMail;
  static const QString EngineAuthorMail;

 private:
  void buildCredits();
  void load();

  QLabel* title_;
  QLabel* version_;
  QLabel* description_;
};

}  // namespace tallyhold
