#include "windows/about_window.h"

#include <QShortcut>
#include "look/window_style.h"

#include "ui_about_window.h"

namespace quelvaris {

AboutWindow::AboutWindow() : ui(std::make_unique<Ui::Form3>()) {
  ui->setupUi(this);
  ui->Label1->setFont(titleFont(TitleFace::SwissExtended, 15.75));
  setAttribute(Qt::WA_DeleteOnClose);  // closing unloads it; the next opening starts afresh
  applyWindowStyle(this);
  // A screen reader reads a dialog's longer texts when it opens, but passes
  // over lines of one or two words: the name carries the program's.
  setAccessibleName(
      QStringLiteral("%1 %2, %3").arg(windowTitle(), ui->Label1->text(), ui->Label5->text()));
  ui->Command1->setFocus();
  connect(ui->Command1, &QPushButton::clicked, this, &AboutWindow::Command1_Click);
  // Escape closes it, as it closes any dialog.
  connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::Command1_Click() {
  close();
}

}  // namespace quelvaris
