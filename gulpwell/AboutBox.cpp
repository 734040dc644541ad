#include "gulpwell/AboutBox.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "common/platform/Twips.h"
#include "common/widgets/LinkLabel.h"

namespace gulpwell {
namespace {

constexpr int VersionMajor = 1;
constexpr int VersionMinor = 3;
constexpr int VersionRevision = 1;

const char* const Credits = "Gulpwell! compresses a whole file into a bare zlib stream, written next to it "
                            "under its name followed by .QZ, and turns such a stream back into a file: one "
                            "of its own .QZ files or a compressed entry copied out of a Skarrow 2 DAT archive.\n\n"
                            "Written by the Brassmoth group.\n"
                            "Compression by zlib, by Jean-loup Gailly and Mark Adler.";

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About Gulpwell! v1.3"));
  setFixedSize(platform::TwipsSize(5400, 3480));

  auto* text = platform::Place(new QPlainTextEdit(QString::fromLatin1(Credits), this), "Text1",
                               {120, 120, 5160, 1800});
  text->setReadOnly(true);
  text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  platform::Place(
      new QLabel(
          QStringLiteral("Version: %1.%2 Build %3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision),
          this),
      "Label3", {120, 2040, 3000, 255});
  platform::Place(new widgets::LinkLabel(QStringLiteral("Visit Brassmoth!"),
                                         QStringLiteral("https://brassmoth.example/"), this),
                  "Label1", {120, 2400, 3000, 255});
  platform::Place(new widgets::LinkLabel(QStringLiteral("Skarrow 2 Haven, the fan site"),
                                         QStringLiteral("https://skarrow2-haven.example/"), this),
                  "Label2", {120, 2760, 3000, 255});
  platform::Place(new widgets::LinkLabel(QStringLiteral("e-mail me!"),
                                         QStringLiteral("mailto:gulpwell@brassmoth.example"), this),
                  "Label4", {120, 3120, 3000, 255});

  auto* ok = platform::Place(new QPushButton(QStringLiteral("OK"), this), "cmd", {4200, 2940, 1080, 375});
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace gulpwell
