#include "common/widgets/DirListBox.h"

#include <QDir>
#include <QStyle>
#include <QStyledItemDelegate>

namespace widgets {
namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int DepthRole = Qt::UserRole + 1;

// Each line is indented by its depth, as in a classic folder list.
class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem indented(option);
    indented.rect.setLeft(option.rect.left() + indentOf(index));
    QStyledItemDelegate::paint(painter, indented, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(indentOf(index), 0);
  }

 private:
  static int indentOf(const QModelIndex& index) { return index.data(DepthRole).toInt() * 12; }
};

}  // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
  // Item views take no name from a label; a window with a prompt for the list
  // names it after that.
  setAccessibleName(QStringLiteral("Folders"));
  setItemDelegate(new IndentDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemActivated, this, &DirListBox::openLine);
  SetPath(QDir::currentPath());
}

QString DirListBox::Path() const { return path_; }

bool DirListBox::SetPath(const QString& path) {
  lastFailure_ = CheckFolder(path);
  if (lastFailure_ != FolderFailure::None) return false;
  const QString normal = NormalFolderPath(path);
  const bool moved = normal != path_;
  path_ = normal;
  list();
  if (moved) emit PathChanged(path_);
  return true;
}

void DirListBox::Refresh() {
  QString folder = path_;
  while (CheckFolder(folder) != FolderFailure::None && folder != QDir::rootPath())
    folder = NormalFolderPath(folder + QStringLiteral("/.."));
  SetPath(folder);
}

void DirListBox::list() {
  clear();
  const QStringList names = path_.split('/', Qt::SkipEmptyParts);
  QString ancestor = QDir::rootPath();
  addLine(ancestor, ancestor, 0, true);
  for (int depth = 1; depth <= names.size(); ++depth) {
    ancestor = QDir(ancestor).filePath(names[depth - 1]);
    addLine(ancestor, names[depth - 1], depth, true);
  }
  setCurrentRow(count() - 1);
  const QDir current(path_);
  const QStringList subfolders = current.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                                                   QDir::Name | QDir::IgnoreCase);
  for (const QString& name : subfolders)
    addLine(current.filePath(name), name, static_cast<int>(names.size()) + 1, false);
}

void DirListBox::addLine(const QString& path, const QString& text, int depth, bool open) {
  auto* item = new QListWidgetItem(style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon),
                                   text, this);
  item->setData(PathRole, path);
  item->setData(DepthRole, depth);
}

void DirListBox::openLine(QListWidgetItem* item) {
  const QString path = item->data(PathRole).toString();
  if (SetPath(path)) return;
  const FolderFailure failure = lastFailure_;
  Refresh();
  emit OpenFailed(path, failure);
}

}  // namespace widgets
