#include "accessibility/accessibility.h"

#include <QAccessibleWidget>
#include <QLineEdit>

#include "accessibility/box_text.h"
#include "accessibility/result_stops.h"
#include "widgets/result_label.h"
#include "windows/about_window.h"
#include "windows/help_window.h"

namespace quelvaris {
namespace {

// A result field is named by its meaning and its number, as the window
// describes it in its "spokenAs" property ("Cemento: %1 sacos").
class ResultFieldInterface : public QAccessibleWidget {
 public:
  explicit ResultFieldInterface(ResultLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return ResultStops::spokenName(widget());
    return QAccessibleWidget::text(kind);
  }
};

bool isSecondaryWindow(const QObject* object) {
  return qobject_cast<const HelpWindow*>(object) != nullptr ||
         qobject_cast<const AboutWindow*>(object) != nullptr;
}

QAccessibleInterface* interfaceFor(const QString& /*className*/, QObject* object) {
  if (auto* field = qobject_cast<ResultLabel*>(object)) return new ResultFieldInterface(field);
  if (auto* box = qobject_cast<QLineEdit*>(object)) return new BoxTextInterface(box);
  if (isSecondaryWindow(object))  // named by its title
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  QAccessible::installFactory(interfaceFor);
}

}  // namespace quelvaris
