#pragma once
#include <QLabel>

namespace gulpwell {

// A blue label with a pointing hand that hands its address to the desktop when clicked.
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

}  // namespace gulpwell
