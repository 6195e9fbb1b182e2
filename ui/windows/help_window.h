#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Form2;
}

namespace quelvaris {

// The help window: how to use the calculator, in seven steps.
// It is created on opening and destroyed when closed, by "Regresar" or by its
// title bar; the main window never keeps more than one.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow();
  ~HelpWindow() override;

 private:
  void Command1_Click();  // "Regresar"

  std::unique_ptr<Ui::Form2> ui;
};

}  // namespace quelvaris
