// Measures the program as a focus-thief hunter sees it: does it catch short
// steals of the foreground, how soon does the line appear, what does it cost
// while nothing happens, how long does one logged change take with many
// processes and windows around, and how much memory does a long log take.
//
// Runs under Wine against the real program (TARNWICK_E2E_EXE) and prints a
// table. Not a test: it asserts nothing. Detection and idle cost are set
// beside a bare polling loop in a process of its own, pollerProbe.exe.
//   foregroundBench.exe <windowHost.exe> [--quick] [--only=SECTION]
// SECTION is one of memory, idle, detection, busy, latency, lookup.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/hostFacts.h"
#include "e2e/harness/hostProcess.h"
#include "e2e/harness/listBox.h"
#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/waiting.h"
#include "inventory/basProcesses.h"
#include "inventory/basWindows.h"
#include "support/basOSinfo.h"

namespace {

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Keeps serving this thread's windows for `ms` milliseconds, without sleeping
// through the end of a short hold.
// Sleeps between messages, so that the benchmark's own calls do not load
// the Wine server it measures.
void pumpFor(double ms) {
    const double end = nowMs() + ms;
    for (double left = ms; left > 0; left = end - nowMs()) {
        e2e::pumpMessages();
        if (left > 3.0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left - 2.0), QS_ALLINPUT);
        }
    }
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

int runningProcesses() {
    std::vector<DWORD> ids(4096);
    DWORD bytes = 0;
    EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes);
    return static_cast<int>(bytes / sizeof(DWORD));
}

// Top-level windows that the program would name an executable for.
int taskWindows() {
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM counter) -> BOOL {
            if (qualifiesForLookup(window)) {
                ++*reinterpret_cast<int*>(counter);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// Extra load for a busy machine: window-less processes and ordinary windows
// of this process, at most 400 of them, none in front.
class BusyMachine {
public:
    BusyMachine(const std::string& windowHost, int processes, int windows) : processes_(windowHost) {
        processes_.add(processes - runningProcesses());
        for (int n = taskWindows(); n < windows; ++n) {
            e2e::WindowSpec plan;
            plan.className = "TarnwickBenchExtra";
            plan.caption = "extra " + std::to_string(n);
            plan.style = WS_OVERLAPPED | WS_CAPTION;
            const int x = 20 + (n * 7) % 600;
            const int y = 20 + (n * 11) % 400;
            plan.rect = {x, y, x + 120, y + 60};
            plan.showCommand = SW_SHOWNOACTIVATE;
            windows_.push_back(std::make_unique<e2e::TestWindow>(plan));
        }
        pumpFor(500);
    }
    ~BusyMachine() {
        windows_.clear();
        processes_.endAll();
        pumpFor(300);
    }
    BusyMachine(const BusyMachine&) = delete;
    BusyMachine& operator=(const BusyMachine&) = delete;

private:
    e2e::ProcessCrowd processes_;
    std::vector<std::unique_ptr<e2e::TestWindow>> windows_;
};


// A bare polling loop of the program's kind in a process of its own
// (pollerProbe.exe, beside this program): GetForegroundWindow, Sleep(1), then
// the messages of a small window of its own, as any program with a window
// must serve them. What it catches and costs is the floor for polling the
// foreground on this machine. It counts the times `watched` comes to the
// front.
class ProbeProcess {
public:
    explicit ProbeProcess(HWND watched) : process_(probeExe()) {
        mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG),
                                      "TarnwickPollerProbe");
        if (mapping_ == nullptr) {
            return;
        }
        seen_ = static_cast<volatile LONG*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LONG)));
        if (seen_ == nullptr) {
            return;
        }
        running_ = process_.start(std::to_string(static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(watched))));
        if (running_) {
            Sleep(300);
        }
    }
    ~ProbeProcess() {
        process_.endAll();
        if (seen_ != nullptr) {
            UnmapViewOfFile(const_cast<LONG*>(seen_));
        }
        if (mapping_ != nullptr) {
            CloseHandle(mapping_);
        }
    }
    ProbeProcess(const ProbeProcess&) = delete;
    ProbeProcess& operator=(const ProbeProcess&) = delete;

    bool running() const { return running_; }
    LONG seen() const { return seen_ != nullptr ? InterlockedCompareExchange(seen_, 0, 0) : 0; }

private:
    static std::string probeExe() {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        const std::string path = self;
        return path.substr(0, path.find_last_of('\\') + 1) + "pollerProbe.exe";
    }

    e2e::ProcessCrowd process_;
    HANDLE mapping_ = nullptr;
    volatile LONG* seen_ = nullptr;
    bool running_ = false;
};

class Bench {
public:
    Bench(e2e::Program& program, std::string windowHost, bool quick)
        : program_(program), windowHost_(std::move(windowHost)), quick_(quick) {}

    bool prepare();
    void idleCost();
    void detection(const char* heading, const std::vector<int>& holds, const char* target);
    void busyDetection();
    void latency();
    void lookupCost();
    void memory(int lines);

private:
    bool waitForNewLineWith(int fromCount, const std::string& title, double& seenAt);
    double timePerChange(int changes, double& afterSwitch);
    void alternateUntil(int lines);

    e2e::Program& program_;
    std::string windowHost_;
    bool quick_;
    int programHostPid_ = 0;
    int wineserverHostPid_ = 0;
    HWND home_ = nullptr;
    std::unique_ptr<e2e::ProcessCrowd> homeProcess_;
    std::unique_ptr<e2e::TestWindow> stealer_;
    std::unique_ptr<e2e::TestWindow> a_;
    std::unique_ptr<e2e::TestWindow> b_;
};

bool Bench::prepare() {
    programHostPid_ = e2e::findHostProcess("tarnwick.exe");
    wineserverHostPid_ = e2e::findHostProcess("wineserver64");
    if (wineserverHostPid_ == 0) {
        wineserverHostPid_ = e2e::findHostProcess("wineserver");
    }
    if (programHostPid_ == 0 || wineserverHostPid_ == 0) {
        std::printf("could not find the program's or the Wine server's Linux process\n");
        return false;
    }
    homeProcess_ = std::make_unique<e2e::ProcessCrowd>(windowHost_);
    if (!homeProcess_->start("Bench home")) {
        std::printf("could not start %s\n", windowHost_.c_str());
        return false;
    }
    e2e::waitUntil([this] {
        home_ = FindWindowA("TarnwickTestHost", "Bench home");
        return home_ != nullptr;
    });
    e2e::WindowSpec plan;
    plan.className = "TarnwickBenchStealer";
    plan.caption = "stealer";
    plan.rect = {300, 200, 700, 500};
    stealer_ = std::make_unique<e2e::TestWindow>(plan);
    plan.className = "TarnwickBenchA";
    plan.caption = "lookup A";
    a_ = std::make_unique<e2e::TestWindow>(plan);
    plan.className = "TarnwickBenchB";
    plan.caption = "lookup B";
    b_ = std::make_unique<e2e::TestWindow>(plan);
    return home_ != nullptr && stealer_->valid() && a_->valid() && b_->valid();
}

void Bench::idleCost() {
    e2e::bringToFront(home_);
    pumpFor(2000);
    struct Shares {
        double program, server, probe;
    };
    auto measure = [&](int probeHostPid) {
        const long long program0 = e2e::cpuTicks(programHostPid_);
        const long long server0 = e2e::cpuTicks(wineserverHostPid_);
        const long long probe0 = probeHostPid != 0 ? e2e::cpuTicks(probeHostPid) : 0;
        const double start = nowMs();
        pumpFor(10000);
        const double seconds = (nowMs() - start) / 1000.0;
        Shares shares;
        shares.program = static_cast<double>(e2e::cpuTicks(programHostPid_) - program0) / seconds;
        shares.server = static_cast<double>(e2e::cpuTicks(wineserverHostPid_) - server0) / seconds;
        shares.probe =
            probeHostPid != 0 ? static_cast<double>(e2e::cpuTicks(probeHostPid) - probe0) / seconds : 0.0;
        return shares;
    };
    const Shares idle = measure(0);
    std::printf("Idle cost over 10 s (CPU share of one core)\n");
    std::printf("  tarnwick.exe        %5.1f %%\n", idle.program);
    std::printf("  wineserver          %5.1f %%\n", idle.server);
    std::printf("  both                %5.1f %%   (target: at most 4 %%)\n", idle.program + idle.server);
    // The same again with the bare polling loop running beside the program:
    // its own share, and what it adds to the Wine server's.
    ProbeProcess probe(nullptr);
    const int probeHostPid = probe.running() ? e2e::findHostProcess("pollerProbe.exe") : 0;
    if (probeHostPid == 0) {
        std::printf("\n");
        return;
    }
    const Shares withProbe = measure(probeHostPid);
    const double loopServer = withProbe.server - idle.server;
    std::printf("  a bare polling loop (GetForegroundWindow, Sleep(1), its window's messages), for comparison:\n");
    std::printf("    pollerProbe.exe   %5.1f %%\n", withProbe.probe);
    std::printf("    wineserver        %5.1f %%\n", loopServer);
    std::printf("    both              %5.1f %%\n\n", withProbe.probe + loopServer);
}

bool Bench::waitForNewLineWith(int fromCount, const std::string& title, double& seenAt) {
    const std::string field = "title='" + title + "'";
    int checked = fromCount;
    const double deadline = nowMs() + 10000;
    while (nowMs() < deadline) {
        const int count = e2e::listBoxCount(program_.list());
        for (; checked < count; ++checked) {
            std::string line;
            if (e2e::readListBoxLine(program_.list(), checked, line) &&
                line.compare(0, field.size(), field) == 0) {
                seenAt = nowMs();
                return true;
            }
        }
        e2e::pumpMessages();
    }
    return false;
}

void Bench::detection(const char* heading, const std::vector<int>& holds, const char* target) {
    const int rounds = quick_ ? 5 : 20;
    const std::string ownExe = e2e::ownExePath();
    std::printf("%s, %d times each, 60 ms apart\n", heading, rounds);
    std::printf("  held    caught      a bare polling loop caught   lines naming the executable\n");
    std::vector<double> switchTimes;
    for (int hold : holds) {
        std::vector<std::string> titles;
        const int before = e2e::listBoxCount(program_.list());
        ProbeProcess probe(stealer_->handle());
        int probeCaught = 0;
        for (int round = 0; round < rounds; ++round) {
            const std::string title = "steal " + std::to_string(hold) + " ms #" + std::to_string(round);
            titles.push_back(title);
            SetWindowTextA(stealer_->handle(), title.c_str());
            e2e::bringToFront(home_);
            pumpFor(60);
            const LONG probeBefore = probe.seen();
            // The hold starts once the helper is in front: Wine takes a
            // millisecond or more to switch, and part of it the foreground
            // is no window at all.
            const double switching = nowMs();
            SetForegroundWindow(stealer_->handle());
            const double start = nowMs();
            switchTimes.push_back(start - switching);
            while (nowMs() - start < hold) {
                e2e::pumpMessages();
            }
            SetForegroundWindow(home_);
            e2e::waitUntil([this] { return GetForegroundWindow() == home_; });
            pumpFor(100);
            probeCaught += probe.seen() > probeBefore ? 1 : 0;
        }
        pumpFor(300);
        std::vector<std::string> lines = program_.lines();
        lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(lines.size(), before > 0 ? before : 0));
        int caught = 0;
        int named = 0;
        const std::string exeField = "  exe='" + ownExe + "'  ";
        for (const std::string& title : titles) {
            const std::string field = "title='" + title + "'";
            for (const std::string& line : lines) {
                if (line.compare(0, field.size(), field) == 0) {
                    ++caught;
                    named += line.find(exeField) != std::string::npos ? 1 : 0;
                    break;
                }
            }
        }
        std::printf("  %2d ms   %2d of %d", hold, caught, rounds);
        if (probe.running()) {
            std::printf("    %2d of %d                  ", probeCaught, rounds);
        } else {
            std::printf("    (no probe)                ");
        }
        std::printf("%2d of %d\n", named, caught);
    }
    std::printf("  (target: %s)\n", target);
    std::printf("  A hold starts when the helper's SetForegroundWindow returns; the call took %.1f ms\n"
                "  (median) and %.1f ms (95th percentile).\n\n",
                percentile(switchTimes, 0.5), percentile(switchTimes, 0.95));
}

void Bench::busyDetection() {
    BusyMachine busy(windowHost_, 190, 400);
    char heading[160];
    std::snprintf(heading, sizeof heading,
                  "Detection on a busy machine (%d processes, %d windows): the foreground taken and "
                  "given back",
                  runningProcesses(), taskWindows());
    detection(heading, {5, 20, 50},
              "as many as the bare loop catches, and every line naming the executable");
}

void Bench::latency() {
    const int samples = quick_ ? 10 : 40;
    std::vector<double> delays;
    for (int i = 0; i < samples; ++i) {
        e2e::bringToFront(home_);
        pumpFor(80);
        const std::string title = "latency #" + std::to_string(i);
        SetWindowTextA(stealer_->handle(), title.c_str());
        const int before = e2e::listBoxCount(program_.list());
        const double start = nowMs();
        SetForegroundWindow(stealer_->handle());
        double seenAt = 0;
        if (waitForNewLineWith(before, title, seenAt)) {
            delays.push_back(seenAt - start);
        }
    }
    std::printf("Latency: SetForegroundWindow to the line in the list, %zu of %d samples\n",
                delays.size(), samples);
    std::printf("  median  %6.1f ms\n", percentile(delays, 0.5));
    std::printf("  95th    %6.1f ms\n\n", percentile(delays, 0.95));
}

// Switches between two windows of ours `changes` times. Returns the median
// time from SetForegroundWindow to the line, and in `afterSwitch` the median
// time from the moment the platform reports the new foreground window.
double Bench::timePerChange(int changes, double& afterSwitch) {
    std::vector<double> total;
    std::vector<double> sinceSwitch;
    for (int i = 0; i < changes; ++i) {
        HWND next = (i % 2 == 0) ? a_->handle() : b_->handle();
        const std::string title = (i % 2 == 0) ? "lookup A" : "lookup B";
        pumpFor(50);
        const int before = e2e::listBoxCount(program_.list());
        const double start = nowMs();
        SetForegroundWindow(next);
        while (GetForegroundWindow() != next && nowMs() - start < 5000) {
            e2e::pumpMessages();
        }
        const double switched = nowMs();
        double seenAt = 0;
        if (waitForNewLineWith(before, title, seenAt)) {
            total.push_back(seenAt - start);
            sinceSwitch.push_back(seenAt - switched);
        }
    }
    afterSwitch = percentile(sinceSwitch, 0.5);
    return percentile(total, 0.5);
}

void Bench::lookupCost() {
    getOSInfo(OSInfo);
    const int changes = quick_ ? 6 : 20;
    std::printf("Lookup cost: one logged change, and the lookup alone (medians of %d changes and of"
                " %d lookups)\n", changes, changes * 5);
    std::printf("  processes  windows   per change   after the switch   lookup alone\n");
    struct Point {
        int processes;
        int windows;
    };
    const Point points[] = {{20, 10}, {190, 10}, {20, 400}, {190, 400}};
    for (const Point& point : points) {
        BusyMachine busy(windowHost_, point.processes, point.windows);
        const int processes = runningProcesses();
        const int windows = taskWindows();
        double afterSwitch = 0;
        const double perChange = timePerChange(changes, afterSwitch);
        std::vector<double> alone;
        for (int i = 0; i < changes * 5; ++i) {
            const double start = nowMs();
            getExeOfWindow(a_->handle());
            alone.push_back(nowMs() - start);
        }
        std::printf("  %9d  %7d   %7.1f ms   %13.1f ms   %9.2f ms\n", processes, windows, perChange,
                    afterSwitch, percentile(alone, 0.5));
    }
    std::printf("  (target: a lookup of at most 5 ms at 190 processes and 400 windows)\n\n");
}

void Bench::alternateUntil(int lines) {
    for (int i = 0; e2e::listBoxCount(program_.list()) < lines; ++i) {
        const HWND next = (i % 2 == 0) ? a_->handle() : b_->handle();
        const int before = e2e::listBoxCount(program_.list());
        SetForegroundWindow(next);
        e2e::waitUntil([&] { return e2e::listBoxCount(program_.list()) > before; }, 10000);
    }
}

void Bench::memory(int lines) {
    alternateUntil(lines);
    pumpFor(500);
    std::printf("Memory after %5d logged changes: tarnwick.exe resident %lld KiB\n", lines,
                e2e::residentKiB(programHostPid_));
}

std::string wineVersion() {
    using Version = const char*(CDECL*)();
    const auto version = reinterpret_cast<Version>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    return version != nullptr ? version() : "not Wine";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: foregroundBench.exe <windowHost.exe> [--quick] [--only=SECTION]\n");
        return 2;
    }
    bool quick = false;
    std::string only;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--quick") {
            quick = true;
        } else if (argument.compare(0, 7, "--only=") == 0) {
            only = argument.substr(7);
        } else {
            std::printf("unknown argument %s\n", argument.c_str());
            return 2;
        }
    }
    auto wanted = [&only](const char* section) { return only.empty() || only == section; };
    setvbuf(stdout, nullptr, _IONBF, 0);

    SYSTEMTIME today;
    GetLocalTime(&today);
    std::printf("Tarnwick benchmark, %04u-%02u-%02u%s\n", today.wYear, today.wMonth, today.wDay,
                quick ? " (quick run)" : "");
    std::printf("Machine: %s\n", e2e::machineDescription().c_str());
    std::printf("Wine %s, 64-bit program, Xvfb with a Wine virtual desktop\n\n",
                wineVersion().c_str());

    e2e::Program program;
    if (!program.start()) {
        std::printf("the program did not start: %s\n", program.failure().c_str());
        return 1;
    }
    Bench bench(program, argv[1], quick);
    if (!bench.prepare()) {
        std::printf("could not prepare the benchmark's windows\n");
        return 1;
    }
    if (wanted("memory")) {
        bench.memory(100);
        std::printf("\n");
    }
    if (wanted("idle")) {
        bench.idleCost();
    }
    if (wanted("detection")) {
        bench.detection("Detection: the foreground taken for a while and given back", {2, 5, 10, 20, 50},
                        "every steal of 5 ms or more, and 18 of 20 at 2 ms");
    }
    if (wanted("busy")) {
        bench.busyDetection();
    }
    if (wanted("latency")) {
        bench.latency();
    }
    if (wanted("lookup")) {
        bench.lookupCost();
    }
    if (wanted("memory")) {
        bench.memory(quick ? 1000 : 10000);
    }
    return 0;
}
