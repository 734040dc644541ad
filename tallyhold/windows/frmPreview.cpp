#include "tallyhold/windows/frmPreview.h"

#include <QAbstractListModel>
#include <QFontDatabase>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "common/platform/MousePointer.h"
#include "engine/archive/ClsTreeDir.h"
#include "engine/extract/ExtractReport.h"

namespace tallyhold {
namespace {

// One row per line of the text, or per 16 bytes of the hex dump, made when
// the row is shown: 16 MiB cost no more than the rows on screen.
class PreviewLines : public QAbstractListModel {
 public:
  PreviewLines(QByteArray bytes, bool text, QObject* parent)
      : QAbstractListModel(parent), bytes_(std::move(bytes)), text_(text) {
    if (text_) starts_ = engine::LineStarts(bytes_);
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    if (parent.isValid()) return 0;
    if (text_) return static_cast<int>(starts_.size());
    return static_cast<int>((bytes_.size() + engine::HexDumpWidth - 1) / engine::HexDumpWidth);
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (text_) return QString::fromLatin1(engine::LineAt(bytes_, starts_, row));
    const qint64 offset = static_cast<qint64>(row) * engine::HexDumpWidth;
    const qint64 length = std::min<qint64>(engine::HexDumpWidth, bytes_.size() - offset);
    return engine::HexDumpLine(QByteArrayView(bytes_).sliced(offset, length), offset);
  }

 private:
  QByteArray bytes_;
  bool text_;
  std::vector<qint32> starts_;
};

QString infoText(const engine::ClsTreeDir& entry, const engine::EntryPreview& preview, bool text) {
  if (!preview.Damage.isEmpty()) return engine::ShownName(entry.Filename) + ": " + preview.Damage;
  QString info = text ? QStringLiteral("Text (Latin-1), %1 bytes.") : QStringLiteral("Hex dump, %1 bytes.");
  info = info.arg(entry.RealSize);
  if (preview.Cut) info += QStringLiteral(" Only the first 16 MiB are shown.");
  return info;
}

}  // namespace

frmPreview* frmPreview::Open(const engine::ClsTreeDir& entry, const platform::ArchiveSource& archive,
                             QWidget* owner) {
  engine::EntryPreview preview;
  {
    const platform::BusyPointer busy;
    preview = engine::PreviewEntry(entry, archive);
  }
  auto* window = new frmPreview(entry, std::move(preview), owner);
  window->show();
  return window;
}

// A window of its own above its owner, gone with it.
frmPreview::frmPreview(const engine::ClsTreeDir& entry, engine::EntryPreview preview, QWidget* owner)
    : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("frmPreview"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Preview - ") + engine::ShownName(entry.Filename));
  const bool text = engine::LooksLikeText(preview.Bytes);
  info_ = new QLabel(infoText(entry, preview, text));
  info_->setObjectName(QStringLiteral("labInfo"));
  info_->setWordWrap(true);
  info_->setTextFormat(Qt::PlainText);
  info_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lines_ = new QListView;
  lines_->setObjectName(QStringLiteral("lstPreview"));
  lines_->setAccessibleName(QStringLiteral("Contents"));
  lines_->setUniformItemSizes(true);
  lines_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  lines_->setModel(new PreviewLines(std::move(preview.Bytes), text, lines_));
  lines_->setVisible(preview.Damage.isEmpty());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(info_);
  layout->addWidget(lines_, 1);
  resize(720, 480);
}

}  // namespace tallyhold
