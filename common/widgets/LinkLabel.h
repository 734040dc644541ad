#pragma once
#include <QLabel>

namespace widgets {

// A blue label with a pointing hand that hands its web or mail address to the
// desktop when clicked; what the desktop does with it is not our concern.
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  LinkLabel(const QString& text, const QString& address, QWidget* parent);
  QString address() const { return address_; }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString address_;
};

}  // namespace widgets
