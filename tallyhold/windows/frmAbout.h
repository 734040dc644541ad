#pragma once
// The about box: title, version, what this edition does, credits and three
// links handed to the desktop.
#include <QDialog>

class QLabel;
class QPushButton;

namespace widgets {
class LinkLabel;
}

namespace tallyhold {

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(QWidget* parent = nullptr);

  QLabel* picIcon;
  QLabel* lblTitle;
  QLabel* lblVersion;
  QLabel* lblDescription;
  QPushButton* cmdOK;
  QLabel* Label4;
  QLabel* Label1;
  QLabel* Label5;
  widgets::LinkLabel* Label3;
  widgets::LinkLabel* Label2;
  widgets::LinkLabel* Label6;

  static const QString WebAddress;
  static const QString AuthorMail;
  static const QString EngineAuthorMail;

 private:
  void buildCredits();
  void load();
};

}  // namespace tallyhold
