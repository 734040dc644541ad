#pragma once
// Files dropped on a window from outside the program (a file manager's
// text/uri-list of local files). They are handed on once the drop is over,
// so that the source is not kept waiting by the work they start.
#include <QObject>
#include <QStringList>
#include <functional>

class QDropEvent;
class QMimeData;
class QWidget;

namespace platform {

// The local files the data names, in its order, each as the bytes it names;
// any other address is left out.
QStringList LocalFilesOf(const QMimeData& data);

// Owned by the window. A drop is refused while the window is disabled (a load
// or an extraction runs) or a modal window is open, while files dropped
// before are still being handed on, and when it comes from the program itself.
class FileDropTarget : public QObject {
 public:
  using Handler = std::function<void(const QStringList& files)>;
  FileDropTarget(QWidget& window, Handler handler);

 protected:
  bool eventFilter(QObject*, QEvent* event) override;

 private:
  bool takes(const QDropEvent& event) const;
  void handOn(const QStringList& files);

  QWidget& window_;
  Handler handler_;
  bool busy_ = false;
};

}  // namespace platform
