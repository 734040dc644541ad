#include "ledgerlamp/Main.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

#include "common/platform/EndProgram.h"
#include "common/platform/FileDrops.h"
#include "common/platform/Fonts.h"
#include "ledgerlamp/About.h"

namespace ledgerlamp {

Main::Main() {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(QStringLiteral("Ledgerlamp 1.1"));
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setFont(platform::DesignFont(QStringLiteral("MS Sans Serif"), 8.25));
  buildMenu();
  buildLayout();
  connectCommands();
  // Of several files dropped the first is loaded: the reader shows one archive.
  new platform::FileDropTarget(*this, [this](const QStringList& files) { LoadGiven(files.first()); });
}

void Main::connectCommands() {
  connect(openButton_, &QPushButton::clicked, this, &Main::chooseArchive);
  connect(unloadButton_, &QPushButton::clicked, this, &Main::unloadArchive);
  connect(firstButton_, &QPushButton::clicked, this, [this] { moveTo(Move::First); });
  connect(previousButton_, &QPushButton::clicked, this, [this] { moveTo(Move::Previous); });
  connect(nextButton_, &QPushButton::clicked, this, [this] { moveTo(Move::Next); });
  connect(lastButton_, &QPushButton::clicked, this, [this] { moveTo(Move::Last); });
  connect(jumpButton_, &QPushButton::clicked, this, &Main::jumpToNumber);
  connect(indexBox_, &QLineEdit::textChanged, this, &Main::applyIndexRule);
  connect(aboutButton_, &QPushButton::clicked, this, &Main::showAbout);
  connect(aboutAction_, &QAction::triggered, this, &Main::showAbout);
  connect(exitButton_, &QPushButton::clicked, this, [] { platform::EndProgram(); });
  connect(exitAction_, &QAction::triggered, this, [] { platform::EndProgram(); });
}

// Closing never asks and is never refused: the files are closed and the program ends.
void Main::closeEvent(QCloseEvent* event) {
  platform::EndProgram();
  event->accept();
}

About* Main::aboutWindow() {
  if (!about_) about_ = new About(this);
  return about_;
}

void Main::showAbout() { aboutWindow()->exec(); }

}  // namespace ledgerlamp
