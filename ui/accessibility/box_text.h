#pragma once

#include <QAccessibleEditableTextInterface>
#include <QAccessibleTextInterface>
#include <QAccessibleWidget>

class QLineEdit;

namespace quelvaris {

// What a screen reader reads of an input box, in place of Qt's own text
// interface for line edits, which it follows in all else. Two answers differ,
// and they are why it exists:
// - At the end of the text, the word or sentence there is the empty text.
//   Qt 6.4 searches past the end for it and never returns: Orca asks for it
//   on every Ctrl+Right to the end, and the program hung.
// - The text is one attribute run, from its start to its end. Qt 6.4 reports
//   an empty run at every offset, and Orca then drops the last character of
//   the value it speaks ("0.12" was heard as "0.1").
// Qt's own class is private to Qt, so the rest is written here again from
// the box's public interface, answering as Qt answers; like Qt's, it reads
// what the box shows (a password box's bullets, not its text).
//
// Both faults are Qt 6.4's, as Debian 12 ships it, and Qt 6.8.2's, as Debian
// 13 ships it: with Qt's own interface the window test that asks the end of
// the text still never returns there. So the class serves every Qt version
// the program is built with. Once a Qt answers the end of the text and the
// attribute run as this class does (the window tests ask both of whichever
// interface a box has), the class can go for that version and later ones.
class BoxTextInterface : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface {
 public:
  explicit BoxTextInterface(QLineEdit* box);

  QString text(QAccessible::Text kind) const override;
  void setText(QAccessible::Text kind, const QString& text) override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleTextInterface
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                       int* endOffset) const override;
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                           int* endOffset) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                          int* endOffset) const override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  int selectionCount() const override;
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  void scrollToSubstring(int startIndex, int endIndex) override;

  // QAccessibleEditableTextInterface
  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int startOffset, int endOffset, const QString& text) override;

 private:
  QLineEdit* box() const;
  QString shown() const;
  int resolved(int offset) const;  // -2: the cursor; -1: the end
};

}  // namespace quelvaris
