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
  labVersion->setText(QStringLiteral("Version %1.%2 Build %3")
                          .arg(VersionMajor)
                          .arg(VersionMinor)
                          .arg(VersionRevision));
  connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void About::setLoadedPath(const QString& path) { fLoad->setText(path); }

void About::buildLayout() {
  labAppName = namedLabel(QStringLiteral("labAppName"), QString::fromLatin1(ProgramTitle), this);
  labAppName->setFont(platform::DesignFont(QStringLiteral("Verdana"), 9.75, true));
  labVersion = namedLabel(QStringLiteral("labVersion"), QString(), this);

  QLabel* educational = namedLabel(QStringLiteral("labEducational"),
                                   QStringLiteral("FOR EDUCATIONAL PURPOSES ONLY!"), this);
  educational->setFont(platform::DesignFont(QStringLiteral("Tahoma"), 8.25, true));
  educational->setStyleSheet(QStringLiteral("color: red"));
  QLabel* credits = namedLabel(QStringLiteral("labCredits"),
                               QStringLiteral("Written by Lampwright of Brassmoth."), this);

  fLoad = new QLineEdit(this);
  fLoad->setObjectName(QStringLiteral("fLoad"));
  fLoad->setEnabled(false);

  auto* grid = new QGridLayout;
  grid->addWidget(namedLabel(QStringLiteral("Label1"), QStringLiteral("File currently loaded:"), this), 0, 0);
  grid->addWidget(fLoad, 0, 1);
  grid->addWidget(namedLabel(QStringLiteral("labSkarrow"),
                             QStringLiteral("Wanna know everything about Skarrow?"), this), 1, 0);
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

  Command1 = new QPushButton(QStringLiteral("OK!"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setDefault(true);

  auto* column = new QVBoxLayout(this);
  for (QLabel* line : {labAppName, labVersion, educational, credits}) column->addWidget(line);
  column->addLayout(grid);
  column->addWidget(Command1, 0, Qt::AlignRight);
  column->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace ledgerlamp
