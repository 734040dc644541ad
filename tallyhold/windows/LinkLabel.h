#pragma once
#include <QLabel>

namespace tallyhold {

// A blue label with a hand pointer that reports a click.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  LinkLabel(const char* name, const QString& text, QWidget* parent);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tallyhold
