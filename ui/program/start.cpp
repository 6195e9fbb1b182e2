#include "program/start.h"

#include <QApplication>

#include "accessibility/accessibility.h"
#include "look/window_style.h"
#include "program/translations.h"

namespace quelvaris {

void prepareForWindows(QApplication& application) {
  installQtTranslation(application);
  applyProgramStyle();
  applyInterfaceFont();
  installAccessibility();
}

}  // namespace quelvaris
