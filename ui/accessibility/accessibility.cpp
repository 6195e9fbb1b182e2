#include "accessibility/accessibility.h"

#include <QAccessibleWidget>

#include "accessibility/box_text.h"
#include "widgets/input_box.h"
#include "widgets/result_label.h"

namespace quelvaris {
namespace {

// A result field is named by what it says of itself ("Cemento: 21 sacos").
class ResultFieldInterface : public QAccessibleWidget {
 public:
  explicit ResultFieldInterface(ResultLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return static_cast<const ResultLabel*>(widget())->spokenName();
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* interfaceFor(const QString& /*className*/, QObject* object) {
  if (auto* field = qobject_cast<ResultLabel*>(object)) return new ResultFieldInterface(field);
  if (auto* box = qobject_cast<InputBox*>(object)) return new BoxTextInterface(box);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  QAccessible::installFactory(interfaceFor);
}

}  // namespace quelvaris
