#include "tallyhold/windows/frmAbout.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "common/platform/Twips.h"
#include "common/widgets/LinkLabel.h"
#include "tallyhold/windows/AppInfo.h"

namespace tallyhold {

const QString frmAbout::WebAddress = QStringLiteral("https://skarrow-tools.example.org/");
const QString frmAbout::AuthorMail = QStringLiteral("mailto:nell.harrow@skarrow-tools.example.org");
const QString frmAbout::EngineAuthorMail = QStringLiteral("mailto:tobin.vale@skarrow-tools.example.org");

namespace {

using platform::TwipsRect;

QLabel* label(QWidget* parent, const char* name, QRect twips, const QString& text = {}) {
  return platform::Place(new QLabel(text, parent), name, twips);
}

widgets::LinkLabel* link(QWidget* parent, const char* name, QRect twips, const QString& text,
                         const QString& address) {
  return platform::Place(new widgets::LinkLabel(text, address, parent), name, twips);
}

// The etched separator: a grey line over a white one.
QWidget* etchedLine(QWidget* parent) {
  auto* line = new QWidget(parent);
  line->setObjectName(QStringLiteral("Line1"));
  line->setGeometry(TwipsRect(105, 1640, 5520, 30));
  auto* grey = new QFrame(line);
  grey->setGeometry(0, 0, line->width(), 1);
  grey->setStyleSheet(QStringLiteral("background: #808080"));
  auto* white = new QFrame(line);
  white->setGeometry(0, 1, line->width(), 1);
  white->setStyleSheet(QStringLiteral("background: #ffffff"));
  return line;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  setFixedSize(platform::TwipsSize(5730, 2580));
  QFont tahoma(QStringLiteral("Tahoma"));
  tahoma.setPointSize(8);
  setFont(tahoma);

  QLabel* icon = label(this, "picIcon", {240, 240, 540, 540});
  icon->setPixmap(QApplication::windowIcon().pixmap(icon->size()));
  title_ = label(this, "lblTitle", {1050, 180, 4545, 300});
  QFont titleFont = tahoma;
  titleFont.setPointSize(12);
  titleFont.setBold(true);
  title_->setFont(titleFont);
  version_ = label(this, "lblVersion", {1050, 540, 4545, 225});
  description_ = label(this, "lblDescription", {1050, 840, 4545, 735});
  description_->setWordWrap(true);
  etchedLine(this);
  buildCredits();

  auto* okButton = platform::Place(new QPushButton(QStringLiteral("OK"), this), "cmdOK", {4245, 2040, 1260, 375});
  okButton->setDefault(true);
  // Esc rejects the dialog, which closes it just as OK does.
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
  load();
}

void frmAbout::buildCredits() {
  label(this, "Label4", {240, 1770, 2000, 210}, QStringLiteral("Written by Nell Harrow"));
  link(this, "Label2", {2300, 1770, 1850, 210}, QStringLiteral("Email Nell Harrow"), AuthorMail);
  label(this, "Label1", {240, 1995, 2000, 210}, QStringLiteral("Engine by Tobin Vale"));
  link(this, "Label6", {2300, 1995, 1850, 210}, QStringLiteral("Email Tobin Vale"), EngineAuthorMail);
  label(this, "Label5", {240, 2220, 2000, 210}, QStringLiteral("Both members of"));
  link(this, "Label3", {2300, 2220, 1850, 210}, QStringLiteral("Skarrow Tools Group"), WebAddress);
}

void frmAbout::load() {
  setWindowTitle(QStringLiteral("About ") + AppTitle());
  version_->setText(QStringLiteral("Version %1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
  title_->setText(AppTitle());
  description_->setText(QStringLiteral("This edition of Tallyhold provides the basics of loading DAT archives "
                                       "and extracting them, with the engine of the full edition."));
}

}  // namespace tallyhold
