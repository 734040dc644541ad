#pragma once
// A user's clicks on the lines of a list, found by their text.
#include <QListWidget>
#include <QTest>

namespace testsupport {

inline QListWidgetItem* LineNamed(QListWidget* list, const QString& text) {
  const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  return found.isEmpty() ? nullptr : found.last();
}

inline QPoint CentreOf(QListWidget* list, QListWidgetItem* item) {
  list->scrollToItem(item);
  return list->visualItemRect(item).center();
}

inline void ClickLine(QListWidget* list, QListWidgetItem* item) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CentreOf(list, item));
}

// As the system delivers it: a click, then the double-click event.
inline void DoubleClickLine(QListWidget* list, QListWidgetItem* item) {
  const QPoint centre = CentreOf(list, item);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

inline QStringList LineTexts(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

}  // namespace testsupport
