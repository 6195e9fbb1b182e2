#include "accessibility/accessibility.h"

#include <QAccessibleWidget>
#include <QGroupBox>

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

// A frame leaves out of what it lists the captions that one of its controls
// says already (the form names that control as the caption's "saidBy"): read
// straight through, the window gives "Cemento: 21 sacos" once, not the
// number between "Cemento", "sacos, equivalentes a:" and the rest.
class FrameInterface : public QAccessibleWidget {
 public:
  explicit FrameInterface(QGroupBox* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

  int childCount() const override { return static_cast<int>(heard().size()); }
  QAccessibleInterface* child(int index) const override {
    const QObjectList children = heard();
    return index >= 0 && index < children.size()
               ? QAccessible::queryAccessibleInterface(children.at(index))
               : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child ? static_cast<int>(heard().indexOf(child->object())) : -1;
  }

 private:
  QObjectList heard() const {
    QObjectList children;
    for (QObject* child : widget()->children()) {
      if (child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow() &&
          !child->property("saidBy").isValid())
        children.append(child);
    }
    return children;
  }
};

QAccessibleInterface* interfaceFor(const QString& /*className*/, QObject* object) {
  if (auto* field = qobject_cast<ResultLabel*>(object)) return new ResultFieldInterface(field);
  if (auto* box = qobject_cast<InputBox*>(object)) return new BoxTextInterface(box);
  if (auto* frame = qobject_cast<QGroupBox*>(object)) return new FrameInterface(frame);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  QAccessible::installFactory(interfaceFor);
}

}  // namespace quelvaris
