#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace quelvaris {

// The results of "Calcular" for someone who cannot see them. Screen readers
// speak what takes the focus, and little else reliably: a label that changes
// is not announced. So while an assistive technology is active, "Calcular"
// moves the focus to the volume, and the volume and the quantities just
// written become keyboard stops after the input boxes, each named by its
// meaning: "Volumen: 3.00 metros cúbicos", Tab, "Cemento: 21 sacos", ...
// For everyone else the fields never take the focus, and the tab order and
// focus stay exactly as they are.
class ResultStops {
 public:
  // `volume` and `materials`, in reading order, follow `after` in the tab
  // order when they are stops.
  ResultStops(QWidget* after, QWidget* volume, QList<QWidget*> materials);

  // After a calculation; the material fields hold new results only when a
  // class was selected. Without one the volume says that it alone was
  // computed, and the material fields, which keep older results, are no stops.
  void present(bool materialsWritten);

  // What a result field is called once a calculation has written it: its
  // "spokenAs" pattern with its number as it is said (".3" as 0.3, "1,075" as
  // 1075, nothing as 0), and any note the last calculation left on it.
  // Before that, nothing.
  static QString spokenName(const QWidget* field);

 private:
  QWidget* after;
  QWidget* volume;
  QList<QWidget*> materials;
};

}  // namespace quelvaris
