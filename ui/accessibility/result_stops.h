#pragma once

#include <QList>

class QWidget;

namespace quelvaris {

// The results of "Calcular" for someone who cannot see them. Screen readers
// speak what takes the focus, and little else reliably: a label that changes
// is not announced. So while an assistive technology is active, "Calcular"
// moves the focus to the volume, and the volume and the quantities just
// written become keyboard stops after the input boxes: "Volumen: 3.00 metros
// cúbicos", Tab, "Cemento: 21 sacos", ... (each field says its own name). For
// everyone else the fields never take the focus, and the tab order and focus
// stay exactly as they are.
class ResultStops {
 public:
  // `volume` and `materials`, in reading order, follow `after` in the tab
  // order when they are stops.
  ResultStops(QWidget* after, QWidget* volume, QList<QWidget*> materials);

  // After a calculation; the material fields hold new results only when a
  // class was selected. Without one they keep older results, and are no stops.
  void present(bool materialsWritten);

 private:
  QWidget* after;
  QWidget* volume;
  QList<QWidget*> materials;
};

}  // namespace quelvaris
