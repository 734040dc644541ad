#pragma once
#include "common/platform/DialogService.h"

namespace platform {

// The dialogs the user sees: QMessageBox, QInputDialog and QFileDialog, owned
// by the active window.
class QtDialogService : public DialogService {
 public:
  MsgAnswer message(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) override;
  QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
  QString openFile(const QString& title, const QList<FileFilter>& filters, const QString& initialFolder) override;
  QStringList openFiles(const QString& title, const QList<FileFilter>& filters,
                        const QString& initialFolder) override;
};

}  // namespace platform
