#include "look/focus_ring_style.h"

#include <QApplication>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionButton>

namespace quelvaris {

void FocusRingStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  if (element == CE_RadioButton && (option->state & State_HasFocus)) {
    QStyleOptionButton unfocused = *qstyleoption_cast<const QStyleOptionButton*>(option);
    unfocused.state &= ~State_HasFocus;
    QProxyStyle::drawControl(element, &unfocused, painter, widget);
    return;
  }
  const auto* frame = qobject_cast<const QFocusFrame*>(widget);
  const auto* button =
      frame != nullptr ? qobject_cast<const QRadioButton*>(frame->widget()) : nullptr;
  if (element != CE_FocusFrame || button == nullptr) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  // The frame stands RING_MARGIN pixels outside the button on every side.
  QStyleOptionButton buttonOption;
  buttonOption.initFrom(button);
  const QRect circle = subElementRect(SE_RadioButtonIndicator, &buttonOption, button)
                           .translated(RING_MARGIN, RING_MARGIN);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setPen(QPen(option->palette.color(QPalette::Highlight), 2));
  painter->setBrush(Qt::NoBrush);
  painter->drawEllipse(QRectF(circle).adjusted(-2, -2, 2, 2));
  painter->restore();
}

int FocusRingStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                const QWidget* widget) const {
  if (metric == PM_FocusFrameHMargin || metric == PM_FocusFrameVMargin) return RING_MARGIN;
  return QProxyStyle::pixelMetric(metric, option, widget);
}

// The ring is drawn whole, over the button: no mask cuts the frame to a border.
int FocusRingStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                              QStyleHintReturn* returnData) const {
  if (hint == SH_FocusFrame_Mask) return 0;
  if (hint == SH_FocusFrame_AboveWidget) return 1;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void FocusRingStyle::polish(QApplication* application) {
  QProxyStyle::polish(application);
  connect(application, &QApplication::focusChanged, this, &FocusRingStyle::followFocus,
          Qt::UniqueConnection);
}

void FocusRingStyle::unpolish(QApplication* application) {
  disconnect(application, &QApplication::focusChanged, this, &FocusRingStyle::followFocus);
  delete ring;
  QProxyStyle::unpolish(application);
}

// One ring for the program; it goes with whichever window holds it, and the
// next class button to take the focus gets a new one.
void FocusRingStyle::followFocus(QWidget* /*old*/, QWidget* now) {
  auto* button = qobject_cast<QRadioButton*>(now);
  if (button == nullptr) {
    if (ring) ring->setWidget(nullptr);
    return;
  }
  if (!ring) ring = new QFocusFrame(button->parentWidget());
  ring->setWidget(button);
}

}  // namespace quelvaris
