// The data that a drag of list rows carries to a file manager: files
// extracted as Extract selected extracts them, in a private folder that goes
// without following a link. The window system's part is not tested here.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QUrl>

#include "common/platform/FileNumbers.h"
#include "tallyhold/windows/DAT_Container.h"
#include "tallyhold/windows/DragFolder.h"
#include "tallyhold/windows/EntryDrag.h"
#include "tallyhold/windows/frmExtract.h"
#include "tests/tallyhold/ExtractDialogsFixture.h"

namespace tallyhold::testing {
namespace {

using testsupport::DatWriter;
using testsupport::ReadFile;
using testsupport::SampleText;

class TallyholdDragOutTest : public ExtractDialogsFixture {
 protected:
  void SetUp() override {
    ExtractDialogsFixture::SetUp();
    DatWriter writer;
    writer.add("ART\\A.TXT", SampleText(9000, 1), true);
    writer.add("ART\\B.BIN", "stored bytes");
    testsupport::FixtureEntry damaged{"ART\\BAD.MSG", SampleText(5000), true};
    damaged.body = QByteArray(200, 'x');
    writer.add(damaged);
    writer.add("ART\\C.TXT", SampleText(700, 3), true);
    window = openViaMenu(write(writer));
    ASSERT_NE(window, nullptr);
    clickNode(*window, "Mother0");
    dialogs.clear();
  }

  void TearDown() override {
    dragfolder::RemoveAll();
    ExtractDialogsFixture::TearDown();
  }

  DraggedEntries selected() const {
    return {window->SelectedEntries(), platform::SourceOf(window->ArchiveNumber())};
  }

  // Extract selected of the same rows, run through its dialog into a new folder.
  QString extractSelectedInto(const QString& name) {
    action("extractselected")->trigger();
    frmExtract* dialog = shownDialog<frmExtract>();
    EXPECT_NE(dialog, nullptr);
    const QString dest = folder(name);
    if (dialog) runInto(*dialog, dest);
    return dest;
  }

  static QString localFile(const QVariant& url) { return url.toUrl().toLocalFile(); }

  DAT_Container* window = nullptr;
};

TEST_F(TallyholdDragOutTest, TheDraggedFilesHoldWhatExtractSelectedWrites) {
  selectRows(*window, {0, 1, 3});
  EntryMimeData data(selected());
  EXPECT_EQ(data.formats(), QStringList{"text/uri-list"});
  const QList<QUrl> urls = data.urls();
  const QString dest = extractSelectedInto("selected");
  QStringList names;
  for (const QUrl& url : urls) {
    const QFileInfo file(url.toLocalFile());
    names << file.fileName();
    EXPECT_EQ(ReadFile(file.filePath()), ReadFile(dest + "/" + file.fileName())) << file.fileName().toStdString();
  }
  EXPECT_EQ(names, contentsOf(dest));
  EXPECT_EQ(names, (QStringList{"A.TXT", "B.BIN", "C.TXT"}));
}

TEST_F(TallyholdDragOutTest, DamagedEntriesAreToldInTheWordsOfExtractSelected) {
  selectRows(*window, {1, 2});
  EntryMimeData data(selected());
  ASSERT_EQ(data.urls().size(), 1);
  QCoreApplication::processEvents();
  ASSERT_EQ(dialogs.messages().size(), 1);
  const testsupport::ShownBox dragged = dialogs.messages().first();
  dialogs.clear();
  const QString dest = extractSelectedInto("selected");
  ASSERT_EQ(dialogs.messages().size(), 1);
  const testsupport::ShownBox box = dialogs.messages().first();
  EXPECT_EQ(dragged.text, QString(box.text).replace(" to " + dest + "/", ""));
  EXPECT_TRUE(dragged.text.contains("ART\\BAD.MSG: the compressed data are damaged"));
  EXPECT_EQ(dragged.title, box.title);
  EXPECT_EQ(dragged.icon, platform::MsgIcon::Exclamation);
}

TEST_F(TallyholdDragOutTest, ThePrivateFolderGoesWithoutFollowingAPlantedLink) {
  selectRows(*window, {0});
  EntryMimeData data(selected());
  const QString file = localFile(data.urls().value(0));
  ASSERT_FALSE(file.isEmpty());
  const QString dragFolder = QFileInfo(file).path();
  const QString privateFolder = QFileInfo(dragFolder).path();
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(privateFolder).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  const QString outside = folder("outside");
  ASSERT_TRUE(testsupport::WriteFile(outside + "/keep", "mine"));
  ASSERT_TRUE(QFile::link(outside, dragFolder + "/link"));
  ASSERT_TRUE(QFile::link(outside, privateFolder + "/99"));
  dragfolder::RemoveAll();
  EXPECT_FALSE(QFileInfo::exists(privateFolder));
  EXPECT_EQ(ReadFile(outside + "/keep"), "mine");
}

TEST_F(TallyholdDragOutTest, ADragNobodyTookLeavesNoFiles) {
  selectRows(*window, {0});
  EntryMimeData taken(selected());
  EntryMimeData refused(selected());
  const QString kept = localFile(taken.urls().value(0));
  const QString dropped = localFile(refused.urls().value(0));
  ASSERT_NE(kept, dropped);
  refused.Discard();
  EXPECT_FALSE(QFileInfo::exists(QFileInfo(dropped).path()));
  EXPECT_TRUE(QFileInfo::exists(kept));
}

// A folder of the private kind, as a run leaves it, made two minutes ago.
QByteArray leftFolder() {
  QByteArray name = QFile::encodeName(QDir::tempPath() + "/tallyhold-drag-XXXXXX");
  if (!::mkdtemp(name.data())) return {};
  testsupport::WriteFile(QFile::decodeName(name) + "/old", "old");
  const timeval past[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
  ::utimes(name.constData(), past);
  return name;
}

TEST_F(TallyholdDragOutTest, TheFirstDragRemovesWhatADeadRunLeftButNotALiveRunsFolder) {
  const QByteArray dead = leftFolder();
  const QByteArray live = leftFolder();
  ASSERT_FALSE(dead.isEmpty() || live.isEmpty());
  const int liveLock = ::open(live.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_EQ(::flock(liveLock, LOCK_EX | LOCK_NB), 0);
  dragfolder::RemoveAll();
  selectRows(*window, {0});
  EntryMimeData data(selected());
  ASSERT_EQ(data.urls().size(), 1);
  EXPECT_FALSE(QFileInfo::exists(QFile::decodeName(dead)));
  EXPECT_TRUE(QFileInfo::exists(QFile::decodeName(live) + "/old"));
  ::close(liveLock);
  QDir(QFile::decodeName(live)).removeRecursively();
}

}  // namespace
}  // namespace tallyhold::testing
