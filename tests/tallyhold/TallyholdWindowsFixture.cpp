#include "tests/tallyhold/TallyholdWindowsFixture.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include "common/platform/FileNumbers.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DAT_Info.h"
#include "tallyhold/windows/Main.h"
#include "tallyhold/windows/ProgressForm.h"

namespace tallyhold::testing {

void WindowsFixture::SetUp() {
  frame_ = Main();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
}

void WindowsFixture::TearDown() {
  frame_.reset();
  flushDeletes();
  platform::CloseAll();
}

DAT_Info* WindowsFixture::info() const { return frame_->findChild<DAT_Info*>("DAT_Info"); }

QString WindowsFixture::statusText() const { return child<QLabel>(*frame_, "Panel1").text(); }

QString WindowsFixture::infoValue(const char* name) const { return child<QLabel>(*info(), name).text(); }

QAction* WindowsFixture::action(const char* name) const {
  return frame_->findChild<QAction*>(QLatin1String(name));
}

int WindowsFixture::archiveWindowCount() const {
  int count = 0;
  for (const QMdiSubWindow* window : frame_->MdiArea().subWindowList())
    count += qobject_cast<const DAT_Container*>(window) ? 1 : 0;
  return count;
}

QString WindowsFixture::write(const testsupport::DatWriter& writer, const QString& name) {
  return writeBytes(writer.build(), name);
}

QString WindowsFixture::writeBytes(const QByteArray& bytes, const QString& name) {
  const QString path = dir.filePath(name);
  EXPECT_TRUE(testsupport::WriteFile(path, bytes));
  return path;
}

DAT_Container* WindowsFixture::openViaMenu(const QString& path) {
  dialogs.answerOpenFile(path);
  action("mnuOpenDAT")->trigger();
  flushDeletes();
  return state().LastWindow();
}

void WindowsFixture::flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

namespace {

void collect(const QTreeWidgetItem* item, std::vector<engine::TreeNode>& nodes) {
  const QTreeWidgetItem* parent = item->parent();
  nodes.push_back({item->data(0, Qt::UserRole).toString(), item->text(0),
                   parent ? parent->data(0, Qt::UserRole).toString() : QString()});
  for (int i = 0; i < item->childCount(); ++i) collect(item->child(i), nodes);
}

QTreeWidgetItem* findNode(QTreeWidgetItem* item, const QString& key) {
  if (item->data(0, Qt::UserRole).toString() == key) return item;
  for (int i = 0; i < item->childCount(); ++i)
    if (QTreeWidgetItem* found = findNode(item->child(i), key)) return found;
  return nullptr;
}

}  // namespace

QTreeWidget& treeOf(const DAT_Container& window) { return child<QTreeWidget>(window, "TreeView"); }

QTreeView& listOf(const DAT_Container& window) { return child<QTreeView>(window, "ListView"); }

void selectRows(const DAT_Container& window, const QList<int>& rows) {
  QTreeView& list = listOf(window);
  Qt::KeyboardModifiers modifiers;
  for (int row : rows) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                      list.visualRect(list.model()->index(row, 0)).center());
    modifiers = Qt::ControlModifier;
  }
}

std::vector<engine::TreeNode> nodesOf(const DAT_Container& window) {
  const QTreeWidget& tree = treeOf(window);
  std::vector<engine::TreeNode> nodes;
  for (int i = 0; i < tree.topLevelItemCount(); ++i) collect(tree.topLevelItem(i), nodes);
  return nodes;
}

QList<QStringList> rowsOf(const DAT_Container& window) {
  const QAbstractItemModel* model = listOf(window).model();
  QList<QStringList> rows;
  for (int r = 0; r < model->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < model->columnCount(); ++c) cells << model->index(r, c).data().toString();
    rows << cells;
  }
  return rows;
}

void clickNode(DAT_Container& window, const QString& key, Qt::MouseButton button) {
  QTreeWidget& tree = treeOf(window);
  QTreeWidgetItem* node = nullptr;
  for (int i = 0; i < tree.topLevelItemCount() && !node; ++i) node = findNode(tree.topLevelItem(i), key);
  ASSERT_NE(node, nullptr) << key.toStdString();
  tree.expandAll();
  tree.scrollToItem(node);
  QTest::mouseClick(tree.viewport(), button, {}, tree.visualItemRect(node).center());
}

ProgressForm* shownProgressForm() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<ProgressForm*>(widget); form && form->isVisible()) return form;
  return nullptr;
}

void pressCancel(ProgressForm& form) { QTest::mouseClick(&child<QPushButton>(form, "Command1"), Qt::LeftButton); }

AtEveryYield::AtEveryYield(std::function<void(ProgressForm&, int)> action) {
  timer_.setInterval(0);
  // While the window is first painted, before any work, user input waits.
  QObject::connect(&timer_, &QTimer::timeout, [this, action] {
    ProgressForm* form = shownProgressForm();
    if (form && form->Status().text() != QLatin1String("Initializing...")) action(*form, ++yields_);
  });
  timer_.start();
}

LastProgress::LastProgress() { qApp->installEventFilter(this); }

LastProgress::~LastProgress() { qApp->removeEventFilter(this); }

bool LastProgress::eventFilter(QObject* watched, QEvent* event) {
  auto* form = qobject_cast<ProgressForm*>(watched);
  if (form && event->type() == QEvent::Hide) {
    seen = true;
    caption = form->windowTitle();
    message = form->Message().text();
    status = form->Status().text();
    max = form->Bar().Max();
    value = form->Bar().Value();
  }
  return false;
}

}  // namespace tallyhold::testing
