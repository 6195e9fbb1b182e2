#include "widgets/result_label.h"

#include <QAccessible>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <QtMath>

namespace quelvaris {

namespace {

// The text's width to the fraction of a pixel, rounded up to whole pixels:
// 41.11 px of digits do not fit a 41-px field, though a rounded width says so.
int wholePixelsOf(const QString& text, const QFont& font) {
  return qCeil(QFontMetricsF(font).horizontalAdvance(text));
}

// A number as a screen reader should say it: without thousands separators,
// which some read as a pause, and with a zero before a leading point, which
// some read as "punto".
QString spokenNumber(QString shown) {
  shown.remove(QLatin1Char(','));
  if (shown.isEmpty()) return QStringLiteral("0");
  const qsizetype point = shown.startsWith(QLatin1Char('-')) ? 1 : 0;
  if (shown.mid(point).startsWith(QLatin1Char('.'))) shown.insert(point, QLatin1Char('0'));
  return shown;
}

}  // namespace

void ResultLabel::showResult(const QString& number, const QString& note) {
  const QString before = spokenName();
  // The name is whole before the text changes: QLabel announces the new name
  // from within setText, and only when the text differs.
  written = true;
  spokenNote = note;
  if (number != text()) {
    setText(number);
  } else if (spokenName() != before) {
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

QString ResultLabel::spokenName() const {
  if (!written) return QString();
  QString name = spokenPattern.arg(spokenNumber(text()));
  if (!spokenNote.isEmpty()) name += QStringLiteral(". ") + spokenNote;
  return name;
}

ResultLabel::Fit ResultLabel::fit(const QString& text, QFont font, int width) {
  for (int pixels = QFontInfo(font).pixelSize(); pixels >= SMALLEST_PIXEL_SIZE; --pixels) {
    font.setPixelSize(pixels);
    if (wholePixelsOf(text, font) <= width) return {font, text, false};
  }
  return {font, QFontMetricsF(font).elidedText(text, Qt::ElideLeft, width), true};
}

ResultLabel::Fit ResultLabel::currentFit() const {
  return fit(text(), font(), contentsRect().width());
}

void ResultLabel::paintEvent(QPaintEvent* /*event*/) {
  const Fit fitted = currentFit();
  // A smaller number keeps its baseline on the line of the texts beside it.
  QRect room = contentsRect();
  if (alignment() & Qt::AlignTop)
    room.setTop(room.top() + QFontMetrics(font()).ascent() - QFontMetrics(fitted.font).ascent());
  QPainter painter(this);
  painter.setFont(fitted.font);
  style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(),
                        fitted.shown, foregroundRole());
}

bool ResultLabel::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QLabel::event(event);
  if (currentFit().elided)
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
  else
    QToolTip::hideText();
  return true;
}

}  // namespace quelvaris
