#pragma once
// Every message box, input box and open-file dialog goes through this service,
// so that tests can answer them from a script and read back their exact texts.
#include <QList>
#include <QString>
#include <QStringList>

namespace platform {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, RetryCancel, YesNo };
enum class MsgAnswer { Ok, Cancel, Retry, Yes, No };

struct FileFilter {
  QString description;  // "Skarrow 2 DAT Files (*.dat)"
  QString pattern;      // "*.dat"
};

class DialogService {
 public:
  virtual ~DialogService() = default;
  virtual MsgAnswer message(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) = 0;
  // Cancel gives empty text.
  virtual QString input(const QString& prompt, const QString& title, const QString& defaultText) = 0;
  // The first filter is preselected; cancel gives empty text.
  virtual QString openFile(const QString& title, const QList<FileFilter>& filters,
                           const QString& initialFolder) = 0;
  // Several files at once; cancel gives none. A service that has no such
  // dialog offers the one-file dialog.
  virtual QStringList openFiles(const QString& title, const QList<FileFilter>& filters,
                                const QString& initialFolder) {
    const QString file = openFile(title, filters, initialFolder);
    return file.isEmpty() ? QStringList() : QStringList{file};
  }
};

// The service in use: the Qt one unless a test installed another.
DialogService& Dialogs();
// Installs a service (not owned); nullptr goes back to the Qt one.
void SetDialogs(DialogService* service);

}  // namespace platform
