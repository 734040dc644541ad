#pragma once
// Answers message, input and open-file boxes from queues and records every box
// shown with its exact texts. Installed for its lifetime.
#include <QList>
#include <QQueue>
#include <QString>
#include <functional>

#include "common/platform/DialogService.h"

namespace testsupport {

struct ShownBox {
  enum Kind { Message, Input, OpenFile };
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

 private:
  QQueue<platform::MsgAnswer> messages_;
  QQueue<QString> inputs_;
  QQueue<QString> files_;
  QList<ShownBox> shown_;
  std::function<void()> onMessage_;
};

}  // namespace testsupport
