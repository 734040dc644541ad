#pragma once
// A label drawn as a link that hands its address to the desktop when clicked.
#include <QLabel>

namespace ledgerlamp {

class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  LinkLabel(const QString& text, const QString& address, QWidget* parent);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString address_;
};

}  // namespace ledgerlamp
