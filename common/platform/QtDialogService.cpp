#include "common/platform/QtDialogService.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace platform {
namespace {

// The texts use lone carriage returns as line breaks; Qt's labels want line feeds.
QString displayText(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

QMessageBox::Icon qtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical:
      return QMessageBox::Critical;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::Exclamation:
      return QMessageBox::Warning;
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

MsgAnswer answerOf(int button) {
  switch (button) {
    case QMessageBox::Cancel:
      return MsgAnswer::Cancel;
    case QMessageBox::Retry:
      return MsgAnswer::Retry;
    case QMessageBox::Yes:
      return MsgAnswer::Yes;
    case QMessageBox::No:
      return MsgAnswer::No;
    default:
      return MsgAnswer::Ok;
  }
}

// The filters as Qt's file dialogs take them.
QString filterText(const QList<FileFilter>& filters) {
  QStringList filterTexts;
  for (const FileFilter& filter : filters) {
    // The description already names the pattern in brackets, as Qt expects.
    filterTexts << (filter.description.contains(filter.pattern)
                        ? filter.description
                        : filter.description + QStringLiteral(" (") + filter.pattern + ')');
  }
  return filterTexts.join(QStringLiteral(";;"));
}

}  // namespace

MsgAnswer QtDialogService::message(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) {
  QMessageBox box(qtIcon(icon), title, displayText(text), qtButtons(buttons), QApplication::activeWindow());
  return answerOf(box.exec());
}

QString QtDialogService::input(const QString& prompt, const QString& title, const QString& defaultText) {
  bool ok = false;
  const QString text = QInputDialog::getText(QApplication::activeWindow(), title, displayText(prompt),
                                             QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

QString QtDialogService::openFile(const QString& title, const QList<FileFilter>& filters,
                                  const QString& initialFolder) {
  return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, initialFolder, filterText(filters));
}

QStringList QtDialogService::openFiles(const QString& title, const QList<FileFilter>& filters,
                                       const QString& initialFolder) {
  return QFileDialog::getOpenFileNames(QApplication::activeWindow(), title, initialFolder, filterText(filters));
}

}  // namespace platform
