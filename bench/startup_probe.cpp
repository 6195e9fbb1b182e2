// Started by startup_bench, once a run: shows one window and ends as soon as
// that window has been painted for the first time, printing the moment it was
// (CLOCK_MONOTONIC, nanoseconds).
//
//   startup_probe quelvaris   the main window, started as the program starts it
//   startup_probe floor N     one window of N plain widgets, built by hand
//   startup_probe labels N    the same with N labels of a short text each
//   startup_probe count       prints how many widgets the main window holds

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "forms/main_window.h"
#include "look/window_style.h"
#include "program/platform.h"
#include "program/start.h"

namespace {

long long monotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// Ends the run once `window` has had its first paint event, after the rest of
// that paint pass (its children) is done.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(QWidget* window) : window(window) { window->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window && event->type() == QEvent::Paint && !seen) {
      seen = true;
      QTimer::singleShot(0, [] {
        std::printf("%lld\n", monotonicNanoseconds());
        std::fflush(stdout);
        std::_Exit(0);  // what is timed ends here; tearing down is not start-up
      });
    }
    return false;
  }

 private:
  QWidget* window;
  bool seen = false;
};

// The same window style and flags as the program's, holding `count` plain
// widgets in a grid, so that only the program's own content differs. Plain
// widgets draw no text; with `withText` each is a label of a short text, which
// adds what any text costs: the font system's start and drawing the glyphs.
std::unique_ptr<QWidget> floorWindow(int count, bool withText) {
  auto window = std::make_unique<QWidget>();
  window->resize(707, 484);
  for (int i = 0; i < count; ++i) {
    QWidget* child = withText ? new QLabel(QStringLiteral("Texto %1").arg(i), window.get())
                              : new QWidget(window.get());
    child->setGeometry(10 + (i % 10) * 68, 10 + (i / 10) * 40, 60, 30);
  }
  quelvaris::applyWindowStyle(window.get());
  return window;
}

}  // namespace

int main(int argc, char* argv[]) {
  const char* mode = argc > 1 ? argv[1] : "";
  quelvaris::choosePlatform(argc, argv);
  QApplication application(argc, argv);
  quelvaris::prepareForWindows(application);

  if (std::strcmp(mode, "count") == 0) {
    quelvaris::MainWindow window;
    std::printf("%lld\n", static_cast<long long>(window.findChildren<QWidget*>().size()));
    return 0;
  }

  std::unique_ptr<QWidget> window;
  if (std::strcmp(mode, "quelvaris") == 0)
    window = std::make_unique<quelvaris::MainWindow>();
  else if (std::strcmp(mode, "floor") == 0 && argc > 2)
    window = floorWindow(std::atoi(argv[2]), false);
  else if (std::strcmp(mode, "labels") == 0 && argc > 2)
    window = floorWindow(std::atoi(argv[2]), true);
  else
    return 2;
  FirstPaint firstPaint(window.get());
  window->show();
  return application.exec();
}
