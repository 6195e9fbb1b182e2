#pragma once

// Small helpers shared by the window tests: find a control or window by the
// name it carries, and act on it as a user does.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <memory>

#include "forms/main_window.h"
#include "headless_noise.h"
#include "program/platform.h"
#include "program/start.h"

// As QTEST_MAIN, with the platform chosen first, as the program chooses it: a
// platform the test is run with is kept, and where none is given (under Wine)
// the program's own applies, its font engine with it.
#define QUELVARIS_WINDOW_TEST_MAIN(TestObject) \
  QTEST_MAIN_WRAPPER(TestObject, quelvaris::choosePlatform(argc, argv); QTEST_MAIN_SETUP())

namespace quelvaris::test {

// The control called `name` inside `root`; fails the test when there is none.
template <class Control = QWidget>
Control* control(QWidget* root, const char* name) {
  auto* found = root->findChild<Control*>(QString::fromLatin1(name));
  if (found == nullptr) qFatal("no control %s", name);
  return found;
}

// The open top-level windows called `name`.
inline QList<QWidget*> windowsNamed(const char* name) {
  QList<QWidget*> found;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == QLatin1String(name) && window->isVisible()) found.append(window);
  return found;
}

inline void typeInto(QWidget* root, const char* box, const QString& text) {
  auto* edit = control<QLineEdit>(root, box);
  edit->clear();
  QTest::keyClicks(edit, text);
}

inline void click(QWidget* root, const char* name) {
  QTest::mouseClick(control(root, name), Qt::LeftButton);
}

inline QString textOf(QWidget* root, const char* label) {
  return control<QLabel>(root, label)->text();
}

// Once a test program, before any window: the program's own start, with the
// headless platform's noise kept out of the test's output.
inline void prepareProgram() {
  silenceHeadlessNoise();
  quelvaris::prepareForWindows(*qApp);
}

// The main window, created and shown as the program does; prepareProgram()
// must have run once before.
inline std::unique_ptr<quelvaris::MainWindow> startMainWindow() {
  auto window = std::make_unique<quelvaris::MainWindow>();
  window->show();
  return window;
}

// Lets closed windows finish their deletion.
inline void settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace quelvaris::test
