#pragma once
// Answers message, input and open-file boxes (one file or several) from
// queues and records every box shown with its exact texts. Installed for its
// lifetime.
#include <QList>
#include <QQueue>
#include <QString>
#include <functional>

#include "common/platform/DialogService.h"

namespace testsupport {

struct ShownBox {
  enum Kind { Message, Input, OpenFile, OpenFiles };
  ShownBox(Kind boxKind, const QString& boxText, const QString& boxTitle)
      : kind(boxKind), text(boxText), title(boxTitle) {}

  Kind kind = Message;
  QString text;  // message text, input prompt
  QString title;
  platform::MsgIcon icon = platform::MsgIcon::None;
  platform::MsgButtons buttons = platform::MsgButtons::Ok;
  QString defaultText;
  QList<platform::FileFilter> filters;
  QString initialFolder;
};

class ScriptedDialogs : public platform::DialogService {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;

  // Unanswered boxes get OK (or Cancel where there is no OK), empty input, no file.
  void answerMessage(platform::MsgAnswer answer) { messages_.enqueue(answer); }
  void answerInput(const QString& text) { inputs_.enqueue(text); }
  void answerOpenFile(const QString& path) { files_.enqueue(path); }
  void answerOpenFiles(const QStringList& paths) { fileLists_.enqueue(paths); }
  // Runs while the next message box is "open" (the caller is blocked in it).
  void onNextMessage(std::function<void()> action) { onMessage_ = std::move(action); }

  const QList<ShownBox>& shown() const { return shown_; }
  QList<ShownBox> messages() const;
  void clear() { shown_.clear(); }

  platform::MsgAnswer message(const QString& text, const QString& title, platform::MsgIcon icon,
                              platform::MsgButtons buttons) override;
  QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
  QString openFile(const QString& title, const QList<platform::FileFilter>& filters,
                   const QString& initialFolder) override;
  QStringList openFiles(const QString& title, const QList<platform::FileFilter>& filters,
                        const QString& initialFolder) override;

 private:
  QString answer(const ShownBox& box, QQueue<QString>& answers);
  QQueue<platform::MsgAnswer> messages_;
  QQueue<QString> inputs_;
  QQueue<QString> files_;
  QQueue<QStringList> fileLists_;
  QList<ShownBox> shown_;
  std::function<void()> onMessage_;
};

// The message box's text, title, icon and buttons, each as expected.
void ExpectBox(const ShownBox& box, const QString& text, const QString& title, platform::MsgIcon icon,
               platform::MsgButtons buttons);
// The open-file box of an archive: "Open DAT", the DAT filter named so, then everything,
// in the current folder.
void ExpectOpenDatBox(const ShownBox& box, const QString& datFilter);

}  // namespace testsupport
