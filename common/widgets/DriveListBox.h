#pragma once
// The drive list: the mounted volumes, each shown by its root folder, which is
// also the drive's current folder.
#include <QComboBox>
#include <QString>

namespace widgets {

class DriveListBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveListBox(QWidget* parent = nullptr);

  // The root folder of the current drive, such as "/" or "/media/usb".
  QString Drive() const;

  // Makes the drive that holds the path current, without DriveChanged, so that
  // a window can follow its folder list or go back after a failed change.
  // False, with nothing changed, when no mounted volume holds the path.
  bool SetDrive(const QString& path);

  // Reads the mounted volumes again, keeping the current drive.
  void Refresh();

  // The root folder of the volume that holds the path; empty when there is none.
  static QString DriveOf(const QString& path);

 signals:
  // The user chose another drive.
  void DriveChanged(const QString& drive);

 protected:
  // Volumes mounted since the last look show up when the list opens.
  void showPopup() override;

 private:
  void addDrive(const QString& root, const QString& name);
  void userChose(int index);

  QString drive_;
};

}  // namespace widgets
