#pragma once
// New DAT from folder: the folder to pack, chosen in a folder list, and the
// name of the new archive, which goes beside that folder unless the name is
// a full path.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

namespace widgets {
class DirListBox;
}  // namespace widgets

namespace tallyhold {

class frmNewDAT : public QDialog {
  Q_OBJECT
 public:
  explicit frmNewDAT(QWidget* parent);

  QString Folder() const;
  // The new archive's path; empty when no name is given.
  QString Target() const;

 private:
  // Where the archive will be written, as Folder and the name stand.
  void showTarget();

  widgets::DirListBox* folders_;
  QLineEdit* name_;
  QLabel* target_;
};

}  // namespace tallyhold
