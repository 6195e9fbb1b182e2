#pragma once

#include <QDialog>

namespace quelvaris {

// The help window (how to use the calculator, in seven steps) and the about
// window (the program's name, version, authorship and terms). Each is laid
// out in its own form; what they share is here: created on opening and
// destroyed when closed, by their one button, by Escape or by the title bar,
// and a dialog to screen readers, which read it whole when it opens. The main
// window never keeps more than one of each.
class SecondaryWindow : public QDialog {
  Q_OBJECT

 public:
  enum class Form { Help, About };
  explicit SecondaryWindow(Form form);
};

}  // namespace quelvaris
