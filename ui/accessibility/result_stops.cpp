#include "accessibility/result_stops.h"

#include <QAccessible>
#include <QLabel>
#include <QVariant>
#include <QWidget>
#include <utility>

namespace quelvaris {
namespace {

const char* const NOTE = "spokenNote";
const char* const WRITTEN = "written";  // by a calculation; until then a field is nameless

QString spokenNumber(QString shown) {
  shown.remove(QLatin1Char(','));
  if (shown.isEmpty()) return QStringLiteral("0");
  const qsizetype point = shown.startsWith(QLatin1Char('-')) ? 1 : 0;
  if (shown.mid(point).startsWith(QLatin1Char('.'))) shown.insert(point, QLatin1Char('0'));
  return shown;
}

}  // namespace

ResultStops::ResultStops(QWidget* after, QWidget* volume, QList<QWidget*> materials)
    : after(after), volume(volume), materials(std::move(materials)) {}

void ResultStops::present(bool materialsWritten) {
  volume->setProperty(WRITTEN, true);
  for (QWidget* field : materials)
    if (materialsWritten) field->setProperty(WRITTEN, true);
  volume->setProperty(NOTE, materialsWritten
                                ? QString()
                                : QStringLiteral("Solo se calculó el volumen: no se eligió el "
                                                 "tipo de concreto."));
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

QString ResultStops::spokenName(const QWidget* field) {
  if (!field->property(WRITTEN).toBool()) return QString();
  const auto* label = static_cast<const QLabel*>(field);
  QString name = field->property("spokenAs").toString().arg(spokenNumber(label->text()));
  const QString note = field->property(NOTE).toString();
  if (!note.isEmpty()) name += QStringLiteral(". ") + note;
  return name;
}

}  // namespace quelvaris
