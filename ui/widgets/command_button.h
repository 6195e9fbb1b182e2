#pragma once

#include <QPushButton>

namespace quelvaris {

// A command button that the keyboard presses with Return and Enter as well as
// the space bar, while it has the focus, as on the desktop the program comes
// from. It is never a default button: Return elsewhere in the window still
// presses nothing.
class CommandButton : public QPushButton {
  Q_OBJECT

 public:
  explicit CommandButton(QWidget* parent = nullptr) : QPushButton(parent) {
    setAutoDefault(false);  // in a dialog Qt would make it one, and draw it so
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quelvaris
