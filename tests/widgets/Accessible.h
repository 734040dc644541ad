#pragma once
// What a screen reader is told about a control: its name, label and role, as the
// platform's accessibility bridge reads them.
#include <QAccessible>
#include <QString>
#include <QWidget>

#include "tests/widgets/QtPrinters.h"

namespace testsupport {

inline QString AccessibleName(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The text of the label that labels the control, empty when none does.
inline QString AccessibleLabel(QWidget* widget) {
  const auto labels = QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
  return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

inline QAccessible::Role AccessibleRole(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->role();
}

}  // namespace testsupport
