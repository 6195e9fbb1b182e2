#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Form3;
}

namespace quelvaris {

// The about window: the program's name, version, authorship and terms.
// It is created on opening and destroyed when closed, by "Aceptar" or by its
// title bar; the main window never keeps more than one.
class AboutWindow : public QWidget {
  Q_OBJECT

 public:
  AboutWindow();
  ~AboutWindow() override;

 private:
  void Command1_Click();  // "Aceptar"

  std::unique_ptr<Ui::Form3> ui;
};

}  // namespace quelvaris
