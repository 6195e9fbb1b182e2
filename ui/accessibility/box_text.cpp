#include "accessibility/box_text.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QTextLayout>

namespace quelvaris {

BoxTextInterface::BoxTextInterface(QLineEdit* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {
  addControllingSignal(QStringLiteral("textChanged(const QString&)"));
  addControllingSignal(QStringLiteral("returnPressed()"));
}

QLineEdit* BoxTextInterface::box() const {
  return static_cast<QLineEdit*>(widget());
}

int BoxTextInterface::resolved(int offset) const {
  if (offset == -2) return cursorPosition();
  if (offset == -1) return characterCount();
  return offset;
}

QString BoxTextInterface::shown() const {
  return box()->displayText();
}

QString BoxTextInterface::text(QAccessible::Text kind) const {
  if (kind == QAccessible::Value && !shown().isEmpty()) return shown();
  return QAccessibleWidget::text(kind);
}

void BoxTextInterface::setText(QAccessible::Text kind, const QString& text) {
  if (kind == QAccessible::Value)
    box()->setText(text);
  else
    QAccessibleWidget::setText(kind, text);
}

QAccessible::State BoxTextInterface::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = true;
  state.selectableText = true;
  state.readOnly = box()->isReadOnly();
  return state;
}

void* BoxTextInterface::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface)
    return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString BoxTextInterface::text(int startOffset, int endOffset) const {
  if (startOffset > endOffset) return QString();
  return shown().mid(startOffset, endOffset - startOffset);
}

int BoxTextInterface::characterCount() const {
  return static_cast<int>(shown().size());
}

QString BoxTextInterface::textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                       int* startOffset, int* endOffset) const {
  offset = resolved(offset);
  if (offset == characterCount() && boundary != QAccessible::LineBoundary &&
      boundary != QAccessible::ParagraphBoundary && boundary != QAccessible::NoBoundary) {
    *startOffset = *endOffset = offset;  // nothing stands after the last character
    return QString();
  }
  return QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
}

QString BoxTextInterface::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                           int* startOffset, int* endOffset) const {
  return QAccessibleTextInterface::textBeforeOffset(resolved(offset), boundary, startOffset,
                                                    endOffset);
}

QString BoxTextInterface::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                          int* startOffset, int* endOffset) const {
  return QAccessibleTextInterface::textAfterOffset(resolved(offset), boundary, startOffset,
                                                   endOffset);
}

QString BoxTextInterface::attributes(int /*offset*/, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return QString();  // the box's text has no attributes of its own
}

int BoxTextInterface::cursorPosition() const {
  return box()->cursorPosition();
}

void BoxTextInterface::setCursorPosition(int position) {
  box()->setCursorPosition(position);
}

// As Qt places a character: at its place in the text laid out on one line in
// the box's font, from the box's left edge, below its top text margin.
QRect BoxTextInterface::characterRect(int offset) const {
  const QString character = text(offset, offset + 1);
  if (character.isEmpty()) return QRect();
  QTextLayout layout(shown(), box()->font());
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  const QFontMetrics metrics(box()->font());
  const QPoint topLeft(qRound(line.cursorToX(offset)), box()->textMargins().top());
  return {box()->mapToGlobal(topLeft),
          QSize(metrics.horizontalAdvance(character), metrics.height())};
}

int BoxTextInterface::offsetAtPoint(const QPoint& point) const {
  return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

int BoxTextInterface::selectionCount() const {
  return box()->hasSelectedText() ? 1 : 0;
}

void BoxTextInterface::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !box()->hasSelectedText()) return;
  *startOffset = box()->selectionStart();
  *endOffset = box()->selectionEnd();
}

void BoxTextInterface::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void BoxTextInterface::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) box()->deselect();
}

void BoxTextInterface::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex == 0) box()->setSelection(startOffset, endOffset - startOffset);
}

void BoxTextInterface::scrollToSubstring(int startIndex, int endIndex) {
  box()->setCursorPosition(endIndex);
  box()->setCursorPosition(startIndex);
}

void BoxTextInterface::deleteText(int startOffset, int endOffset) {
  box()->setText(box()->text().remove(startOffset, endOffset - startOffset));
}

void BoxTextInterface::insertText(int offset, const QString& text) {
  box()->setText(box()->text().insert(offset, text));
}

void BoxTextInterface::replaceText(int startOffset, int endOffset, const QString& text) {
  box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
}

}  // namespace quelvaris
