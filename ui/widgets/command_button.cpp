#include "widgets/command_button.h"

#include <QKeyEvent>

namespace quelvaris {

void CommandButton::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    QPushButton::keyPressEvent(event);
    return;
  }
  // A focused auto-default button does the same; these are not auto-default.
  if (!event->isAutoRepeat()) click();
  event->accept();
}

}  // namespace quelvaris
