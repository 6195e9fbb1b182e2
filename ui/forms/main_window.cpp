#include "forms/main_window.h"

#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <algorithm>

#include "look/window_style.h"
#include "ui_main_window.h"

namespace quelvaris {
namespace {

std::string fromField(const QString& text) {
  return text.toStdString();
}
QString toField(const std::string& text) {
  return QString::fromStdString(text);
}

// Shows a secondary window, creating it if it is not open, and brings it to
// the front. Its size and its first position are its own. A window closed a
// moment ago may still await its deletion; it is never shown again. Once it
// is gone, the keyboard goes back to `main` if no window of the program has
// it: some desktops hand it to no window kept off the task bar (Openbox).
void openOnce(QPointer<SecondaryWindow>& window, SecondaryWindow::Form form, QWidget* main) {
  if (window.isNull() || window->isHidden()) {
    window = new SecondaryWindow(form);
    QObject::connect(window, &QObject::destroyed, main, [main] {
      if (QApplication::activeWindow() == nullptr && main->isVisible()) main->activateWindow();
    });
  }
  window->show();
  window->raise();
  window->activateWindow();
}

void endProgram() {
  QCoreApplication::quit();
}

}  // namespace

MainWindow::MainWindow() : ui(std::make_unique<Ui::Quelvaris>()) {
  ui->setupUi(this);
  ui->Label1->setFont(titleFont(TitleFace::SwissBlack, 14.25));
  applyWindowStyle(this);

  setWindowIcon(programIcon(devicePixelRatioF()));

  classButtons = {ui->Option1, ui->Option2, ui->Option3, ui->Option4};
  describeForScreenReaders();
  materialFields = {{
      {ui->Label8, &MaterialTexts::cementSacks},
      {ui->Label16, &MaterialTexts::cementTonnes},
      {ui->Label9, &MaterialTexts::sandBuckets},
      {ui->Label17, &MaterialTexts::sandCubicMetres},
      {ui->Label10, &MaterialTexts::gravelBuckets},
      {ui->Label18, &MaterialTexts::gravelCubicMetres},
      {ui->Label11, &MaterialTexts::waterBuckets},
      {ui->Label19, &MaterialTexts::waterLitres},
  }};

  QList<QWidget*> materialLabels;
  for (const MaterialField& field : materialFields) materialLabels << field.label;
  resultStops = std::make_unique<ResultStops>(ui->Text1, ui->Label33, materialLabels);
  addKeyboardWays();

  connect(ui->Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
  connect(ui->Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
  connect(ui->Command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
  connect(ui->Label1, &ClickableLabel::clicked, this, &MainWindow::Label1_Click);
  connect(ui->mnuexit, &QAction::triggered, this, &MainWindow::mnuexit_Click);
  connect(ui->mnuhelpconcrete, &QAction::triggered, this, &MainWindow::mnuhelpconcrete_Click);
  connect(ui->mnuabout, &QAction::triggered, this, &MainWindow::mnuabout_Click);

  ui->Command1->setFocus();
}

// The secondary windows have no parent, so that they outlive a main window
// closed by its title bar; at the very end they go with it.
MainWindow::~MainWindow() {
  delete form2;
  delete form3;
}

void MainWindow::Command1_Click() {
  const MixInputs inputs{fromField(ui->Text1->text()), fromField(ui->Text2->text()),
                         selectedClass()};
  const std::optional<MixResults> results = calculateMix(inputs);
  if (!results) {
    QMessageBox::warning(this, windowTitle().trimmed(), property("tooLarge").toString());
    return;
  }
  const bool classSelected = results->materials.has_value();
  ui->Label33->showResult(toField(results->volume),
                          classSelected ? QString() : property("volumeOnly").toString());
  ui->Text1->setText(toField(results->areaText));
  ui->Text2->setText(toField(results->heightText));
  // Without a class the material fields keep their older results, unspoken.
  if (classSelected)
    for (const MaterialField& field : materialFields)
      field.label->showResult(toField(*results->materials.*field.text));
  resultStops->present(classSelected);
}

void MainWindow::Command2_Click() {
  ui->Text1->setText(QString());
  ui->Text2->setText(QString());
}

void MainWindow::Command3_Click() {
  exitSteps();
}

void MainWindow::Label1_Click() {
  endProgram();
}

void MainWindow::mnuexit_Click() {
  exitSteps();
}

void MainWindow::mnuhelpconcrete_Click() {
  openOnce(form2, SecondaryWindow::Form::Help, this);
}

void MainWindow::mnuabout_Click() {
  openOnce(form3, SecondaryWindow::Form::About, this);
}

// "Salir": unload the help window, then the about window, then end.
void MainWindow::exitSteps() {
  if (form2) form2->close();
  if (form3) form3->close();
  endProgram();
}

// Keys for those who cannot use the mouse, from any window of the program:
// F10 opens the menu bar and F1 the help window, as on most desktops. They
// are shortcuts of their own, so the menu items' captions stay as they are.
void MainWindow::addKeyboardWays() {
  auto* menuKey = new QShortcut(Qt::Key_F10, this);
  menuKey->setContext(Qt::ApplicationShortcut);
  connect(menuKey, &QShortcut::activated, this, [this] {
    activateWindow();
    menuBar()->setActiveAction(ui->mnufile->menuAction());
  });
  auto* helpKey = new QShortcut(Qt::Key_F1, this);
  helpKey->setContext(Qt::ApplicationShortcut);
  connect(helpKey, &QShortcut::activated, this, &MainWindow::mnuhelpconcrete_Click);
}

// A class button is read out as the caption beside it, spaces collapsed, and
// each frame by its own caption.
void MainWindow::describeForScreenReaders() {
  const std::array<QLabel*, 4> captions{ui->Label24, ui->Label25, ui->Label26, ui->Label27};
  for (std::size_t row = 0; row < classButtons.size(); ++row)
    classButtons[row]->setAccessibleName(captions[row]->text().simplified());
  for (QGroupBox* frame : findChildren<QGroupBox*>()) frame->setAccessibleName(frame->title());
}

int MainWindow::selectedClass() const {
  const auto selected = std::ranges::find_if(classButtons, &QRadioButton::isChecked);
  return selected == classButtons.end() ? 0 : static_cast<int>(selected - classButtons.begin()) + 1;
}

}  // namespace quelvaris
