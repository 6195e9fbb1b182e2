#pragma once

#include <QLineEdit>

namespace quelvaris {

// An input box of the main window: a line edit like any other, except to
// screen readers, which read it through the program's own text interface
// (accessibility/box_text.h). That interface is installed for this class
// alone, so that any other line edit keeps Qt's.
class InputBox : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;
};

}  // namespace quelvaris
