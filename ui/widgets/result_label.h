#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

namespace quelvaris {

// A result field of the main window. Its number is drawn whole, on one line:
// where it does not fit at the label's font, in a smaller size of the same
// font, just small enough, down to 7 px; only a number too long even then is
// cut at its start with "…", and its tooltip shows the whole value. The text
// itself stays the exact result, for screen readers and anything that reads it.
//
// A screen reader hears the field by its meaning, its `spokenAs` pattern with
// the number as it is said ("Cemento: %1 sacos" -> "Cemento: 21 sacos"), and
// the note the last calculation left on it. Until a calculation writes the
// field it has no name: an empty field would otherwise be read by its frame.
class ResultLabel : public QLabel {
  Q_OBJECT
  Q_PROPERTY(QString spokenAs READ spokenAs WRITE setSpokenAs)

 public:
  using QLabel::QLabel;

  QString spokenAs() const { return spokenPattern; }
  void setSpokenAs(const QString& pattern) { spokenPattern = pattern; }

  // Writes a calculation's result, with a note said after it, if any. Screen
  // readers are told of the new name whenever it changes, the number or
  // only the note.
  void showResult(const QString& number, const QString& note = QString());

  // What the field is called: "Cemento: 21 sacos", with ". " and the note
  // after it; the number as it is said (".3" as 0.3, "1,075" as 1075, nothing
  // as 0). Empty before the first result.
  QString spokenName() const;

  static constexpr int SMALLEST_PIXEL_SIZE = 7;

  // How `text` is drawn in `width` pixels, starting from `font`:
  //   "215", 33 px                -> the font as it is, "215"
  //   "230,000", 33 px            -> 2 or 3 px smaller, "230,000"
  //   "100,000,000,000", 33 px    -> 7 px, "…00,000", elided
  struct Fit {
    QFont font;
    QString shown;
    bool elided = false;
  };
  static Fit fit(const QString& text, QFont font, int width);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;  // the tooltip of a cut number

 private:
  Fit currentFit() const;

  QString spokenPattern;
  QString spokenNote;
  bool written = false;
};

}  // namespace quelvaris
