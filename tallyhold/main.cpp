#include <QApplication>
#include <QTimer>

#include "common/platform/ArchiveArguments.h"
#include "common/platform/Fonts.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/Main.h"
#include "tallyhold/windows/Main_Container.h"
#include "tallyhold/windows/OpenFromDesktop.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(tallyhold::AppTitle());
  const platform::ArchiveArguments arguments = platform::ParseArchiveArguments(
      platform::ArgumentsOf(argc, argv),
      {QStringLiteral("Browses Skarrow 2 DAT archives and extracts their entries."),
       QStringLiteral("%1.%2.%3")
           .arg(tallyhold::VersionMajor)
           .arg(tallyhold::VersionMinor)
           .arg(tallyhold::VersionRevision),
       true});
  if (arguments.exitStatus) return platform::Tell(arguments);
  platform::RegisterDesignFonts();
  const auto frame = tallyhold::Main();
  // Once the frame is on the screen, as if the user had chosen them.
  QTimer::singleShot(0, frame.get(),
                     [&frame, &arguments] { tallyhold::OpenArchives(*frame, arguments.archives); });
  return QApplication::exec();
}
