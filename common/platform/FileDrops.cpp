#include "common/platform/FileDrops.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "common/platform/PathBytes.h"

namespace platform {

// QUrl::toLocalFile would decode the path as UTF-8 and lose every other byte.
QStringList LocalFilesOf(const QMimeData& data) {
  QStringList files;
  for (const QUrl& url : data.urls()) {
    const QString host = url.host();
    if (!url.isLocalFile() || !(host.isEmpty() || host == QLatin1String("localhost"))) continue;
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!path.isEmpty()) files << DecodedPath(path);
  }
  return files;
}

FileDropTarget::FileDropTarget(QWidget& window, Handler handler)
    : QObject(&window), window_(window), handler_(std::move(handler)) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

// A copy, never a move: a file manager removes the source of a move.
bool FileDropTarget::takes(const QDropEvent& event) const {
  return window_.isEnabled() && !QApplication::activeModalWidget() && !busy_ && !event.source() &&
         (event.possibleActions() & Qt::CopyAction) && !LocalFilesOf(*event.mimeData()).isEmpty();
}

bool FileDropTarget::eventFilter(QObject*, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto& drop = static_cast<QDropEvent&>(*event);
  if (!takes(drop)) {
    drop.ignore();
    return true;
  }
  drop.setDropAction(Qt::CopyAction);
  drop.accept();
  if (type == QEvent::Drop) handOn(LocalFilesOf(*drop.mimeData()));
  return true;
}

void FileDropTarget::handOn(const QStringList& files) {
  busy_ = true;
  QTimer::singleShot(0, this, [this, files] {
    handler_(files);
    busy_ = false;
  });
}

}  // namespace platform
