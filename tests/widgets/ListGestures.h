#pragma once
// A user's clicks on the lines of a list, found by their text, and a fresh
// folder for a list to show.
#include <gtest/gtest.h>

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

namespace testsupport {

// A fresh folder, and the list on the screen at a size where every line shows.
template <typename List>
class ListFixture : public ::testing::Test {
 protected:
  void showList() {
    list.resize(300, 400);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  }

  QTemporaryDir dir;
  QString root = QDir::cleanPath(dir.path());
  List list;
};

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
