#include "tallyhold/windows/DAT_Info.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "common/dat/DatFormat.h"
#include "common/platform/FitFont.h"
#include "common/platform/Fonts.h"
#include "common/platform/Twips.h"
#include "tallyhold/archive/ClsDatFile.h"
#include "tallyhold/windows/ToolCaptionStyle.h"

namespace tallyhold {
namespace {

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect twips,
              const char* tooltip) {
  auto* label = platform::Place(new QLabel(caption, parent), name, twips);
  label->setToolTip(QLatin1String(tooltip));
  return label;
}

constexpr const char* DataSizeTip = "Total size of the archive";
constexpr const char* TreeSizeTip = "Total size of the TreeDir including FilesTotal";
constexpr const char* FilesTotalTip = "How many files are in the DAT";
constexpr const char* DirTreeAddrTip = "Starting location of TreeDir";

}  // namespace

DAT_Info::DAT_Info(QAction& mnuShowDAT) : mnuShowDAT_(mnuShowDAT) {
  setObjectName(QStringLiteral("DAT_Info"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("DAT Information"));
  // A tool window's caption carries no icon.
  auto* caption = new ToolCaptionStyle;
  caption->setParent(this);
  setStyle(caption);
  setFont(platform::DesignFont(QStringLiteral("MS Sans Serif"), 7.5));
  auto* content = new QWidget;
  content->setFixedSize(platform::TwipsSize(1770, 1530));

  Label1 = label(content, "Label1", QStringLiteral("DataSize:"), {60, 120, 795, 195}, DataSizeTip);
  txtDataSize = label(content, "txtDataSize", {}, {960, 120, 735, 195}, DataSizeTip);
  Label2 = label(content, "Label2", QStringLiteral("TreeSize:"), {60, 360, 855, 195}, TreeSizeTip);
  txtTreeSize = label(content, "txtTreeSize", {}, {960, 360, 735, 195}, TreeSizeTip);
  Label3 = label(content, "Label3", QStringLiteral("FilesTotal:"), {60, 600, 795, 195},
                 FilesTotalTip);
  txtFilesTotal = label(content, "txtFilesTotal", {}, {960, 600, 735, 195}, FilesTotalTip);
  Label4 = label(content, "Label4", QStringLiteral("DirTreeAddr:"), {60, 840, 915, 195},
                 DirTreeAddrTip);
  txtDirTreeAddr = label(content, "txtDirTreeAddr", {}, {1020, 840, 675, 195}, DirTreeAddrTip);

  Command1 = new QPushButton(QStringLiteral("Hide this window"), content);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(platform::TwipsRect(60, 1200, 1635, 255));
  connect(Command1, &QPushButton::clicked, this, [this] {
    mnuShowDAT_.setChecked(false);
    hide();
  });

  setWidget(content);
}

// The boxes were laid out for eight digits; a longer value is drawn smaller
// rather than cut.
void DAT_Info::ShowValues(const ClsDatFile& archive) {
  const auto show = [](QLabel* value, const QString& text) {
    value->setFont(value->parentWidget()->font());
    value->setText(text);
    platform::ShrinkFontToFit(value);
  };
  show(txtDataSize, QString::number(archive.DataSize));
  show(txtTreeSize, QString::number(archive.TreeSize));
  show(txtFilesTotal, QString::number(archive.FilesTotal));
  show(txtDirTreeAddr, dat::FormatHex(archive.DirTreeAddr));
}

void DAT_Info::ClearValues() {
  for (QLabel* value : {txtDataSize, txtDirTreeAddr, txtFilesTotal, txtTreeSize}) value->clear();
}

void DAT_Info::closeEvent(QCloseEvent* event) {
  mnuShowDAT_.setChecked(false);
  QMdiSubWindow::closeEvent(event);
}

}  // namespace tallyhold
