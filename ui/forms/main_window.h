#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <string>

#include "accessibility/result_stops.h"
#include "forms/secondary_window.h"
#include "quelvaris/calculate_mix.h"

class QRadioButton;

namespace Ui {
class Quelvaris;
}

namespace quelvaris {

class ResultLabel;

// The main window: the strength classes, the two inputs, the volume and the
// eight material fields, the notes, and the commands. It reads texts, hands
// them to calculateMix and writes back what comes out; it does no arithmetic.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow();
  ~MainWindow() override;

 private:
  void Command1_Click();  // "Calcular"
  void Command2_Click();  // "Borrar"
  void Command3_Click();  // "Salir"
  void Label1_Click();    // the title banner
  void mnuexit_Click();
  void mnuhelpconcrete_Click();
  void mnuabout_Click();

  void exitSteps();
  void addKeyboardWays();
  void describeForScreenReaders();
  int selectedClass() const;

  // A material field and the text of MaterialTexts it shows.
  struct MaterialField {
    ResultLabel* label;
    std::string MaterialTexts::*text;
  };

  std::unique_ptr<Ui::Quelvaris> ui;
  std::array<QRadioButton*, 4> classButtons;  // rows 1 to 4 of the mix table
  std::array<MaterialField, 8> materialFields;
  std::unique_ptr<ResultStops> resultStops;
  QPointer<SecondaryWindow> form2;  // help
  QPointer<SecondaryWindow> form3;  // about
};

}  // namespace quelvaris
