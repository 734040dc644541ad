#pragma once
// The file list of one folder: every file in it (hidden ones too), by name.
#include <QListWidget>
#include <QString>

namespace widgets {

class FileListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent = nullptr);

  // The folder listed, absolute, without a trailing separator except at "/".
  QString Path() const;

  // Lists the folder's files, none selected. False, with nothing changed, when
  // the folder does not exist or cannot be listed.
  bool SetPath(const QString& path);

  // Lists the folder again, keeping the selected name while its file is there.
  void Refresh();

  // The selected file's name without its folder; empty when none is selected.
  QString FileName() const;

 private:
  void list();

  QString path_;
};

}  // namespace widgets
