#include "ledgerlamp/About.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/platform/Fonts.h"
#include "common/widgets/LinkLabel.h"
#include "ledgerlamp/Version.h"

namespace ledgerlamp {
namespace {

const QString GroupSite = QStringLiteral("https://brassmoth.example.org/");
const QString AuthorMail = QStringLiteral("MAILTO:lampwright@brassmoth.example.org");

QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

About::About(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("About"));
  setWindowTitle(QStringLiteral("About..."));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(true);
  setFont(platform::DesignFont(QStringLiteral("MS Sans Serif"), 8.25));
  buildLayout();
}

void About::setLoadedPath(const QString& path) { loadedPath_->setText(path); }

void About::buildLayout() {
  QLabel* appName = namedLabel(QStringLiteral("labAppName"), QString::fromLatin1(ProgramTitle), this);
  appName->setFont(platform::DesignFont(QStringLiteral("Verdana"), 9.75, true));
  QLabel* version = namedLabel(
      QStringLiteral("labVersion"),
      QStringLiteral("Version %1.%2 Build %3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision), this);
  QLabel* educational = namedLabel(QStringLiteral("labEducational"),
                                   QStringLiteral("FOR EDUCATIONAL PURPOSES ONLY!"), this);
  educational->setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25, true));
  educational->setStyleSheet(QStringLiteral("color: red"));
  QLabel* credits = namedLabel(QStringLiteral("labCredits"), QStringLiteral("Written by Lampwright of Brassmoth."),
                               this);

  auto* column = new QVBoxLayout(this);
  for (QLabel* line : {appName, version, educational, credits}) column->addWidget(line);
  column->addLayout(buildFileAndLinks());

  auto* ok = new QPushButton(QStringLiteral("OK!"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  column->addWidget(ok, 0, Qt::AlignRight);
  column->setSizeConstraint(QLayout::SetFixedSize);
}

// The file last chosen, then the two links, each after its caption.
QGridLayout* About::buildFileAndLinks() {
  loadedPath_ = new QLineEdit(this);
  loadedPath_->setObjectName(QStringLiteral("fLoad"));
  loadedPath_->setEnabled(false);

  auto* grid = new QGridLayout;
  grid->addWidget(namedLabel(QStringLiteral("Label1"), QStringLiteral("File currently loaded:"), this), 0, 0);
  grid->addWidget(loadedPath_, 0, 1);
  grid->addWidget(namedLabel(QStringLiteral("labSkarrow"), QStringLiteral("Wanna know everything about Skarrow?"),
                             this),
                  1, 0);
  auto* group = new widgets::LinkLabel(QStringLiteral("Brassmoth"), GroupSite, this);
  group->setObjectName(QStringLiteral("lnkGroup"));
  grid->addWidget(group, 1, 1);
  QLabel* questions = namedLabel(QStringLiteral("labQuestions"),
                                 QStringLiteral("Questions? Bugs? Comments? Send e-mail to:"), this);
  questions->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(questions, 2, 0);
  auto* author = new widgets::LinkLabel(QStringLiteral("Lampwright"), AuthorMail, this);
  author->setObjectName(QStringLiteral("lnkAuthor"));
  grid->addWidget(author, 2, 1);
  return grid;
}

}  // namespace ledgerlamp
