#include "ledgerlamp/Main.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

#include "common/platform/EndProgram.h"
#include "ledgerlamp/About.h"
#include "common/platform/Fonts.h"

namespace ledgerlamp {

Main::Main() {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(QStringLiteral("Ledgerlamp 1.1"));
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  setFont(platform::DesignFont(QStringLiteral("MS Sans Serif"), 8.25));
  buildMenu();
  buildLayout();
  connectCommands();
}

void Main::connectCommands() {
  connect(cmdOpenDat, &QPushButton::clicked, this, &Main::cmdOpenDat_Click);
  connect(cmdUnloadDat, &QPushButton::clicked, this, &Main::cmdUnloadDat_Click);
  connect(cmdFirst, &QPushButton::clicked, this, [this] { moveTo(Move::First); });
  connect(cmdPrev, &QPushButton::clicked, this, [this] { moveTo(Move::Previous); });
  connect(cmdNext, &QPushButton::clicked, this, [this] { moveTo(Move::Next); });
  connect(cmdLast, &QPushButton::clicked, this, [this] { moveTo(Move::Last); });
  connect(cmdJump, &QPushButton::clicked, this, &Main::cmdJump_Click);
  connect(txtIndex, &QLineEdit::textChanged, this, &Main::txtIndex_Change);
  connect(Command1, &QPushButton::clicked, this, &Main::showAbout);
  connect(aboutmenu, &QAction::triggered, this, &Main::showAbout);
  connect(cmdExit, &QPushButton::clicked, this, [] { platform::EndProgram(); });
  connect(exit, &QAction::triggered, this, [] { platform::EndProgram(); });
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
