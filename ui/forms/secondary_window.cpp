#include "forms/secondary_window.h"

#include "look/window_style.h"
#include "ui_about_window.h"
#include "ui_help_window.h"

namespace quelvaris {

SecondaryWindow::SecondaryWindow(Form form) {
  // The forms' objects outlive their descriptions, which only name them.
  QPushButton* button = nullptr;
  if (form == Form::Help) {
    Ui::Form2 help;
    help.setupUi(this);
    help.Label2->setFont(titleFont(TitleFace::SwissBlack, 12));
    button = help.Command1;
  } else {
    Ui::Form3 about;
    about.setupUi(this);
    about.Label1->setFont(titleFont(TitleFace::SwissExtended, 15.75));
    // A screen reader reads a dialog's longer texts when it opens, but passes
    // over lines of one or two words: the name carries the program's.
    setAccessibleName(
        QStringLiteral("%1 %2, %3").arg(windowTitle(), about.Label1->text(), about.Label5->text()));
    button = about.Command1;
  }
  setAttribute(Qt::WA_DeleteOnClose);  // closing unloads it; the next opening starts afresh
  applyWindowStyle(this);
  button->setFocus();
  connect(button, &QPushButton::clicked, this, &QWidget::close);
}

}  // namespace quelvaris
