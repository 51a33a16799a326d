// Times the scheduler's worker beside one that spins reading the clock, as the worker first did:
// its CPU time while a task is a minute away, how long after the due second begins it hands the
// firing over, and how long a stop takes. It measures and prints; it never fails on a timing.
// Usage: scheduler_bench [seconds to watch the wait, 3 unless given]
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "dialer/dialer_dlg.h"
#include "dialer/scheduler/scheduler_worker.h"
#include "framework/clock.h"
#include "framework/real_time.h"
#include "framework/thread.h"
#include "median.h"

namespace {

using Clock = std::chrono::steady_clock;
using Body = void (*)(fw::Thread&);

// The worker as it first was: it reads the clock again and again until the due second or a stop.
void SpinningThreadProc(fw::Thread& /*self*/) {
    while (fw::now() < g_tDueTime && g_bSchedulerRun != 0) {
    }
    if (g_bSchedulerRun != 0) {
        fw::postMessage(g_hMainWnd, WM_TASK_DUE, g_nDueTimerId, 0);
    }
}

double threadCpuMs() {
    timespec spent{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
    return static_cast<double>(spent.tv_sec) * 1e3 + static_cast<double>(spent.tv_nsec) / 1e6;
}

double wallMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// One worker run: what its thread spent, and when (wall clock) its body ended, which is right
// after it handed the firing over.
struct Run {
    std::atomic<double> cpuMs{0};
    std::atomic<double> endedMs{0};
};

// Starts body as the scheduler starts its worker, measured.
std::unique_ptr<fw::Thread> startWorker(Body body, std::int32_t dueTime, Run& run) {
    g_nDueTimerId = TIMER_TASK_DUE;
    g_tDueTime = dueTime;
    g_bSchedulerRun = 1;
    auto worker = std::make_unique<fw::Thread>();
    worker->start(
        [body, &run](fw::Thread& self) {
            const double cpu = threadCpuMs();
            body(self);
            run.endedMs = wallMs();
            run.cpuMs = threadCpuMs() - cpu;
        },
        fw::Thread::Priority::lowest);
    return worker;
}

std::int32_t nowSeconds() {
    return static_cast<std::int32_t>(fw::now());
}

struct Figures {
    double cpuMsPerSecond = 0;
    double fireMedianMs = 0;
    double fireMaxMs = 0;
    double stopMedianMs = 0;
};

Figures measure(Body body, double watchSeconds) {
    Figures figures;
    // CPU time while a task is a minute away, and the stop that ends that wait.
    {
        Run run;
        std::unique_ptr<fw::Thread> worker = startWorker(body, nowSeconds() + 60, run);
        std::this_thread::sleep_for(std::chrono::duration<double>(watchSeconds));
        StopSchedulerWorker(worker);
        figures.cpuMsPerSecond = run.cpuMs / watchSeconds;
    }
    // Stop latency: from the stop request until the stop returns with the worker ended.
    std::vector<double> stops;
    for (int i = 0; i < 21; ++i) {
        Run run;
        std::unique_ptr<fw::Thread> worker = startWorker(body, nowSeconds() + 60, run);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto asked = Clock::now();
        StopSchedulerWorker(worker);
        stops.push_back(std::chrono::duration<double, std::milli>(Clock::now() - asked).count());
    }
    figures.stopMedianMs = median(stops);
    // Fire latency: the next second's beginning to the firing handed over.
    std::vector<double> fires;
    for (int i = 0; i < 5; ++i) {
        Run run;
        const std::int32_t due = nowSeconds() + 1;
        std::unique_ptr<fw::Thread> worker = startWorker(body, due, run);
        worker->join();
        fires.push_back(run.endedMs - due * 1000.0);
    }
    figures.fireMedianMs = median(fires);
    figures.fireMaxMs = *std::max_element(fires.begin(), fires.end());
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    const double watchSeconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    if (watchSeconds <= 0) {
        std::fprintf(stderr, "usage: scheduler_bench [seconds to watch the wait]\n");
        return 2;
    }
    // The workers wait on the real clock, with no window but the one they post to.
    const fw::test::RealTime realTime;
    std::printf("Measuring each worker in turn, about %.0f s each...\n", watchSeconds + 4);
    const Figures waiting = measure(SchedulerThreadProc, watchSeconds);
    const Figures spinning = measure(SpinningThreadProc, watchSeconds);

    const auto row = [](const char* what, double w, double s) {
        std::printf("%-48s %14.4f %14.4f %12.4g\n", what, w, s, w > 0 ? s / w : 0.0);
    };
    std::printf("%-48s %14s %14s %12s\n", "", "waiting worker", "spinning", "spin / wait");
    row("CPU time while a task is 60 s away (ms/s)", waiting.cpuMsPerSecond,
        spinning.cpuMsPerSecond);
    row("fire latency after the due second, median (ms)", waiting.fireMedianMs,
        spinning.fireMedianMs);
    row("fire latency after the due second, max (ms)", waiting.fireMaxMs, spinning.fireMaxMs);
    row("stop latency, median (ms)", waiting.stopMedianMs, spinning.stopMedianMs);
    return 0;
}
