#pragma once
// The caption bar of a tool window as designed: no icon, the caption from the
// left edge to the close box, so that a short caption in a narrow window is
// not cut to leave room for an icon it does not show.
#include <QProxyStyle>

namespace tallyhold {

class ToolCaptionStyle : public QProxyStyle {
 public:
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override;
};

}  // namespace tallyhold
