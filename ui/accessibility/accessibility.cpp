#include "accessibility/accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>

#include "widgets/result_label.h"
#include "windows/about_window.h"
#include "windows/help_window.h"

namespace quelvaris {
namespace {

// A result field is named by its text alone, even when that is empty; Qt
// would name an empty label after the frame around it.
class ResultFieldInterface : public QAccessibleWidget {
 public:
  explicit ResultFieldInterface(QLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return static_cast<const QLabel*>(widget())->text();
    return QAccessibleWidget::text(kind);
  }
};

bool isSecondaryWindow(const QObject* object) {
  return qobject_cast<const HelpWindow*>(object) != nullptr ||
         qobject_cast<const AboutWindow*>(object) != nullptr;
}

QAccessibleInterface* interfaceFor(const QString& /*className*/, QObject* object) {
  if (auto* field = qobject_cast<ResultLabel*>(object)) return new ResultFieldInterface(field);
  if (isSecondaryWindow(object))  // named by its title
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  QAccessible::installFactory(interfaceFor);
}

}  // namespace quelvaris
