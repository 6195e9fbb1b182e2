#include "accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>

#include "result_label.h"

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

bool isSecondaryWindow(const QWidget* widget) {
  return widget->isWindow() && (widget->objectName() == QLatin1String("Form2") ||
                                widget->objectName() == QLatin1String("Form3"));
}

QAccessibleInterface* interfaceFor(const QString& /*className*/, QObject* object) {
  if (auto* field = qobject_cast<ResultLabel*>(object)) return new ResultFieldInterface(field);
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget != nullptr && isSecondaryWindow(widget))
    return new QAccessibleWidget(widget, QAccessible::Window);  // named by its title
  return nullptr;
}

}  // namespace

void installAccessibility() {
  QAccessible::installFactory(interfaceFor);
}

}  // namespace quelvaris
