// Ten thousand changes of the foreground among windows that come and go at
// random, some destroyed right after they take the foreground and some
// retitled by a second thread while the program reads them. The program
// must keep running, every line it writes must be well formed and true to
// the window it describes, no window may get two lines in a row, and its
// handles and memory must level off.
//
// The random choices come from a seed that is printed at the start; set
// TARNWICK_SOAK_SEED to repeat a run.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hostFacts.h"
#include "e2e/harness/listBox.h"
#include "e2e/harness/logLineFields.h"
#include "e2e/harness/processHandles.h"
#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/waiting.h"

namespace e2e {
namespace {

constexpr int foregroundChanges = 10000;

// Of every hundred changes: a window destroyed right after it takes the
// foreground, a window retitled while it comes to the front, and the rest
// plain changes between windows that stay.
constexpr int destroyedInFrontPercent = 10;
constexpr int retitledPercent = 15;

// How many windows of ours exist at a time.
constexpr int fewestWindows = 4;
constexpr int mostWindows = 12;

// Resources are sampled after these many changes. The first sample comes
// after a warm-up, when the program's heap and Wine's caches have grown to
// their working size.
const int samplePoints[] = {1000, 2500, 5000, 7500, 10000};
constexpr std::size_t middleSample = 2;  // after 5,000 changes
constexpr std::size_t lastSample = 4;    // after 10,000

// The handle count may differ by the handles a lookup holds for a moment
// (a process handle) if a sample falls inside one.
constexpr int handleTolerance = 8;

// Memory between the middle and the end of the run. Each logged line stays
// in the list box: about 150 characters, which Wine's list box keeps as
// UTF-16 with an item record and heap overhead, well under 1 KiB (about
// 0.4 KiB measured). The bound allows 1 KiB per line logged, plus a fixed
// allowance for heap growth in steps and for Wine's own caches: a leak of a
// kilobyte or more per change, such as a path or a buffer of the lookup kept
// each time, goes past it.
constexpr long long allowedKiBPerLine = 1;
constexpr long long allowedFixedGrowthKiB = 2048;

// Lines not needed at once are read in batches of about this many.
constexpr int stepsBetweenReads = 200;

constexpr unsigned defaultSeed = 20240607;

unsigned soakSeed() {
    const std::string text = environmentValue("TARNWICK_SOAK_SEED");
    return text.empty() ? defaultSeed : static_cast<unsigned>(std::strtoul(text.c_str(), nullptr, 10));
}

// ---------------------------------------------------------------------------
// The windows. Each has an id that both its caption and its class name
// carry, so a line can be traced to its window even if only one of the two
// was read before the window went.

const char idMark[] = "soak#";
const char classMark[] = "TarnwickSoak_";

std::string idText(int id) {
    char text[16];
    std::snprintf(text, sizeof text, "%05d", id);
    return text;
}

// The id after `mark` at the start of `text`, or -1.
int idAfter(const std::string& text, const std::string& mark) {
    if (text.compare(0, mark.size(), mark) != 0) {
        return -1;
    }
    int id = 0;
    std::size_t digits = 0;
    for (std::size_t at = mark.size(); at < text.size() && digits < 5; ++at, ++digits) {
        if (text[at] < '0' || text[at] > '9') {
            return -1;
        }
        id = id * 10 + (text[at] - '0');
    }
    return digits == 5 ? id : -1;
}

struct SoakWindow {
    int id = 0;
    std::string className;
    std::string caption;
    HWND handle = nullptr;
    RECT rect = {0, 0, 0, 0};
    DWORD style = 0;
    // Set once the window is destroyed: a line may then hold what the
    // program read before the end and neutral values after it.
    bool destroyed = false;
};

// The order in which the program asks about a window: process id first,
// then caption, class, visibility, rectangle, style, minimised. The
// executable is not asked of the window: the lookup judges the values read
// and then asks the window's process.
enum Query { askPid, askTitle, askClass, askVisible, askRect, askStyle, askIconic, queries };

// What a query can find while a window goes: the window as it was; the
// window hidden but not yet destroyed (DestroyWindow hides it first); no
// window at all.
enum class Stage { shown, hidden, gone };

// The captions a read can give while a second thread switches the caption
// between `retitledWith`: the program takes the length of one caption and
// then the text of another into a buffer of that length, which cuts the
// second to the first's length.
std::set<std::string> captionsReadable(const std::string& caption, const std::vector<std::string>& retitledWith) {
    if (retitledWith.empty()) {
        return {caption};
    }
    std::set<std::string> readable;
    for (const std::string& lengthFrom : retitledWith) {
        for (const std::string& textFrom : retitledWith) {
            readable.insert(textFrom.substr(0, lengthFrom.size()));
        }
    }
    return readable;
}

// Every line the program may write for `window`. A window that still exists
// gives exactly one line (or one per readable caption). A destroyed one may
// give any line in which the queries up to some point saw it shown, the next
// ones saw it hidden, and the rest found it gone, in the order of Query.
std::set<std::string> possibleLines(const SoakWindow& window, const std::vector<std::string>& retitledWith,
                                    const std::string& ownExe, DWORD ownPid) {
    std::set<std::string> lines;
    const std::set<std::string> captions = captionsReadable(window.caption, retitledWith);
    // A window that still exists is shown for every query.
    const int earliestChange = window.destroyed ? 0 : queries;
    for (int firstHidden = earliestChange; firstHidden <= queries; ++firstHidden) {
        for (int firstGone = firstHidden; firstGone <= queries; ++firstGone) {
            auto stage = [&](Query query) {
                if (query >= firstGone) {
                    return Stage::gone;
                }
                return query >= firstHidden ? Stage::hidden : Stage::shown;
            };
            for (const std::string& caption : captions) {
                WindowFacts facts;
                facts.pid = stage(askPid) == Stage::gone ? 0 : ownPid;
                facts.title = stage(askTitle) == Stage::gone ? "" : caption;
                facts.className = stage(askClass) == Stage::gone ? "" : window.className;
                facts.visible = stage(askVisible) == Stage::shown;
                facts.rect = stage(askRect) == Stage::gone ? RECT{0, 0, 0, 0} : window.rect;
                // Read as hidden or without an area, it is no task window: no
                // executable. Otherwise our process names ours, whatever the
                // style read after that.
                facts.exe = facts.visible && stage(askRect) != Stage::gone ? ownExe : "";
                facts.style = stage(askStyle) == Stage::gone    ? 0
                              : stage(askStyle) == Stage::shown ? window.style
                                                                : window.style & ~WS_VISIBLE;
                facts.iconic = 0;
                lines.insert(expectedLine(facts));
            }
        }
    }
    return lines;
}

LRESULT CALLBACK soakWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// Words for captions: a caption is its id and a few of these.
const char* const words[] = {"alpha", "bravo", "it's", "x", "Report.txt - Editor", "(1)", "tab\there",
                             "ends with blanks  ", "100%", "C:\\path", "\"quoted\""};

// Our windows, each with a class of its own, made and destroyed at random.
class WindowPool {
public:
    explicit WindowPool(std::mt19937& random) : random_(random) {}

    ~WindowPool() {
        for (auto& entry : windows_) {
            destroy(*entry.second);
        }
    }

    WindowPool(const WindowPool&) = delete;
    WindowPool& operator=(const WindowPool&) = delete;

    // A new window, shown without taking the foreground; its handle is null
    // when it could not be made.
    SoakWindow& create() {
        auto window = std::make_unique<SoakWindow>();
        window->id = nextId_++;
        window->className = classMark + idText(window->id) + std::string(static_cast<std::size_t>(pick(0, 30)), 'k');
        window->caption = idMark + idText(window->id);
        for (int i = pick(0, 4); i > 0; --i) {
            window->caption += " ";
            window->caption += words[pick(0, static_cast<int>(sizeof words / sizeof words[0]) - 1)];
        }
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = soakWindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = window->className.c_str();
        RegisterClassA(&windowClass);
        // Small, and many of them partly or wholly off the 1024 x 768
        // desktop: they are as real, and cost Wine less painting.
        const int left = pick(-150, 1350);
        const int top = pick(-100, 950);
        const DWORD style = pick(0, 3) == 0 ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
        window->handle = CreateWindowExA(0, window->className.c_str(), window->caption.c_str(), style, left, top,
                                         pick(80, 220), pick(40, 140), nullptr, nullptr, GetModuleHandleA(nullptr),
                                         nullptr);
        if (window->handle != nullptr) {
            ShowWindow(window->handle, SW_SHOWNOACTIVATE);
            GetWindowRect(window->handle, &window->rect);
            window->style = static_cast<DWORD>(GetWindowLongA(window->handle, GWL_STYLE));
        }
        SoakWindow& made = *window;
        windows_[made.id] = std::move(window);
        return made;
    }

    void destroy(SoakWindow& window) {
        if (window.destroyed) {
            return;
        }
        window.destroyed = true;
        if (window.handle != nullptr) {
            DestroyWindow(window.handle);
        }
        UnregisterClassA(window.className.c_str(), GetModuleHandleA(nullptr));
    }

    std::size_t livingCount() const {
        std::size_t count = 0;
        for (const auto& entry : windows_) {
            count += !entry.second->destroyed && entry.second->handle != nullptr ? 1 : 0;
        }
        return count;
    }

    // A living window other than `besides` and `norThis`, or null.
    SoakWindow* anyLivingBut(HWND besides, HWND norThis) {
        std::vector<SoakWindow*> candidates;
        for (auto& entry : windows_) {
            SoakWindow* window = entry.second.get();
            if (!window->destroyed && window->handle != nullptr && window->handle != besides &&
                window->handle != norThis) {
                candidates.push_back(window);
            }
        }
        return candidates.empty() ? nullptr : candidates[static_cast<std::size_t>(pick(0, static_cast<int>(candidates.size()) - 1))];
    }

    // Every window ever made stays known, so that late lines can be checked.
    SoakWindow* find(int id) {
        const auto found = windows_.find(id);
        return found == windows_.end() ? nullptr : found->second.get();
    }

    int pick(int lowest, int highest) { return std::uniform_int_distribution<int>(lowest, highest)(random_); }

private:
    std::mt19937& random_;
    std::map<int, std::unique_ptr<SoakWindow>> windows_;
    int nextId_ = 1;
};

// ---------------------------------------------------------------------------
// A second thread that retitles one window of ours as fast as it can. The
// window belongs to the test's main thread, so each SetWindowText waits
// until that thread takes the message; it does while it waits for the line.

class Retitler {
public:
    Retitler(HWND window, std::vector<std::string> captions) : window_(window), captions_(std::move(captions)) {
        thread_ = CreateThread(nullptr, 0, &Retitler::run, this, 0, nullptr);
    }

    ~Retitler() { stop(); }

    Retitler(const Retitler&) = delete;
    Retitler& operator=(const Retitler&) = delete;

    // Ends the thread, serving its last SetWindowText meanwhile.
    void stop() {
        if (thread_ != nullptr) {
            InterlockedExchange(&stopRequested_, 1);
            waitForObject(thread_);
            CloseHandle(thread_);
            thread_ = nullptr;
        }
    }

    bool started() const { return thread_ != nullptr; }
    long retitles() const { return retitles_; }

private:
    static DWORD WINAPI run(void* self) {
        auto* retitler = static_cast<Retitler*>(self);
        for (std::size_t next = 0; InterlockedCompareExchange(&retitler->stopRequested_, 0, 0) == 0; ++next) {
            const std::string& caption = retitler->captions_[next % retitler->captions_.size()];
            SetWindowTextA(retitler->window_, caption.c_str());
            InterlockedIncrement(&retitler->retitles_);
        }
        return 0;
    }

    HWND window_;
    std::vector<std::string> captions_;
    HANDLE thread_ = nullptr;
    volatile LONG stopRequested_ = 0;
    volatile LONG retitles_ = 0;
};

// ---------------------------------------------------------------------------
// Following the program's log.

// Waits for a line looking every millisecond rather than every few: ten
// thousand waits add up.
constexpr DWORD lineStepMs = 1;

// Reads lines [first, first + count) of `list` on several threads at once.
// Each question to the list box is answered in the program's message step,
// between two passes of its loop; questions from several threads are all
// answered in the same step, so a batch takes a fraction of the passes.
class BatchReader {
public:
    BatchReader(HWND list, int first, int count)
        : list_(list), first_(first), lines_(static_cast<std::size_t>(count)), read_(static_cast<std::size_t>(count), 0) {}

    bool run() {
        constexpr int mostThreads = 8;
        const int threads = std::min(mostThreads, static_cast<int>(lines_.size()));
        std::vector<HANDLE> running;
        for (int i = 0; i < threads; ++i) {
            const HANDLE thread = CreateThread(nullptr, 0, &BatchReader::work, this, 0, nullptr);
            if (thread != nullptr) {
                running.push_back(thread);
            }
        }
        if (running.empty() && !lines_.empty()) {
            work(this);
        }
        for (HANDLE thread : running) {
            waitForObject(thread, INFINITE);
            CloseHandle(thread);
        }
        return std::all_of(read_.begin(), read_.end(), [](char done) { return done != 0; });
    }

    std::vector<std::string>& lines() { return lines_; }

private:
    static DWORD WINAPI work(void* self) {
        auto* reader = static_cast<BatchReader*>(self);
        for (;;) {
            const LONG next = InterlockedIncrement(&reader->next_) - 1;
            if (next >= static_cast<LONG>(reader->lines_.size())) {
                return 0;
            }
            const auto index = static_cast<std::size_t>(next);
            reader->read_[index] = readListBoxLine(reader->list_, reader->first_ + next, reader->lines_[index]) ? 1 : 0;
        }
    }

    HWND list_;
    int first_;
    std::vector<std::string> lines_;
    std::vector<char> read_;
    volatile LONG next_ = 0;
};

// The program's log as read so far.
class LogFollower {
public:
    explicit LogFollower(HWND list) : list_(list) {}

    // Reads every line not read yet. False when the list box does not
    // answer or holds fewer lines than were read.
    bool readAll(std::string& problem) {
        const int count = listBoxCount(list_);
        if (count < 0) {
            problem = "the list box does not answer";
            return false;
        }
        const int have = static_cast<int>(lines_.size());
        if (count < have) {
            problem = "the list holds " + std::to_string(count) + " lines after " + std::to_string(have) +
                      " were read";
            return false;
        }
        if (count - have == 1) {
            std::string line;
            if (!readListBoxLine(list_, have, line)) {
                problem = "line " + std::to_string(have) + " could not be read";
                return false;
            }
            lines_.push_back(line);
            return true;
        }
        BatchReader batch(list_, have, count - have);
        if (!batch.run()) {
            problem = "lines " + std::to_string(have) + " to " + std::to_string(count - 1) + " could not be read";
            return false;
        }
        for (std::string& line : batch.lines()) {
            lines_.push_back(std::move(line));
        }
        return true;
    }

    const std::vector<std::string>& lines() const { return lines_; }

private:
    HWND list_;
    std::vector<std::string> lines_;
};

// ---------------------------------------------------------------------------

// One step of the run: the lines the program wrote from its start up to the
// next step's are checked against what the step did.
struct Step {
    int firstLine = 0;
    // The window brought to the front, or -1 (a window destroyed in front).
    int targetId = -1;
    // The captions a second thread switched the target between.
    std::vector<std::string> retitledWith;
    bool targetLogged = false;
};

struct Sample {
    int changes = 0;
    int lines = 0;
    int handles = 0;
    long long residentKiB = 0;
};

// Whose window a line describes.
enum class LineKind { ours, oursPartlyGone, oursGoneBeforeRead, program, noWindow, other, kinds };

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program_.start()) << program_.failure();
        programProcess_ = OpenProcess(PROCESS_DUP_HANDLE | PROCESS_QUERY_INFORMATION, FALSE, program_.pid());
        ASSERT_NE(programProcess_, nullptr);
        hostPid_ = findHostProcess("tarnwick.exe");
        ASSERT_NE(hostPid_, 0) << "the program's Linux process was not found";
        ownExe_ = ownExePath();
        log_ = std::make_unique<LogFollower>(program_.list());
        kindCounts_.assign(static_cast<std::size_t>(LineKind::kinds), 0);
    }

    void TearDown() override {
        if (programProcess_ != nullptr) {
            CloseHandle(programProcess_);
        }
    }

    // What is wrong with line `line` of step `step`, or empty text. `key`
    // receives what tells its window apart, for the two-in-a-row check.
    std::string checkLine(const std::string& line, const Step& step, WindowPool& pool, std::string& key,
                          LineKind& kind, int& windowId) {
        windowId = -1;
        LogLineFields fields;
        std::string why;
        if (!parseLogLine(line, fields, why)) {
            return "malformed (" + why + ")";
        }
        if (line == noWindowLine()) {
            // Its own thing: it parts the lines around it.
            kind = LineKind::noWindow;
            key = "no window";
            return std::string();
        }
        if (fields.pid == static_cast<LONG>(GetCurrentProcessId())) {
            int id = idAfter(fields.title, idMark);
            const int classId = idAfter(fields.className, classMark);
            if (id < 0) {
                id = classId;
            } else if (classId >= 0 && classId != id) {
                return "its caption and class belong to different windows";
            }
            if (id < 0) {
                // Caption and class were both gone, so is everything asked after.
                WindowFacts gone;
                gone.pid = GetCurrentProcessId();
                gone.visible = false;
                kind = LineKind::oursGoneBeforeRead;
                key = "a window gone at line " + std::to_string(linesChecked_);
                return line == expectedLine(gone) ? std::string() : "no window of ours gives this line";
            }
            windowId = id;
            const SoakWindow* window = pool.find(id);
            if (window == nullptr) {
                return "it names a window that was never made";
            }
            const bool target = id == step.targetId;
            const std::set<std::string> possible =
                possibleLines(*window, target ? step.retitledWith : std::vector<std::string>(), ownExe_,
                              GetCurrentProcessId());
            if (possible.count(line) == 0) {
                return "window " + idText(id) + " gives no such line; it gives, for one,\n    " + *possible.rbegin();
            }
            SoakWindow whole = *window;
            whole.destroyed = false;
            const bool partlyGone =
                possibleLines(whole, target ? step.retitledWith : std::vector<std::string>(), ownExe_,
                              GetCurrentProcessId())
                    .count(line) == 0;
            kind = partlyGone ? LineKind::oursPartlyGone : LineKind::ours;
            key = "window " + idText(id);
            return std::string();
        }
        if (fields.pid == static_cast<LONG>(program_.pid())) {
            WindowFacts facts;
            facts.title = "Velquist";
            facts.className = "TarnwickForm1";
            facts.visible = true;
            GetWindowRect(program_.window(), &facts.rect);
            facts.exe = programPath();
            facts.pid = program_.pid();
            facts.style = static_cast<DWORD>(GetWindowLongA(program_.window(), GWL_STYLE));
            facts.iconic = 0;
            if (line != expectedLine(facts)) {
                return "it is not the line of the program's own window,\n    " + expectedLine(facts);
            }
            kind = LineKind::program;
            key = "the program's window";
            return std::string();
        }
        // Another program's window (Wine's desktop, say): being well formed
        // is all that can be asked of it.
        kind = LineKind::other;
        key = line;
        return std::string();
    }

    // Reads every line written so far and checks the ones not yet checked.
    void readAndCheck(WindowPool& pool) {
        std::string problem;
        ASSERT_TRUE(log_->readAll(problem)) << problem
                                            << (program_.hasExited() ? " (the program has ended)" : "");
        const std::vector<std::string>& lines = log_->lines();
        for (; linesChecked_ < static_cast<int>(lines.size()); ++linesChecked_) {
            while (stepChecked_ + 1 < steps_.size() && steps_[stepChecked_ + 1].firstLine <= linesChecked_) {
                ASSERT_TRUE(steps_[stepChecked_].targetId < 0 || steps_[stepChecked_].targetLogged)
                    << "no line for window " << idText(steps_[stepChecked_].targetId) << " in lines "
                    << steps_[stepChecked_].firstLine << " to " << steps_[stepChecked_ + 1].firstLine - 1
                    << ", after it took the foreground\n" << around(steps_[stepChecked_].firstLine);
                ++stepChecked_;
            }
            Step& step = steps_[stepChecked_];
            const std::string& line = lines[static_cast<std::size_t>(linesChecked_)];
            std::string key;
            LineKind kind = LineKind::other;
            int windowId = -1;
            const std::string wrong = checkLine(line, step, pool, key, kind, windowId);
            ASSERT_TRUE(wrong.empty()) << "line " << linesChecked_ << ": " << wrong << "\n  line: " << line << "\n"
                                       << around(linesChecked_);
            ASSERT_NE(key, previousKey_) << "line " << linesChecked_ << ": a second line in a row for " << key << "\n"
                                         << around(linesChecked_);
            previousKey_ = key == "no window" ? std::string() : key;
            if (windowId >= 0 && windowId == step.targetId) {
                step.targetLogged = true;
            }
            ++kindCounts_[static_cast<std::size_t>(kind)];
        }
    }

    // The lines around line `index`, for failure messages.
    std::string around(int index) const {
        const std::vector<std::string>& lines = log_->lines();
        std::string text;
        for (int i = std::max(0, index - 6); i < std::min(static_cast<int>(lines.size()), index + 4); ++i) {
            text += "  [" + std::to_string(i) + "] " + lines[static_cast<std::size_t>(i)] + "\n";
        }
        return text;
    }

    // Whether the lines read so far hold one whose caption or class names
    // window `id`, from line `firstLine` on.
    bool hasLineOf(int id, int firstLine) const {
        const std::vector<std::string>& lines = log_->lines();
        for (std::size_t i = static_cast<std::size_t>(firstLine); i < lines.size(); ++i) {
            LogLineFields fields;
            std::string why;
            if (parseLogLine(lines[i], fields, why) &&
                (idAfter(fields.title, idMark) == id || idAfter(fields.className, classMark) == id)) {
                return true;
            }
        }
        return false;
    }

    Sample sample(int changes) {
        Sample taken;
        taken.changes = changes;
        taken.lines = knownCount_;
        taken.handles = countOpenHandles(programProcess_);
        taken.residentKiB = residentKiB(hostPid_);
        std::printf("after %5d changes: %5d lines, %3d handles, %7lld KiB resident\n", changes, taken.lines,
                    taken.handles, taken.residentKiB);
        std::fflush(stdout);
        return taken;
    }

    Program program_;
    HANDLE programProcess_ = nullptr;
    int hostPid_ = 0;
    std::string ownExe_;
    std::unique_ptr<LogFollower> log_;
    std::vector<Step> steps_;
    std::size_t stepChecked_ = 0;
    int linesChecked_ = 0;
    int knownCount_ = 0;
    std::string previousKey_;
    std::vector<int> kindCounts_;
};

TEST_F(Soak, TenThousandForegroundChangesAmongWindowsThatComeAndGo) {
    const unsigned seed = soakSeed();
    std::printf("seed %u (TARNWICK_SOAK_SEED=%u repeats this run)\n", seed, seed);
    std::fflush(stdout);
    std::mt19937 random(seed);
    WindowPool pool(random);

    // What the program wrote before: its own window, as a rule.
    steps_.push_back(Step{});
    readAndCheck(pool);
    if (HasFatalFailure()) {
        return;
    }
    knownCount_ = static_cast<int>(log_->lines().size());

    std::vector<Sample> samples;
    std::size_t nextSample = 0;
    int changes = 0;
    int destroyedInFront = 0;
    int retitledSteps = 0;
    long retitles = 0;
    int stepsSinceRead = 0;
    HWND previousTarget = nullptr;
    // Whether the last line so far is the line of the last step's target,
    // with nothing else on its way.
    bool settled = false;
    const DWORD started = GetTickCount();

    while (changes < foregroundChanges) {
        // Windows come and go, never the one in front.
        const HWND front = GetForegroundWindow();
        if (pool.livingCount() > static_cast<std::size_t>(fewestWindows) && pool.pick(0, 9) == 0) {
            SoakWindow* leaving = pool.anyLivingBut(front, previousTarget);
            if (leaving != nullptr) {
                pool.destroy(*leaving);
            }
        }
        while (pool.livingCount() < static_cast<std::size_t>(fewestWindows) ||
               (pool.livingCount() < static_cast<std::size_t>(mostWindows) && pool.pick(0, 4) == 0)) {
            ASSERT_NE(pool.create().handle, nullptr) << "could not make a window";
        }
        pumpMessages();

        Step step;
        step.firstLine = knownCount_;
        const int action = pool.pick(0, 99);
        if (action < destroyedInFrontPercent) {
            // Destroyed right after it takes the foreground: at once, or a
            // few milliseconds later while the program may be reading it.
            // Where the foreground goes then is Wine's choice.
            SoakWindow& doomed = pool.create();
            ASSERT_NE(doomed.handle, nullptr) << "could not make a window";
            pumpMessages();
            steps_.push_back(step);
            SetForegroundWindow(doomed.handle);
            const bool tookIt = GetForegroundWindow() == doomed.handle;
            const int delayMs = pool.pick(-6, 12);
            if (delayMs > 0) {
                Sleep(static_cast<DWORD>(delayMs));
            }
            pool.destroy(doomed);
            if (tookIt) {
                ++changes;
                ++destroyedInFront;
            }
            // A few passes of the program, so that it has seen where the
            // foreground went: the next target is then a change for it.
            pumpMessages();
            ASSERT_TRUE(program_.letTheLoopRun(3)) << "the program stopped answering";
            knownCount_ = listBoxCount(program_.list());
            ASSERT_GE(knownCount_, step.firstLine) << "the log lost lines";
            settled = false;
        } else {
            SoakWindow* target = pool.anyLivingBut(front, previousTarget);
            ASSERT_NE(target, nullptr);
            step.targetId = target->id;
            std::unique_ptr<Retitler> retitler;
            if (action < destroyedInFrontPercent + retitledPercent) {
                // Retitled by a second thread, over and over, while it comes
                // to the front and while the program reads it.
                std::string longer = target->caption + " and a longer caption ";
                longer += std::string(static_cast<std::size_t>(pool.pick(1, 120)), '~');
                step.retitledWith = {idMark + idText(target->id), target->caption, longer};
                retitler = std::make_unique<Retitler>(target->handle, step.retitledWith);
                ASSERT_TRUE(retitler->started());
                ASSERT_TRUE(waitUntil([&] { return retitler->retitles() > 0; }));
            }
            steps_.push_back(step);
            ASSERT_TRUE(bringToFront(target->handle)) << "window " << idText(target->id) << " did not come to the front";
            ++changes;
            if (settled && !retitler) {
                // From one window of ours to another the foreground moves
                // directly: one change, one line. Its text is read later,
                // with others, and checked against this step then.
                int count = -1;
                const bool grew = waitUntil(
                    [&] {
                        count = listBoxCount(program_.list());
                        return count != step.firstLine;
                    },
                    defaultTimeoutMs, lineStepMs);
                ASSERT_TRUE(grew) << "no line for window " << idText(target->id) << " after it took the foreground"
                                  << (program_.hasExited() ? " (the program has ended)" : "");
                ASSERT_EQ(count, step.firstLine + 1) << "one change of the foreground, one line"
                                                     << (count < 0 ? " (the list box does not answer)" : "");
                knownCount_ = count;
            } else {
                // Other lines may come first: wait for this window's by text.
                const bool logged = waitUntil(
                    [&] {
                        readAndCheck(pool);
                        return HasFatalFailure() || hasLineOf(target->id, step.firstLine);
                    },
                    defaultTimeoutMs, lineStepMs);
                if (HasFatalFailure()) {
                    return;
                }
                ASSERT_TRUE(logged) << "no line for window " << idText(target->id) << " after it took the foreground"
                                    << (program_.hasExited() ? " (the program has ended)" : "") << "\n"
                                    << around(step.firstLine);
                knownCount_ = static_cast<int>(log_->lines().size());
                stepsSinceRead = 0;
            }
            if (retitler) {
                retitler->stop();
                retitles += retitler->retitles();
                ++retitledSteps;
                SetWindowTextA(target->handle, target->caption.c_str());
                pumpMessages();
            }
            previousTarget = target->handle;
            settled = true;
        }

        if (++stepsSinceRead >= stepsBetweenReads) {
            readAndCheck(pool);
            if (HasFatalFailure()) {
                return;
            }
            stepsSinceRead = 0;
        }
        if (nextSample < sizeof samplePoints / sizeof samplePoints[0] && changes >= samplePoints[nextSample]) {
            ASSERT_FALSE(program_.hasExited()) << "the program ended with code " << program_.exitCode();
            samples.push_back(sample(changes));
            ++nextSample;
        }
    }

    // One more plain change: the program still logs, and the last step's
    // lines are all in.
    SoakWindow* last = pool.anyLivingBut(GetForegroundWindow(), previousTarget);
    ASSERT_NE(last, nullptr);
    Step finalStep;
    finalStep.firstLine = knownCount_;
    finalStep.targetId = last->id;
    steps_.push_back(finalStep);
    ASSERT_TRUE(bringToFront(last->handle));
    const bool logged = waitUntil(
        [&] {
            readAndCheck(pool);
            return HasFatalFailure() || hasLineOf(last->id, finalStep.firstLine);
        },
        defaultTimeoutMs, lineStepMs);
    if (HasFatalFailure()) {
        return;
    }
    ASSERT_TRUE(logged) << "the program stopped logging";
    readAndCheck(pool);
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_TRUE(steps_.back().targetLogged);
    ASSERT_FALSE(program_.hasExited());
    EXPECT_EQ(listBoxCount(program_.list()), static_cast<int>(log_->lines().size()))
        << "the list changed behind the lines read";

    const unsigned long seconds = (GetTickCount() - started) / 1000;
    std::printf("%d foreground changes in %lu s, %d lines: %d windows destroyed right after taking the foreground, "
                "%d retitled while read (%ld retitles)\n",
                changes, seconds, linesChecked_, destroyedInFront, retitledSteps, retitles);
    std::printf("lines of: windows of ours %d, of which %d read in part before they went, ours gone before they were "
                "read %d, the program's window %d, no window %d, other programs %d\n",
                kindCounts_[static_cast<std::size_t>(LineKind::ours)] +
                    kindCounts_[static_cast<std::size_t>(LineKind::oursPartlyGone)],
                kindCounts_[static_cast<std::size_t>(LineKind::oursPartlyGone)],
                kindCounts_[static_cast<std::size_t>(LineKind::oursGoneBeforeRead)],
                kindCounts_[static_cast<std::size_t>(LineKind::program)],
                kindCounts_[static_cast<std::size_t>(LineKind::noWindow)],
                kindCounts_[static_cast<std::size_t>(LineKind::other)]);

    // Handles and memory level off.
    ASSERT_EQ(samples.size(), sizeof samplePoints / sizeof samplePoints[0]);
    int fewestHandles = samples.front().handles;
    int mostHandles = samples.front().handles;
    for (const Sample& taken : samples) {
        ASSERT_GT(taken.handles, 0) << "the program's handles could not be counted";
        ASSERT_GT(taken.residentKiB, 0) << "the program's memory could not be read";
        fewestHandles = std::min(fewestHandles, taken.handles);
        mostHandles = std::max(mostHandles, taken.handles);
    }
    EXPECT_LE(mostHandles - fewestHandles, handleTolerance) << "the program's handle count does not level off";

    const Sample& middle = samples[middleSample];
    const Sample& end = samples[lastSample];
    const long long linesBetween = end.lines - middle.lines;
    EXPECT_LE(end.residentKiB - middle.residentKiB, allowedFixedGrowthKiB + allowedKiBPerLine * linesBetween)
        << "memory grew from " << middle.residentKiB << " KiB to " << end.residentKiB << " KiB over " << linesBetween
        << " lines";
}

TEST(SoakChecks, TheLineCheckerRejectsWhatIsNotAWellFormedLine) {
    LogLineFields fields;
    std::string why;
    const std::string good =
        "title='a'  cls='b'  vis=yes  pos=-1,2,30,40  exe='C:\\x.exe'  pid=-7  style=14CF0000  iconic=1";
    ASSERT_TRUE(parseLogLine(good, fields, why)) << why;
    EXPECT_EQ(fields.title, "a");
    EXPECT_EQ(fields.className, "b");
    EXPECT_EQ(fields.left, -1);
    EXPECT_EQ(fields.height, 40);
    EXPECT_EQ(fields.exe, "C:\\x.exe");
    EXPECT_EQ(fields.pid, -7);
    EXPECT_EQ(fields.style, 0x14CF0000ul);
    EXPECT_EQ(fields.iconic, 1);
    EXPECT_TRUE(parseLogLine(noWindowLine(), fields, why)) << why;

    const char* const bad[] = {
        "title='a'  cls='b'  vis=yes  pos=-1,2,30,40  exe='C:\\x.exe'  pid=-7  style=14CF0000  iconic=1 ",
        "title='a' cls='b'  vis=yes  pos=-1,2,30,40  exe=''  pid=7  style=0  iconic=0",
        "title='a'  cls='b'  vis=maybe  pos=-1,2,30,40  exe=''  pid=7  style=0  iconic=0",
        "title='a'  cls='b'  vis=no  pos=-1,2,30  exe=''  pid=7  style=0  iconic=0",
        "title='a'  cls='b'  vis=no  pos=01,2,30,40  exe=''  pid=7  style=0  iconic=0",
        "title='a'  cls='b'  vis=no  pos=-0,2,30,40  exe=''  pid=7  style=0  iconic=0",
        "title='a'  cls='b'  vis=no  pos=1,2,30,40  exe=''  pid=+7  style=0  iconic=0",
        "title='a'  cls='b'  vis=no  pos=1,2,30,40  exe=''  pid=2147483648  style=0  iconic=0",
        "title='a'  cls='b'  vis=no  pos=1,2,30,40  exe=''  pid=7  style=14cf0000  iconic=0",
        "title='a'  cls='b'  vis=no  pos=1,2,30,40  exe=''  pid=7  style=014CF0000  iconic=0",
        "title='a'  cls='b'  vis=no  pos=1,2,30,40  exe=''  pid=7  style=0  iconic=2",
        "cls='b'  title='a'  vis=no  pos=1,2,30,40  exe=''  pid=7  style=0  iconic=0",
        "title='a'  cls='b'  vis=no  pos=1,2,30,40  pid=7  exe=''  style=0  iconic=0",
        "title='a'  cls='b'  vis=no  pos=1,2,30,40  exe=''  pid=7  style=0",
        "",
    };
    for (const char* line : bad) {
        EXPECT_FALSE(parseLogLine(line, fields, why)) << line;
    }
}

TEST(SoakChecks, ALineOfAWindowThatIsGoingMayOnlyEndInNeutralValues) {
    SoakWindow window;
    window.id = 7;
    window.className = "TarnwickSoak_00007";
    window.caption = "soak#00007 alpha";
    window.rect = {10, 20, 110, 220};
    window.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const std::string exe = "Z:\\t\\soak.exe";
    const std::set<std::string> living = possibleLines(window, {}, exe, 33);
    ASSERT_EQ(living.size(), 1u);
    const std::string whole = *living.begin();
    EXPECT_EQ(whole, "title='soak#00007 alpha'  cls='TarnwickSoak_00007'  vis=yes  pos=10,20,100,200  exe='" +
                         exe + "'  pid=33  style=" + "10CF0000" + "  iconic=0");

    window.destroyed = true;
    const std::set<std::string> going = possibleLines(window, {}, exe, 33);
    EXPECT_EQ(going.count(whole), 1u);
    // Caption read, the rest gone.
    EXPECT_EQ(going.count("title='soak#00007 alpha'  cls=''  vis=no  pos=0,0,0,0  exe=''  pid=33  style=0  iconic=0"),
              1u);
    // Hidden from the visibility on.
    EXPECT_EQ(going.count("title='soak#00007 alpha'  cls='TarnwickSoak_00007'  vis=no  pos=10,20,100,200  exe=''  "
                          "pid=33  style=CF0000  iconic=0"),
              1u);
    // A value after a neutral one cannot come from a window that is going.
    EXPECT_EQ(going.count("title=''  cls='TarnwickSoak_00007'  vis=no  pos=0,0,0,0  exe=''  pid=33  style=0  iconic=0"),
              0u);
    // Hidden at the visibility, yet a task window for the executable.
    EXPECT_EQ(going.count("title='soak#00007 alpha'  cls='TarnwickSoak_00007'  vis=no  pos=10,20,100,200  exe='" + exe +
                          "'  pid=33  style=CF0000  iconic=0"),
              0u);
    // Read as shown and with its rectangle, yet no executable.
    EXPECT_EQ(going.count("title='soak#00007 alpha'  cls='TarnwickSoak_00007'  vis=yes  pos=10,20,100,200  exe=''  "
                          "pid=33  style=10CF0000  iconic=0"),
              0u);
    // Hidden only from the style on: the lookup takes the visibility read
    // before, and the style's visible bit plays no part in it.
    EXPECT_EQ(going.count("title='soak#00007 alpha'  cls='TarnwickSoak_00007'  vis=yes  pos=10,20,100,200  exe='" +
                          exe + "'  pid=33  style=CF0000  iconic=0"),
              1u);
    EXPECT_EQ(going.count("title='soak#00007'  cls='TarnwickSoak_00007'  vis=yes  pos=10,20,100,200  exe='" + exe +
                          "'  pid=33  style=10CF0000  iconic=0"),
              0u);

    window.destroyed = false;
    const std::set<std::string> retitled =
        possibleLines(window, {"soak#00007", "soak#00007 alpha", "soak#00007 bravo bravo"}, exe, 33);
    auto withTitle = [&](const std::string& title) {
        return "title='" + title + "'  cls='TarnwickSoak_00007'  vis=yes  pos=10,20,100,200  exe='" + exe +
               "'  pid=33  style=10CF0000  iconic=0";
    };
    // Whole captions, and one cut to the length of a shorter one.
    for (const char* title : {"soak#00007", "soak#00007 alpha", "soak#00007 bravo bravo", "soak#00007 bravo"}) {
        EXPECT_EQ(retitled.count(withTitle(title)), 1u) << title;
    }
    EXPECT_EQ(retitled.size(), 4u);
    // No caption was ever 15 characters long.
    EXPECT_EQ(retitled.count(withTitle("soak#00007 alph")), 0u);
    EXPECT_EQ(retitled.count(withTitle("")), 0u);
}

}  // namespace
}  // namespace e2e
