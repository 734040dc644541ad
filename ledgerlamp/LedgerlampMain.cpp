#include <QApplication>
#include <QTimer>

#include "common/platform/ArchiveArguments.h"
#include "common/platform/Fonts.h"
#include "ledgerlamp/Main.h"
#include "ledgerlamp/Version.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(ledgerlamp::ProgramTitle));
  const platform::ArchiveArguments arguments = platform::ParseArchiveArguments(
      platform::ArgumentsOf(argc, argv),
      {QStringLiteral("Steps through the directory records of a Skarrow 2 DAT archive."),
       QStringLiteral("%1.%2.%3")
           .arg(ledgerlamp::VersionMajor)
           .arg(ledgerlamp::VersionMinor)
           .arg(ledgerlamp::VersionRevision),
       false});
  if (arguments.exitStatus) return platform::Tell(arguments);
  platform::RegisterDesignFonts();
  ledgerlamp::Main window;
  window.show();
  // Once the window is on the screen, as if the user had chosen it.
  if (!arguments.archives.isEmpty())
    QTimer::singleShot(0, &window, [&window, &arguments] { window.LoadGiven(arguments.archives.first()); });
  return QApplication::exec();
}
