#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QDir>

#include "tests/widgets/QtPrinters.h"

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

MsgAnswer ScriptedDialogs::message(const QString& text, const QString& title, platform::MsgIcon icon,
                                   platform::MsgButtons buttons) {
  ShownBox box(ShownBox::Message, text, title);
  box.icon = icon;
  box.buttons = buttons;
  shown_.append(box);
  if (auto action = std::exchange(onMessage_, nullptr)) action();
  if (!messages_.isEmpty()) return messages_.dequeue();
  switch (buttons) {
    case platform::MsgButtons::RetryCancel:
      return MsgAnswer::Cancel;
    case platform::MsgButtons::YesNo:
      return MsgAnswer::No;
    default:
      return MsgAnswer::Ok;
  }
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title, const QString& defaultText) {
  ShownBox box(ShownBox::Input, prompt, title);
  box.defaultText = defaultText;
  return answer(box, inputs_);
}

QString ScriptedDialogs::openFile(const QString& title, const QList<platform::FileFilter>& filters,
                                  const QString& initialFolder) {
  ShownBox box(ShownBox::OpenFile, {}, title);
  box.filters = filters;
  box.initialFolder = initialFolder;
  return answer(box, files_);
}

QStringList ScriptedDialogs::openFiles(const QString& title, const QList<platform::FileFilter>& filters,
                                       const QString& initialFolder) {
  ShownBox box(ShownBox::OpenFiles, {}, title);
  box.filters = filters;
  box.initialFolder = initialFolder;
  shown_.append(box);
  return fileLists_.isEmpty() ? QStringList() : fileLists_.dequeue();
}

QString ScriptedDialogs::answer(const ShownBox& box, QQueue<QString>& answers) {
  shown_.append(box);
  return answers.isEmpty() ? QString() : answers.dequeue();
}

void ExpectBox(const ShownBox& box, const QString& text, const QString& title, platform::MsgIcon icon,
               platform::MsgButtons buttons) {
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.title, title);
  EXPECT_EQ(box.icon, icon);
  EXPECT_EQ(box.buttons, buttons);
}

void ExpectOpenDatBox(const ShownBox& box, const QString& datFilter) {
  EXPECT_EQ(box.kind, ShownBox::OpenFile);
  EXPECT_EQ(box.title, "Open DAT");
  ASSERT_EQ(box.filters.size(), 2);
  EXPECT_EQ(box.filters[0].description, datFilter);
  EXPECT_EQ(box.filters[0].pattern, "*.dat");
  EXPECT_EQ(box.filters[1].description, "Everything (*.*)");
  EXPECT_EQ(box.filters[1].pattern, "*.*");
  EXPECT_EQ(box.initialFolder, QDir::currentPath());
}

}  // namespace testsupport
