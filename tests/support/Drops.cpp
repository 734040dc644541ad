#include "tests/support/Drops.h"

#include <QApplication>
#include <QDropEvent>

namespace testsupport {
namespace {

constexpr Qt::DropActions Offered = Qt::CopyAction | Qt::MoveAction;

QPoint middleOf(const QWidget& widget) { return widget.rect().center(); }

}  // namespace

QMimeData* UriListOf(const QList<QByteArray>& paths) {
  QByteArray list;
  for (const QByteArray& path : paths) list += "file://" + path.toPercentEncoding("/") + "\r\n";
  auto* data = new QMimeData;
  data->setData(QStringLiteral("text/uri-list"), list);
  return data;
}

bool DragEnters(QWidget& widget, const QMimeData& data) {
  QDragEnterEvent enter(middleOf(widget), Offered, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &enter);
  return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
}

bool Drops(QWidget& widget, const QMimeData& data) {
  if (!DragEnters(widget, data)) return false;
  QDropEvent drop(middleOf(widget), Offered, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &drop);
  QCoreApplication::processEvents();
  return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

}  // namespace testsupport
