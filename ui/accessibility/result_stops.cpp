#include "accessibility/result_stops.h"

#include <QAccessible>
#include <QWidget>
#include <utility>

namespace quelvaris {

ResultStops::ResultStops(QWidget* after, QWidget* volume, QList<QWidget*> materials)
    : after(after), volume(volume), materials(std::move(materials)) {}

void ResultStops::present(bool materialsWritten) {
  if (!QAccessible::isActive()) return;
  volume->setFocusPolicy(Qt::TabFocus);
  for (QWidget* field : materials)
    field->setFocusPolicy(materialsWritten ? Qt::TabFocus : Qt::NoFocus);
  // Qt orders only widgets that take the focus, so the order is set now.
  QWidget* previous = after;
  for (QWidget* field : QList<QWidget*>{volume} + materials) {
    QWidget::setTabOrder(previous, field);
    previous = field;
  }
  volume->setFocus(Qt::OtherFocusReason);
}

}  // namespace quelvaris
