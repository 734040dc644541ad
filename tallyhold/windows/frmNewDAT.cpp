#include "tallyhold/windows/frmNewDAT.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/widgets/DirListBox.h"

namespace tallyhold {

frmNewDAT::frmNewDAT(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmNewDAT"));
  setWindowTitle(QStringLiteral("New DAT from folder"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Folder to pack:"), this));
  folders_ = new widgets::DirListBox(this);
  folders_->setObjectName(QStringLiteral("Dir1"));
  folders_->SetPath(QDir::currentPath());
  layout->addWidget(folders_);
  auto* form = new QFormLayout;
  name_ = new QLineEdit(QStringLiteral("new.dat"), this);
  name_->setObjectName(QStringLiteral("txtName"));
  form->addRow(QStringLiteral("Name of the new DAT:"), name_);
  layout->addLayout(form);
  // The archive goes beside the folder packed, not into it: said before OK.
  target_ = new QLabel(this);
  target_->setObjectName(QStringLiteral("lblTarget"));
  layout->addWidget(target_);
  connect(folders_, &widgets::DirListBox::PathChanged, this, &frmNewDAT::showTarget);
  connect(name_, &QLineEdit::textChanged, this, &frmNewDAT::showTarget);
  showTarget();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QString frmNewDAT::Folder() const { return folders_->Path(); }

void frmNewDAT::showTarget() {
  const QString target = Target();
  target_->setText(target.isEmpty() ? QStringLiteral("No name given.")
                                    : QStringLiteral("Written as %1").arg(QDir::toNativeSeparators(target)));
}

QString frmNewDAT::Target() const {
  const QString name = name_->text().trimmed();
  if (name.isEmpty()) return {};
  return QDir::cleanPath(QDir(QFileInfo(Folder()).path()).filePath(name));
}

}  // namespace tallyhold
