#include "tests/support/ScriptedDialogs.h"

namespace testsupport {

using platform::MsgAnswer;

ScriptedDialogs::ScriptedDialogs() { platform::SetDialogs(this); }

ScriptedDialogs::~ScriptedDialogs() { platform::SetDialogs(nullptr); }

QList<ShownBox> ScriptedDialogs::messages() const {
  QList<ShownBox> result;
  for (const ShownBox& box : shown_)
    if (box.kind == ShownBox::Message) result.append(box);
  return result;
}

MsgAnswer ScriptedDialogs::message(const QString& text, const QString& title,
                                   platform::MsgIcon icon, platform::MsgButtons buttons) {
  ShownBox box;
  box.kind = ShownBox::Message;
  box.text = text;
  box.title = title;
  box.icon = icon;
  box.buttons = buttons;
  shown_.append(box);
  if (auto action = std::exchange(onMessage_, nullptr)) action();
  if (!messages_.isEmpty()) return messages_.dequeue();
  switch (buttons) {
    case platform::MsgButtons::RetryCancel: return MsgAnswer::Cancel;
    case platform::MsgButtons::YesNo: return MsgAnswer::No;
    default: return MsgAnswer::Ok;
  }
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title,
                               const QString& defaultText) {
  ShownBox box;
  box.kind = ShownBox::Input;
  box.text = prompt;
  box.title = title;
  box.defaultText = defaultText;
  shown_.append(box);
  return inputs_.isEmpty() ? QString() : inputs_.dequeue();
}

QString ScriptedDialogs::openFile(const QString& title, const QList<platform::FileFilter>& filters,
                                  const QString& initialFolder) {
  ShownBox box;
  box.kind = ShownBox::OpenFile;
  box.title = title;
  box.filters = filters;
  box.initialFolder = initialFolder;
  shown_.append(box);
  return files_.isEmpty() ? QString() : files_.dequeue();
}

}  // namespace testsupport
