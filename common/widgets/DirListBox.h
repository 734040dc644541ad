#pragma once
// The folder list of a drive: the current folder's ancestors from the top, the
// current folder, then its subfolders. Double-click or Enter on a line moves there.
#include <QListWidget>
#include <QString>

#include "common/widgets/FolderAccess.h"

namespace widgets {

class DirListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit DirListBox(QWidget* parent = nullptr);

  // The current folder, absolute, without a trailing separator except at "/".
  QString Path() const;

  // Moves to the folder and lists it. False, with nothing changed, when it does
  // not exist or cannot be listed; LastFailure() then says which.
  bool SetPath(const QString& path);
  FolderFailure LastFailure() const { return lastFailure_; }

  // Lists the current folder again; when it has gone, moves to the nearest
  // ancestor that is still there.
  void Refresh();

 signals:
  void PathChanged(const QString& path);
  // A line the user opened could not be entered (it has gone or is not readable).
  void OpenFailed(const QString& path, widgets::FolderFailure failure);

 private:
  void list();
  void addLine(const QString& path, const QString& text, int depth, bool open);
  void openLine(QListWidgetItem* item);

  QString path_;
  FolderFailure lastFailure_ = FolderFailure::None;
};

}  // namespace widgets
