#include "tallyhold/windows/ToolCaptionStyle.h"

#include <QStyleOptionComplex>

namespace tallyhold {

QRect ToolCaptionStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                       const QWidget* widget) const {
  if (control != CC_TitleBar || (part != SC_TitleBarSysMenu && part != SC_TitleBarLabel))
    return QProxyStyle::subControlRect(control, option, part, widget);
  if (part == SC_TitleBarSysMenu) return {};
  QRect label = QProxyStyle::subControlRect(control, option, part, widget);
  const QRect close = QProxyStyle::subControlRect(control, option, SC_TitleBarCloseButton, widget);
  label.setLeft(option->rect.left() + 2);
  label.setRight(close.left() - 2);
  return label;
}

}  // namespace tallyhold
