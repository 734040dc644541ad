#include "tallyhold/windows/DAT_Info.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>

#include "common/dat/DatFormat.h"
#include "common/platform/FitFont.h"
#include "common/platform/Fonts.h"
#include "common/platform/Twips.h"
#include "engine/archive/ClsDatFile.h"
#include "tallyhold/windows/ToolCaptionStyle.h"

namespace tallyhold {
namespace {

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect twips, const char* tooltip) {
  auto* label = platform::Place(new QLabel(caption, parent), name, twips);
  label->setToolTip(QLatin1String(tooltip));
  return label;
}

constexpr const char* DataSizeTip = "Total size of the archive";
constexpr const char* TreeSizeTip = "Total size of the TreeDir including FilesTotal";
constexpr const char* FilesTotalTip = "How many files are in the DAT";
constexpr const char* DirTreeAddrTip = "Starting location of TreeDir";

}  // namespace

DAT_Info::DAT_Info(QAction& showItem) : showItem_(showItem) {
  setObjectName(QStringLiteral("DAT_Info"));
  setAttribute(Qt::WA_DeleteOnClose);
  // The focus leaving a disabled frame must not land here and bring it to the front.
  setFocusPolicy(Qt::NoFocus);
  keepArchiveWindowsMaximised();
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("DAT Information"));
  // A tool window's caption carries no icon.
  auto* caption = new ToolCaptionStyle;
  caption->setParent(this);
  setStyle(caption);
  setFont(platform::DesignFont(QStringLiteral("MS Sans Serif"), 7.5));
  auto* content = new QWidget;
  content->setFixedSize(platform::TwipsSize(1770, 1530));

  label(content, "Label1", QStringLiteral("DataSize:"), {60, 120, 795, 195}, DataSizeTip);
  dataSize_ = label(content, "txtDataSize", {}, {960, 120, 735, 195}, DataSizeTip);
  label(content, "Label2", QStringLiteral("TreeSize:"), {60, 360, 855, 195}, TreeSizeTip);
  treeSize_ = label(content, "txtTreeSize", {}, {960, 360, 735, 195}, TreeSizeTip);
  label(content, "Label3", QStringLiteral("FilesTotal:"), {60, 600, 795, 195}, FilesTotalTip);
  filesTotal_ = label(content, "txtFilesTotal", {}, {960, 600, 735, 195}, FilesTotalTip);
  label(content, "Label4", QStringLiteral("DirTreeAddr:"), {60, 840, 915, 195}, DirTreeAddrTip);
  dirTreeAddr_ = label(content, "txtDirTreeAddr", {}, {1020, 840, 675, 195}, DirTreeAddrTip);

  auto* hideButton = platform::Place(new QPushButton(QStringLiteral("Hide this window"), content), "Command1",
                                     {60, 1200, 1635, 255});
  hideButton->setFocusPolicy(Qt::NoFocus);
  connect(hideButton, &QPushButton::clicked, this, [this] {
    showItem_.setChecked(false);
    hide();
  });

  setWidget(content);
}

// The area passes a maximised window's state on to the window it activates
// next. This small tool window must neither take that state nor end it for
// the archive window beneath, so the area is told not to pass it on for this
// one activation. Connected before the area connects its own handler, so
// that this runs first.
void DAT_Info::keepArchiveWindowsMaximised() {
  connect(this, &QMdiSubWindow::aboutToActivate, this, [this] {
    QMdiArea* area = mdiArea();
    if (!area || area->testOption(QMdiArea::DontMaximizeSubWindowOnActivation)) return;
    area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    QTimer::singleShot(0, area, [area] { area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, false); });
  });
}

// The boxes were laid out for eight digits; a longer value is drawn smaller
// rather than cut.
void DAT_Info::ShowValues(const engine::ClsDatFile& archive) {
  const auto show = [](QLabel* value, const QString& text) {
    value->setFont(value->parentWidget()->font());
    value->setText(text);
    platform::ShrinkFontToFit(value);
  };
  show(dataSize_, QString::number(archive.DataSize));
  show(treeSize_, QString::number(archive.TreeSize));
  show(filesTotal_, QString::number(archive.FilesTotal));
  show(dirTreeAddr_, dat::FormatHex(archive.DirTreeAddr));
}

void DAT_Info::ClearValues() {
  for (QLabel* value : {dataSize_, dirTreeAddr_, filesTotal_, treeSize_}) value->clear();
}

void DAT_Info::closeEvent(QCloseEvent* event) {
  showItem_.setChecked(false);
  QMdiSubWindow::closeEvent(event);
}

}  // namespace tallyhold
