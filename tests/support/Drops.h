#pragma once
// A drag from outside the program over a window and its drop, as the window
// system delivers them: the data is built by the test, the events are sent
// to the widget under the pointer.
#include <QMimeData>
#include <QWidget>

namespace testsupport {

// text/uri-list of the files, each given as the bytes of its path.
QMimeData* UriListOf(const QList<QByteArray>& paths);

// Whether the widget (or a window above it) takes a drag that offers a copy
// or a move of the data.
bool DragEnters(QWidget& widget, const QMimeData& data);
// Drags the data in, drops it and lets the work it starts run; whether the
// drop was taken.
bool Drops(QWidget& widget, const QMimeData& data);

}  // namespace testsupport
