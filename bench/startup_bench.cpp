// Time to first paint and peak memory of the program's start, against a floor:
// one window of the same number of plain widgets, built by hand and shown the
// same way; and against a second floor whose widgets are labels of a short
// text. All run as fresh processes, in turns, so that they share the
// machine's state; the figures are medians.
//
// Offscreen:   QT_QPA_PLATFORM=offscreen build/default/bench/startup_bench
// Under Xvfb:  tests/desktops/virtual_desktop.py build/default/bench/startup_bench

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
  double milliseconds;
  double peakMebibytes;
};

long long monotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// Starts the probe with `arguments` and returns what it printed, with the
// moment it was started and the peak memory it reached.
struct Outcome {
  long long started;
  std::string printed;
  double peakMebibytes;
};

Outcome runProbe(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), STARTUP_PROBE);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  int pipe[2];
  if (::pipe(pipe) != 0) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe[0]);

  Outcome outcome{monotonicNanoseconds(), {}, 0};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe[1]);
  if (spawned != 0) throw std::runtime_error("cannot start " STARTUP_PROBE);

  char buffer[256];
  for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
    outcome.printed.append(buffer, static_cast<std::size_t>(n));
  ::close(pipe[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("the probe failed; is there a display?");
  outcome.peakMebibytes = static_cast<double>(usage.ru_maxrss) / 1024;
  return outcome;
}

Run timeToFirstPaint(std::vector<std::string> arguments) {
  const Outcome outcome = runProbe(std::move(arguments));
  const double painted = std::stod(outcome.printed);
  return {(painted - static_cast<double>(outcome.started)) / 1e6, outcome.peakMebibytes};
}

double median(std::vector<double> values) {
  std::ranges::sort(values);
  return values[values.size() / 2];
}

void BM_StartupToFirstPaint(benchmark::State& state) {
  const std::string widgets = std::to_string(std::stoi(runProbe({"count"}).printed));
  // The program, the plain floor and the floor of labels, in turns; each
  // iteration starts with the next one, so that none always runs first.
  const std::vector<std::vector<std::string>> kinds{
      {"quelvaris"}, {"floor", widgets}, {"labels", widgets}};
  std::vector<std::vector<double>> times(kinds.size()), peaks(kinds.size());
  std::size_t first = 0;
  for (auto _ : state) {
    for (std::size_t k = 0; k < kinds.size(); ++k) {
      const std::size_t kind = (first + k) % kinds.size();
      const Run run = timeToFirstPaint(kinds[kind]);
      times[kind].push_back(run.milliseconds);
      peaks[kind].push_back(run.peakMebibytes);
      if (kind == 0) state.SetIterationTime(run.milliseconds / 1000);
    }
    first = (first + 1) % kinds.size();
  }
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  state.SetLabel(std::string(platform ? platform : "default platform") + ", " + widgets +
                 " widgets");
  const double own = median(times[0]), plain = median(times[1]), labels = median(times[2]);
  const double ownPeak = median(peaks[0]), plainPeak = median(peaks[1]),
               labelsPeak = median(peaks[2]);
  state.counters["own_ms"] = own;
  state.counters["floor_ms"] = plain;
  state.counters["labels_ms"] = labels;
  state.counters["time_ratio"] = own / plain;
  state.counters["time_ratio_labels"] = own / labels;
  state.counters["own_MiB"] = ownPeak;
  state.counters["floor_MiB"] = plainPeak;
  state.counters["labels_MiB"] = labelsPeak;
  state.counters["memory_ratio"] = ownPeak / plainPeak;
  state.counters["memory_ratio_labels"] = ownPeak / labelsPeak;
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
