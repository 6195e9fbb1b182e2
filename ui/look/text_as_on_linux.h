#pragma once

class QFont;

namespace quelvaris {

// The windows were laid out on Linux, their texts measured by FreeType. On
// Windows they are measured the same way, so that every fixed text keeps to
// its rectangle; all that it takes is here, and elsewhere none of it does
// anything:
// - Qt's FreeType font engine. Windows' own engines round every glyph's
//   advance to a whole pixel, which makes the interface font about 6% wider
//   and wraps labels. The engine is a platform option, asked for before Qt
//   starts (choosePlatform).
// - Hinting only vertically, as on Linux.
// - The faces themselves, which Windows lacks: they travel inside the program
//   (the "fonts" resource, ui/CMakeLists.txt) and are registered at start.

// The platform the program runs on under Windows, with its font engine.
inline constexpr char WINDOWS_PLATFORM[] = "windows:fontengine=freetype";

void hintAsOnLinux(QFont& font);

// Before the first window.
void registerCarriedFonts();

}  // namespace quelvaris
