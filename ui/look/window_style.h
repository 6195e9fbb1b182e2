#pragma once

// What the three windows share: the tool-window style, the interface font,
// the title faces and their substitutes, and where each window first stands.

#include <QFont>
#include <QIcon>
#include <QString>

class QWidget;

namespace quelvaris {

// DejaVu Sans Condensed at 10 px: its 11-px line fits the 17-px labels, and
// every fixed text of the windows fits its rectangle in it.
QFont interfaceFont();

// A title face at its size in points (at 96 DPI, as the layout is drawn). The
// face is used where it is installed; elsewhere a substitute of about the same
// width stands in, so that each title keeps to its line.
enum class TitleFace {
  SwissBlack,     // "Swis721 Blk BT", else Liberation Sans Narrow Bold
  SwissExtended,  // "Swis721 Ex BT", else DejaVu Sans
};
QFont titleFont(TitleFace face, qreal points);

// The program's icon, drawn for each size a title bar or task switcher asks
// for: 16, 24, 32 and 48 px, as in the program's icon file, and 64 and 128 px
// as well on a screen of `devicePixelRatio` above 1.
QIcon programIcon(qreal devicePixelRatio);

// For the whole application, before the first window: the classic desktop
// look the windows are laid out for, where a frame's caption is set into its
// top edge, with a clear focus ring on the class buttons.
void applyProgramStyle();

// For the whole application, before the first window: the faces the program
// carries registered, and the interface font as every widget's default, so
// that no window lays its texts out twice.
void applyInterfaceFont();

// Fixed size, a narrow title bar with the caption and a close control only, no
// task-bar button, and placed at its designed position.
void applyWindowStyle(QWidget* window);

}  // namespace quelvaris
