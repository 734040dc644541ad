#include "tallyhold/windows/frmFind.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "common/platform/FileNumbers.h"
#include "common/platform/Fonts.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/EntryDrag.h"
#include "tallyhold/windows/FindResultsModel.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/frmExtract.h"

namespace tallyhold {
namespace {

constexpr int ColumnWidths[FindResultsModel::ColumnCount] = {320, 80, 80, 80};

QString countText(std::size_t found) {
  if (found == 0) return QStringLiteral("No entry matches the pattern");
  if (found == 1) return QStringLiteral("1 entry found");
  return QStringLiteral("%1 entries found").arg(found);
}

QPushButton* button(const char* caption, const char* name) {
  auto* button = new QPushButton(QLatin1String(caption));
  button->setObjectName(QLatin1String(name));
  return button;
}

}  // namespace

frmFind::frmFind(Main_Container& frame, DAT_Container& window, std::shared_ptr<engine::ClsDatFile> archive)
    : QWidget(&frame, Qt::Window), frame_(frame), window_(&window), archive_(std::move(archive)) {
  setObjectName(QStringLiteral("frmFind"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Find entries in ") + window.windowTitle());
  setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25));

  auto* label = new QLabel(QStringLiteral("Names like (* any characters, ? one, \\ or / between folders):"));
  label->setObjectName(QStringLiteral("labPattern"));
  pattern_ = new QLineEdit;
  pattern_->setObjectName(QStringLiteral("txtPattern"));
  label->setBuddy(pattern_);

  auto* results = new EntryDragView;
  results->SetDragSource([this] { return Dragged(); });
  results_ = results;
  results_->setObjectName(QStringLiteral("lstResults"));
  results_->setAccessibleName(QStringLiteral("Entries found"));
  results_->setRootIsDecorated(false);
  results_->setItemsExpandable(false);
  results_->setUniformRowHeights(true);
  results_->setAllColumnsShowFocus(true);
  results_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  results_->setSelectionBehavior(QAbstractItemView::SelectRows);
  model_ = new FindResultsModel(results_);
  results_->setModel(model_);
  results_->header()->setStretchLastSection(false);
  for (int column = 0; column < FindResultsModel::ColumnCount; ++column)
    results_->header()->resizeSection(column, ColumnWidths[column]);

  status_ = new QLabel;
  status_->setObjectName(QStringLiteral("labStatus"));
  extract_ = button("Extract selected...", "cmdExtract");
  showFolder_ = button("Show folder", "cmdShowFolder");
  QPushButton* close = button("Close", "cmdClose");
  extract_->setEnabled(false);
  showFolder_->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(status_, 1);
  buttons->addWidget(extract_);
  buttons->addWidget(showFolder_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(pattern_);
  layout->addWidget(results_, 1);
  layout->addLayout(buttons);
  resize(640, 420);

  startSearches();
  connect(pattern_, &QLineEdit::textChanged, this, &frmFind::search);
  connect(results_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    const bool any = results_->selectionModel()->hasSelection();
    extract_->setEnabled(any);
    showFolder_->setEnabled(any);
  });
  // From the box to the results by keys; Enter or a double-click on a result shows it.
  connect(pattern_, &QLineEdit::returnPressed, this, [this] {
    if (model_->rowCount() == 0) return;
    results_->setFocus();
    if (!results_->selectionModel()->hasSelection())
      results_->selectionModel()->setCurrentIndex(model_->index(0, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  });
  connect(results_, &QTreeView::activated, this, &frmFind::showFolder);
  connect(extract_, &QPushButton::clicked, this, &frmFind::extractSelected);
  connect(showFolder_, &QPushButton::clicked, this, &frmFind::showFolder);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(&window, &DAT_Container::Closing, this, &QWidget::close);
}

// The search's thread ends before anything it may call goes.
frmFind::~frmFind() { search_.reset(); }

// The results come from the search's thread; they are shown on this one,
// and only while the window is there.
void frmFind::startSearches() {
  search_ = std::make_unique<engine::EntrySearch>(archive_->SharedColTrees(), [this](engine::SearchResults found) {
    QMetaObject::invokeMethod(
        this, [this, found = std::move(found)]() mutable { showResults(std::move(found)); }, Qt::QueuedConnection);
  });
}

void frmFind::ArchiveReadAgain(std::shared_ptr<engine::ClsDatFile> archive) {
  search_.reset();
  archive_ = std::move(archive);
  model_->SetResults({});
  startSearches();
  search(pattern_->text());
}

void frmFind::search(const QString& pattern) {
  status_->setText(pattern.isEmpty() ? QString() : QStringLiteral("Searching..."));
  search_->Search(pattern);
}

// Results of a pattern typed over meanwhile, or of a reading of the archive
// gone since, are not shown: the newer ones follow.
void frmFind::showResults(engine::SearchResults results) {
  if (results.Pattern != pattern_->text() || results.Folders != archive_->SharedColTrees()) return;
  if (!results.Pattern.isEmpty()) status_->setText(countText(results.Entries.size()));
  model_->SetResults(std::move(results));
  emit ResultsShown();
}

// None while the results are of a reading of the archive that is gone: its
// number may name another file by now.
std::vector<const engine::ClsTreeDir*> frmFind::selectedEntries() const {
  if (frame_.State().DATFiles.Find(archive_->Index) != archive_) return {};
  QModelIndexList rows = results_->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end());
  std::vector<const engine::ClsTreeDir*> entries;
  for (const QModelIndex& row : rows) entries.push_back(&model_->EntryAt(row.row()));
  return entries;
}

DraggedEntries frmFind::Dragged() const {
  DraggedEntries dragged{{}, platform::SourceOf(archive_->Index)};
  // Each entry shares the ownership of the folders that hold it.
  for (const engine::ClsTreeDir* entry : selectedEntries())
    dragged.entries.emplace_back(model_->Results().Folders, entry);
  return dragged;
}

// Files mode for entries of any folders: the run takes exactly them.
void frmFind::extractSelected() {
  const std::vector<const engine::ClsTreeDir*> entries = selectedEntries();
  if (entries.empty() || !window_) return;
  auto* dialog = new frmExtract({&frame_, archive_, window_->windowTitle()});
  dialog->show();
  dialog->ShowEntries(entries);
}

void frmFind::showFolder() {
  const std::vector<const engine::ClsTreeDir*> entries = selectedEntries();
  if (!entries.empty()) frame_.ShowEntry(archive_->Index, entries.front()->Filename);
}

}  // namespace tallyhold
