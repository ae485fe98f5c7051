// SPDX-License-Identifier: GPL-3.0-or-later
// Measures Kelvara on the current Qt platform (offscreen in CI) with a fixed
// seed and prints each figure beside its limit. A target is what users feel;
// a guard only keeps a figure from sliding back:
//   1. a full board of instant drops (20 rows, n = 5, until the board is
//      full) against drawing the same balls on a bare surface (a guard);
//   2. an animated ball at speed 1 against (rows) x 0.02 s;
//   3. start-up to the main window's first paint against a QMainWindow that
//      shows one label (and, for reference, a bare QMainWindow's);
//   4. peak resident memory after a full board against a bare window;
//   5. a full board with the run rules shown against the same Run with them
//      off (the same seed, alternated, medians of 15 runs each, in processor
//      time);
//   6. a full board and the histograms opened on it with the ideal lines
//      shown, against the same with them off (likewise), and the peak memory
//      of each in processes of its own;
//   7. 100 full boards in a row through the run alone, headless (20 rows,
//      n = 5, k = 20, instant), against the bare path stepper walking the
//      same number of balls: the random decisions only;
//   8. the four funnel rules compared on 100,000 balls with 20 rows, their
//      statistics included, against drawing the same decisions once and
//      walking them under rule 1 only (processor time, medians of 5 runs);
//   9. how late the interface thread handles an event (LatenessProbe), the
//      worst and the 99th percentile against one frame at 60 Hz (17 ms) and
//      what a person still takes as instant (100 ms): a. during an animated
//      Run of two balls through 10 rows at the slowest speed; b. during the
//      whole demonstration, its captions answered by posted keys. Before the
//      waits let events run, a. measured 320 ms at worst (median 159 ms) and
//      the first 25 s of b. 5,043 ms (median 591 ms).
//  10. the run-length lab's 1,000 runs through the core (20 rows, n = 5,
//      k = 20, a shift of 1 after subgroup 20, rules 1 to 4, limits from the
//      first k subgroups) against the bare path stepper walking as many
//      balls; and how late an event is handled while the lab's window runs
//      the same from its Start button, against 100 ms.
// Figures 3 and 4 come from fresh child processes of this program, so one
// process's caches and allocations do not flatter the other.

#include "latenessprobe.h"

#include "app/startup.h"
#include "app/testing.h"
#include "common/preferences.h"
#include "core/funnelcomparison.h"
#include "core/pathstepper.h"
#include "core/quincunxrun.h"
#include "core/runlengthlab.h"
#include "surface/drawingsurface.h"
#include "surface/palette.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPaintEvent>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <functional>

namespace {

constexpr std::uint32_t seed = 20261206;

using testsupport::topLevel;

template <class T>
T *control(const QString &name)
{
    return topLevel(QStringLiteral("quincunxform"))->findChild<T *>(name);
}

enum class Clock { Wall, Processor };

// Seconds on the wall clock, or of processor time this process has used. The
// second leaves out the time spent waiting for a processor, which on a
// machine shared with other work can swamp a small difference.
double secondsNow(Clock clock)
{
    if (clock == Clock::Processor) {
        timespec used{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
        return double(used.tv_sec) + used.tv_nsec / 1e9;
    }
    static QElapsedTimer wall;
    if (!wall.isValid())
        wall.start();
    return wall.nsecsElapsed() / 1e9;
}

// Runs `action`, closing the message boxes it shows, and returns the seconds
// until the first box appeared (the board-full message ends a fill): the time
// a box waits for its reader is not the program's.
double secondsUntilMessage(const std::function<void()> &action, Clock clock = Clock::Wall)
{
    class MessageWatcher : public QObject {
    public:
        Clock clock = Clock::Wall;
        double start = 0;
        double seconds = -1;

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Show && qobject_cast<QMessageBox *>(watched)) {
                if (seconds < 0)
                    seconds = secondsNow(clock) - start;
                QTimer::singleShot(0, watched, [box = static_cast<QMessageBox *>(watched)] { box->accept(); });
            }
            return false;
        }
    } watcher;
    watcher.clock = clock;
    qApp->installEventFilter(&watcher);
    watcher.start = secondsNow(clock);
    action();
    qApp->removeEventFilter(&watcher);
    return watcher.seconds >= 0 ? watcher.seconds : secondsNow(clock) - watcher.start;
}

int ballsOnBoard()
{
    int subgroups = control<QLineEdit>(QStringLiteral("subgrouptext"))->text().toInt();
    return subgroups * topLevel(QStringLiteral("quincunxform"))->findChild<QObject *>(QStringLiteral("grdScaled"))
                           ->property("rowCount").toInt();
}

double fillBoard(Clock clock = Clock::Wall)
{
    testsupport::typeDropCount(topLevel(QStringLiteral("quincunxform")), 99);
    return secondsUntilMessage([] { control<QAbstractButton>(QStringLiteral("dropbutton"))->click(); }, clock);
}

// Opens the histograms on the run, then goes back: the seconds until they show.
double openHistograms(Clock clock = Clock::Wall)
{
    const double start = secondsNow(clock);
    control<QAbstractButton>(QStringLiteral("histbutton"))->click();
    QApplication::processEvents();
    const double seconds = secondsNow(clock) - start;
    control<QAbstractButton>(QStringLiteral("histbackbutton"))->click();
    return seconds;
}

// The same number of balls drawn straight onto the board's own picture after
// a Reset, letting events run before each ball as a Run does: what drawing
// alone costs in the real window.
double drawBallsAlone(int balls)
{
    control<QAbstractButton>(QStringLiteral("resetbutton"))->click();
    auto *board = control<kelvara::DrawingSurface>(QStringLiteral("qpicture"));
    QApplication::processEvents();
    board->setFillColor(kelvara::qbColor(12));
    board->setFillSolid(true);
    QElapsedTimer clock;
    clock.start();
    for (int ball = 0; ball < balls; ++ball) {
        QApplication::processEvents();
        board->circle(11.25 + 2.5 * (ball % 31), 3.4225 + 0.845 * (ball / 31 % 70), 0.4225, kelvara::qbColor(0));
    }
    QApplication::processEvents();
    const double seconds = clock.nsecsElapsed() / 1e9;
    board->setFillSolid(false);
    control<QAbstractButton>(QStringLiteral("resetbutton"))->click();
    return seconds;
}

double animatedBall(int balls)
{
    control<QCheckBox>(QStringLiteral("Animationcheck"))->setChecked(true);
    control<QAbstractButton>(QStringLiteral("resetbutton"))->click(); // speed back to 3
    topLevel(QStringLiteral("quincunxform"))->findChild<QWidget *>(QStringLiteral("HScroll1"))->setProperty("value", 1);
    control<QLineEdit>(QStringLiteral("subgrouptext"))->setText(QStringLiteral("1"));
    testsupport::typeDropCount(topLevel(QStringLiteral("quincunxform")), balls);
    QElapsedTimer clock;
    clock.start();
    control<QAbstractButton>(QStringLiteral("dropbutton"))->click();
    return clock.nsecsElapsed() / 1e9 / balls;
}

// A fresh board of 10 rows set for an animated Run of two balls of n = 1
// at the slowest speed; its redraws are done before the Run is measured.
void prepareSlowAnimatedRun()
{
    control<QAbstractButton>(QStringLiteral("resetbutton"))->click();
    control<QCheckBox>(QStringLiteral("Animationcheck"))->setChecked(true);
    control<QLineEdit>(QStringLiteral("rowstext"))->setText(QStringLiteral("10"));
    control<QLineEdit>(QStringLiteral("subgrouptext"))->setText(QStringLiteral("1"));
    topLevel(QStringLiteral("quincunxform"))->findChild<QWidget *>(QStringLiteral("HScroll1"))->setProperty("value", 5);
    testsupport::typeDropCount(topLevel(QStringLiteral("quincunxform")), 2);
    QCoreApplication::processEvents();
}

void slowAnimatedRun()
{
    control<QAbstractButton>(QStringLiteral("dropbutton"))->click();
}

// The whole demonstration from a reset board; a key is posted to the caption
// every quarter second while one shows, as a teacher's press would come.
// The lab's window, opened from the charts' menu, running figure 10's runs from Start.
void labWindowRuns()
{
    auto *charts = topLevel(QStringLiteral("frmCtrlChrt"));
    charts->findChild<QAction *>(QStringLiteral("mnuRunLengthLab"))->trigger();
    QWidget *lab = topLevel(QStringLiteral("frmRunLength"));
    lab->findChild<QComboBox *>(QStringLiteral("rulesChoice"))->setCurrentIndex(1);
    lab->findChild<QSpinBox *>(QStringLiteral("runsBox"))->setValue(1000);
    lab->findChild<QAbstractButton *>(QStringLiteral("startButton"))->click();
    lab->close();
}

void wholeDemonstration()
{
    control<QAbstractButton>(QStringLiteral("resetbutton"))->click();
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        auto *caption = control<QWidget>(QStringLiteral("teachpanel"));
        if (caption->isVisible())
            QCoreApplication::postEvent(caption, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    });
    answer.start(250);
    secondsUntilMessage([] { control<QAbstractButton>(QStringLiteral("selfscriptbutton"))->click(); });
}

// The event loop with nothing to do: what the machine itself adds.
void idleLoop()
{
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
}

LatenessProbe::Figures lateness(const std::function<void()> &action)
{
    LatenessProbe probe;
    action();
    return probe.finish();
}

void reportLateness(const char *what, const LatenessProbe::Figures &figures)
{
    std::printf("   %s: worst %.1f ms, 99th percentile %.1f ms, median %.2f ms, %zu events\n", what,
                figures.worst, figures.p99, figures.median, figures.samples);
}

// The high-water mark of this process image. getrusage() would also count
// the parent's pages, which a forked child inherits across exec.
long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Paints once, then reports how long it took from `start` to this first paint.
class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(const QElapsedTimer &start) : m_start(start) {}
    double seconds = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && seconds < 0 && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow())
            seconds = m_start.nsecsElapsed() / 1e9;
        return false;
    }

private:
    const QElapsedTimer &m_start;
};

// The run-length lab's runs, headless: the seconds they took and the balls they dropped.
struct LabRuns {
    double seconds = 0;
    long long balls = 0;
};

LabRuns labRuns(int runs)
{
    kelvara::RunLengthSettings settings;
    settings.allRules = true;
    settings.runs = runs;
    const kelvara::SharedState shared = kelvara::SharedState::initial();
    kelvara::TwisterSource random(seed);
    QElapsedTimer clock;
    clock.start();
    kelvara::RunLengthLab lab(settings, shared, random);
    while (!lab.finished())
        lab.advance(std::chrono::milliseconds(100));
    LabRuns measured{clock.nsecsElapsed() / 1e9, 0};
    const kelvara::RunLengthResults &results = lab.results();
    long long subgroups = (long long)results.runsWithoutSignal() * (settings.shiftAfter + kelvara::longestWait);
    for (int delay : results.delays())
        subgroups += settings.shiftAfter + delay;
    measured.balls = subgroups * settings.subgroupSize;
    return measured;
}

// Child modes: print one number and exit.
int childMode(const QString &mode, int argc, char *argv[])
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    FirstPaintWatcher watcher(clock);
    app.installEventFilter(&watcher);
    kelvara::testing::setTimeScale(0);
    kelvara::testing::seedRandom(seed);
    QMainWindow bare;
    if (mode.startsWith(QStringLiteral("bare")) || mode.startsWith(QStringLiteral("label"))) {
        if (mode.startsWith(QStringLiteral("label")))
            bare.setCentralWidget(new QLabel(QStringLiteral("Sub Group 0")));
        bare.resize(1000, 700);
        bare.show();
    } else {
        if (mode.startsWith(QStringLiteral("ideal")))
            kelvara::preferences::setFlag(kelvara::preferences::showIdeal, mode == QStringLiteral("ideal-shown-memory"));
        if (!kelvara::startUp())
            return 1;
    }
    while (watcher.seconds < 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (mode.endsWith(QStringLiteral("paint"))) {
        std::printf("%.6f\n", watcher.seconds);
        return 0;
    }
    if (mode == QStringLiteral("program-memory"))
        fillBoard();
    if (mode.startsWith(QStringLiteral("ideal"))) {
        fillBoard();
        openHistograms();
    }
    std::printf("%ld\n", peakResidentKiB());
    return 0;
}

double childFigure(const QString &mode)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KELVARA_BENCH_MODE"), mode);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    child.waitForFinished(120000);
    return QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed().toDouble();
}

double median(QList<double> figures)
{
    std::sort(figures.begin(), figures.end());
    return figures[figures.size() / 2];
}

double medianOfChildren(const QString &mode, int runs)
{
    QList<double> figures;
    for (int run = 0; run < runs; ++run)
        figures.append(childFigure(mode));
    return median(figures);
}

// The same full board, from the same seed, with a feature off and on in
// turn; the medians of `runs` measurements each, off first.
QPair<double, double> withAndWithout(QAction *feature, int runs, const std::function<double()> &measure)
{
    QList<double> off, shown;
    for (int run = 0; run < runs; ++run) {
        for (bool on : {false, true}) {
            if (feature->isChecked() != on)
                feature->trigger();
            control<QAbstractButton>(QStringLiteral("resetbutton"))->click();
            kelvara::testing::seedRandom(seed);
            (on ? shown : off).append(measure());
        }
    }
    if (feature->isChecked())
        feature->trigger();
    return {median(off), median(shown)};
}

constexpr int comparedBalls = 100000;
constexpr kelvara::int16 comparedRows = 20;

// The four rules on the same balls, with the statistics of each.
double compareFunnelRules()
{
    kelvara::TwisterSource random(seed);
    const double start = secondsNow(Clock::Processor);
    kelvara::FunnelComparison comparison(comparedRows, 16, comparedBalls, random);
    comparison.run([] { return true; });
    double spread = 0;
    for (int rule = 1; rule <= kelvara::funnelRuleCount; ++rule)
        spread += comparison.statistics(kelvara::funnelRuleNumbered(rule)).variance;
    const double seconds = secondsNow(Clock::Processor) - start;
    // Using the result keeps the compiler from leaving the work out.
    return spread > 0 ? seconds : -seconds;
}

// The same balls drawn and walked once, under rule 1.
double walkRuleOne()
{
    kelvara::TwisterSource random(seed);
    const double start = secondsNow(Clock::Processor);
    double sum = 0;
    for (int ball = 0; ball < comparedBalls; ++ball) {
        kelvara::PathStepper path(16.0f, comparedRows + 1);
        path.walk(random);
        sum += kelvara::landingSlot(path.position());
    }
    const double seconds = secondsNow(Clock::Processor) - start;
    return sum > 0 ? seconds : -seconds;
}

double medianOf(int runs, const std::function<double()> &measure)
{
    QList<double> figures;
    for (int run = 0; run < runs; ++run)
        figures.append(measure());
    return median(figures);
}

// Seconds for `boards` full boards through a headless run from the seed, and
// the balls they took.
QPair<double, qint64> headlessBoards(int boards)
{
    kelvara::SharedState shared = kelvara::SharedState::initial();
    kelvara::TwisterSource random(seed);
    kelvara::QuincunxRun run(shared, random);
    kelvara::RunSettings settings;
    settings.dropCount = 99;
    run.setSettings(settings);
    qint64 balls = 0;
    QElapsedTimer timer;
    timer.start();
    for (int board = 0; board < boards; ++board) {
        run.reset();
        while (run.stop() == kelvara::RunStop::None)
            run.run();
        balls += qint64(run.state().ballOrigins.size());
    }
    return {timer.nsecsElapsed() / 1e9, balls};
}

// Seconds for the bare path stepper to walk `balls` balls from the seed.
double bareSteps(qint64 balls)
{
    kelvara::TwisterSource random(seed);
    float landed = 0;
    QElapsedTimer timer;
    timer.start();
    for (qint64 ball = 0; ball < balls; ++ball) {
        kelvara::PathStepper path(16.0f, 21);
        path.walk(random);
        landed += path.position();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    // Using the result keeps the walks from being optimised away.
    if (landed < 0)
        std::printf("impossible\n");
    return seconds;
}

enum class Limit { Target, Guard };

void report(const char *what, double measured, double baseline, const char *unit, double limit,
            Limit kind = Limit::Target)
{
    const double ratio = measured / baseline;
    std::printf("%-44s %10.4f %-3s / %10.4f %-3s = %6.3f  (%s <= %.2f) %s\n", what, measured, unit,
                baseline, unit, ratio, kind == Limit::Target ? "target" : "guard", limit,
                ratio <= limit ? "ok" : "MISSED");
}

} // namespace

int main(int argc, char *argv[])
{
    const QString mode = qEnvironmentVariable("KELVARA_BENCH_MODE");
    if (!mode.isEmpty())
        return childMode(mode, argc, argv);

    // The run rules are switched on and off below: in a configuration of
    // the benchmark's own, so the user's choice stays as it was.
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    QApplication app(argc, argv);
    kelvara::testing::setTimeScale(1);
    kelvara::testing::seedRandom(seed);
    if (!kelvara::startUp())
        return 1;
    std::printf("Kelvara benchmark, platform %s, seed %u\n", qPrintable(QGuiApplication::platformName()), seed);

    const double fill = fillBoard();
    const int balls = ballsOnBoard();
    const double alone = drawBallsAlone(balls);
    // A full board takes milliseconds, far below what anyone sees: the
    // figure only guards against sliding back. Before the status label became
    // a plain QLabel it measured 4.0-5.0; the guard allows half as much again.
    report("1. full board, instant drops", fill, alone, "s", 7.5, Limit::Guard);
    std::printf("   %d balls until the board was full: %.0f balls per second\n", balls, balls / fill);

    const auto [headless, headlessBalls] = headlessBoards(100);
    const double stepper = bareSteps(headlessBalls);
    report("7. 100 full boards, headless run", headless, stepper, "s", 2.0);
    std::printf("   %lld balls: %.0f balls per second through the run, %.0f through the bare path stepper\n",
                static_cast<long long>(headlessBalls), headlessBalls / headless, headlessBalls / stepper);

    auto *rules = topLevel(QStringLiteral("frmCtrlChrt"))->findChild<QAction *>(QStringLiteral("mnuShowRunRules"));
    const auto [rulesOff, rulesShown] = withAndWithout(rules, 15, [] { return fillBoard(Clock::Processor); });
    report("5. full board, run rules shown (CPU time)", rulesShown, rulesOff, "s", 1.10);

    auto *ideal = control<QAction>(QStringLiteral("mnuShowIdeal"));
    const auto [idealOff, idealShown] = withAndWithout(ideal, 15, [] {
        return fillBoard(Clock::Processor) + openHistograms(Clock::Processor);
    });
    report("6. full board, histograms with ideal (CPU)", idealShown, idealOff, "s", 1.10);

    const double compared = medianOf(5, compareFunnelRules);
    const double walked = medianOf(5, walkRuleOne);
    report("8. funnel rules compared, 100,000 balls (CPU)", compared, walked, "s", 5.0);

    constexpr int animatedBalls = 40;
    const double perBall = animatedBall(animatedBalls);
    report("2. animated ball at speed 1 (20 rows)", perBall, 20 * 0.02, "s", 1.05);

    constexpr double frameMs = 17, instantMs = 100;
    prepareSlowAnimatedRun();
    const LatenessProbe::Figures slowRun = lateness(slowAnimatedRun);
    report("9a. lateness, slowest animated Run: worst", slowRun.worst, frameMs, "ms", 1.0);
    reportLateness("the slowest animated Run", slowRun);
    const LatenessProbe::Figures demonstration = lateness(wholeDemonstration);
    report("9b. lateness, demonstration: worst", demonstration.worst, instantMs, "ms", 1.0);
    report("9b. lateness, demonstration: 99th percentile", demonstration.p99, frameMs, "ms", 1.0);
    reportLateness("the whole demonstration", demonstration);
    reportLateness("for reference, the idle event loop", lateness(idleLoop));

    const double startPaint = medianOfChildren(QStringLiteral("program-paint"), 5);
    const double barePaint = medianOfChildren(QStringLiteral("bare-paint"), 5);
    // Against a window that shows text at all: one label and nothing else.
    // A window without text never loads a font, which no real window avoids.
    const double labelPaint = medianOfChildren(QStringLiteral("label-paint"), 5);
    report("3. start-up to first paint", startPaint, labelPaint, "s", 3.0);
    std::printf("   for reference, a bare QMainWindow: %.4f s; the one-label window takes %.3f x as long\n",
                barePaint, labelPaint / barePaint);

    const double programMemory = childFigure(QStringLiteral("program-memory"));
    const double bareMemory = childFigure(QStringLiteral("bare-memory"));
    report("4. peak resident memory, full board", programMemory / 1024, bareMemory / 1024, "MiB", 1.5);

    constexpr int labRunCount = 1000;
    const LabRuns lab = labRuns(labRunCount);
    const double labBare = bareSteps(lab.balls);
    report("10. run-length lab, 1,000 runs, headless", lab.seconds, labBare, "s", 3.0);
    std::printf("   %.3f ms per run; %.0f balls per second through the core, %.0f by the bare path stepper\n",
                1000 * lab.seconds / labRunCount, lab.balls / lab.seconds, lab.balls / labBare);
    control<QAbstractButton>(QStringLiteral("resetbutton"))->click();
    const LatenessProbe::Figures labWindow = lateness(labWindowRuns);
    report("10b. lateness, run-length lab: worst", labWindow.worst, instantMs, "ms", 1.0);
    reportLateness("the run-length lab's window", labWindow);

    const double idealOffMemory = medianOfChildren(QStringLiteral("ideal-off-memory"), 3);
    const double idealShownMemory = medianOfChildren(QStringLiteral("ideal-shown-memory"), 3);
    report("6b. peak memory, histograms with ideal lines", idealShownMemory / 1024, idealOffMemory / 1024, "MiB", 1.02);
    return 0;
}
