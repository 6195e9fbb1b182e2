#pragma once

#include <QFocusFrame>
#include <QPointer>
#include <QProxyStyle>

namespace quelvaris {

// The program's look over any style: a class button with the focus shows a
// clear ring around its circle instead of the style's dotted line beside its
// caption, which on these buttons is cut off and empty. The ring is drawn by
// a QFocusFrame that follows the focused class button, so that it may reach
// beyond the button's own small rectangle without moving anything; the style
// makes that frame and moves it along as the focus moves.
class FocusRingStyle : public QProxyStyle {
  Q_OBJECT

 public:
  using QProxyStyle::QProxyStyle;

  static constexpr int RING_MARGIN = 3;  // pixels between the circle's edge and the ring's outside

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override;

  void polish(QApplication* application) override;
  void unpolish(QApplication* application) override;
  using QProxyStyle::polish;
  using QProxyStyle::unpolish;

 private:
  void followFocus(QWidget* old, QWidget* now);

  QPointer<QFocusFrame> ring;
};

}  // namespace quelvaris
