// SPDX-License-Identifier: GPL-3.0-or-later
// The manual's lessons, played as a teacher reads them: every step through
// the program's own controls, every text the lesson points the class to
// checked where it shows. A lesson plays from a fresh start and after the one
// before it, with the remembered choices (Show Ideal, Show Run Rules) as set.

#include "rundriver.h"
#include "testsupport.h"

#include "common/shared.h"
#include "core/ballpath.h"
#include "surface/overlay.h"
#include "windows/quincunxform.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSpinBox>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

using namespace kelvara;
using testsupport::child;

namespace {

enum class Do {
    Click,    // press the button `control`, `value` times (once when empty)
    Key,      // press the keys `value` in the window in front
    Type,     // type `value` into the box or spinner `control`, over what it held
    Drop,     // type `value` into the drop count and press Run
    StepTo,   // step the box `control` with its arrows until it reads `value`
    Tick,     // make the box `control` ticked
    Untick,   // make the box `control` clear
    Slowest,  // the speed bar to its slow end
    MenuTick, // right-click `control` and make the menu item `value` ticked
    Dialog,   // press `control`; take the steps `inside` in the dialog it opens
    RunUntil, // press Ctrl+R until `control` matches `value` (30 times at most)
    Expect,   // `control` (its text, or a list's last entry) matches the pattern `value`
    Shown,    // `control` is on show
    Between,  // the number `control` shows lies in "low high"
    Note,     // remember the number `control` shows
    Fell,     // `control` shows less than when it was noted
    Below,    // `control` shows less than the control `value` shows
    Pile,     // "count low high": that many balls on the board, all in slots low..high
    Peak,     // "low high": the tallest pile stands in slots low..high
    MenuChoose, // right-click `control` and choose the menu item `value`
    Lab,      // take the steps `inside` in the run-length lab's window
    Choose,   // choose the item `value` in the list box `control`
    Custom,   // run `custom`
};

struct Step {
    Do does;
    QString control = {};
    QString value = {};
    std::vector<Step> inside = {};
    std::function<void(QuincunxForm &)> custom = {};
};
using Lesson = std::vector<Step>;

// What the run-length lab's result line says.
struct LabResult {
    double mean = 0, median = 0, falseAlarms = 0;
};

LabResult labResult()
{
    static const QRegularExpression line(QStringLiteral(
        R"(^Mean delay ([\d.]+) subgroups \(95 % interval -?[\d.]+ to [\d.]+\), median ([\d.]+), false alarms )"
        R"(before the shift in ([\d.]+) % of runs, 0 runs without a signal$)"));
    const QRegularExpressionMatch match
        = line.match(child<QLabel>(testsupport::topLevel(QStringLiteral("frmRunLength")), QStringLiteral("resultLabel"))->text());
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3).toDouble()};
}

// Checks the lab's result line; `previous` keeps the last one looked at.
Step labResultHolds(const std::function<bool(const LabResult &now, const LabResult &previous)> &holds)
{
    return {Do::Custom, "", "", {}, [holds](QuincunxForm &) {
                static LabResult previous;
                const LabResult now = labResult();
                QVERIFY2(now.mean > 0, "the lab's result line has no mean delay");
                QVERIFY2(holds(now, previous), qPrintable(QStringLiteral("mean %1, median %2, false alarms %3 %")
                                                              .arg(now.mean).arg(now.median).arg(now.falseAlarms)));
                previous = now;
            }};
}

// Right-clicks the board and chooses the item of that name in its menu or
// the "Funnel Rule" submenu; `rule` is the rule expected ticked before.
Step chooseOnBoard(const QString &item, int rule)
{
    return {Do::Custom, {}, {}, {}, [item, rule](QuincunxForm &main) {
                QTimer::singleShot(0, [item, rule] {
                    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                    QVERIFY(menu);
                    auto *ticked = menu->findChild<QAction *>(QStringLiteral("mnuFunnelRule%1").arg(rule));
                    QVERIFY(ticked && ticked->isChecked());
                    auto *chosen = menu->findChild<QAction *>(item);
                    QVERIFY2(chosen && chosen->isEnabled(), qPrintable(item));
                    chosen->trigger();
                    menu->close();
                });
                QWidget *board = child(&main, "qpicture");
                QContextMenuEvent rightClick(QContextMenuEvent::Mouse, board->rect().center(),
                                             board->mapToGlobal(board->rect().center()));
                QApplication::sendEvent(board, &rightClick);
            }};
}

const std::map<int, Lesson> &lessons()
{
    static const std::map<int, Lesson> all = {
        {1,
         {
             // 1. One ball, many causes
             {Do::Click, "resetbutton"},
             {Do::Expect, "rowstext", "^20$"},
             {Do::Expect, "subgrouptext", "^5$"},
             {Do::Expect, "climitstext", "^20$"},
             {Do::Tick, "Animationcheck"},
             {Do::Tick, "chkTrace"},
             {Do::Slowest, "HScroll1"},
             {Do::Drop, "", "1"},
             {Do::Pile, "", "5 1 31"},
             // 2. The pile
             {Do::Untick, "Animationcheck"},
             {Do::Type, "howmanytext", "20"},
             {Do::Key, "", "Ctrl+R"},
             {Do::Pile, "", "105 6 26"},
             {Do::Peak, "", "14 18"},
             // 3. What theory predicts
             {Do::Key, "", "Ctrl+G"},
             {Do::MenuTick, "indGraph", "Show Ideal"},
             {Do::Expect, "indIdealText",
              R"(^Mean 1[5-7]\.\d\d \(ideal 16\.00\), standard deviation [12]\.\d\d \(ideal 2\.24\)$)"},
             {Do::Expect, "meanIdealText", R"(, standard deviation [01]\.\d\d \(ideal 1\.00\)$)"},
             {Do::Click, "histbackbutton"},
             // 4. Fewer causes, less variation
             {Do::Click, "resetbutton"},
             {Do::StepTo, "rowstext", "5"},
             {Do::Click, "dropbutton"},
             {Do::Pile, "", "100 13 19"},
         }},
        {2,
         {
             // 1. A stable process and its limits
             {Do::Click, "resetbutton"},
             {Do::StepTo, "rowstext", "20"},
             {Do::Expect, "subgrouptext", "^5$"},
             {Do::Expect, "climitstext", "^20$"},
             {Do::Key, "", "Ctrl+L"},
             {Do::MenuTick, "xchartpicture", "Show Run Rules"},
             {Do::Shown, "signalList"},
             {Do::Drop, "", "20"},
             {Do::Expect, "xvaluestitle", "UCLx = "},
             // 2. Move the process
             {Do::Click, "funnelrightbutton", "2"},
             {Do::Expect, "processcenteredatlabel", "^18.00$"},
             {Do::Type, "howmanytext", "1"},
             {Do::Key, "", "Ctrl+R"},
             {Do::Expect, "detectionLabel",
              "^Process changed after subgroup 20: (no signal yet|first signal at subgroup 21, 1 subgroup later)$"},
             {Do::RunUntil, "detectionLabel", "first signal"},
             {Do::Expect, "detectionLabel",
              R"(^Process changed after subgroup 20: first signal at subgroup (\d+), \d+ subgroups? later$)"},
             {Do::Expect, "signalList", R"(^Subgroup \d+, (X-bar|R) chart: rules? \d)"},
             // 3. Smaller shifts take longer
             {Do::Click, "resetbutton"},
             {Do::Drop, "", "20"},
             {Do::Click, "funnelrightbutton"},
             {Do::Expect, "processcenteredatlabel", "^17.00$"},
             {Do::Type, "howmanytext", "1"},
             {Do::Key, "", "Ctrl+R"},
             {Do::Expect, "detectionLabel", "^Process changed after subgroup 20: "},
         }},
        {3,
         {
             // 1. What the customer wants
             {Do::Click, "resetbutton"},
             {Do::Dialog, "scalequincunxbutton", "",
              {{Do::Expect, "scalecentretext", "^16$"},
               {Do::Expect, "scalehalfwidthtext", "^15$"},
               {Do::Type, "lsltext", "6"},
               {Do::Type, "usltext", "26"},
               {Do::Tick, "speclimitscheck"},
               {Do::Click, "scaleapplybutton"},
               {Do::Click, "scalepanelclosebutton"}}},
             // 2. A centred process
             {Do::Drop, "", "25"},
             {Do::Shown, "cptitlelabel"},
             {Do::Between, "cplabel", "1.2 1.8"},
             {Do::Between, "cpklabel", "1.2 1.8"},
             {Do::Between, "pplabel", "1.2 1.8"},
             {Do::Between, "ppklabel", "1.2 1.8"},
             {Do::Note, "pplabel"},
             {Do::Note, "ppklabel"},
             // 3. A shift and what it costs
             {Do::Click, "funnelrightbutton", "3"},
             {Do::Drop, "", "10"},
             {Do::Expect, "cplabel", "^NA$"},
             {Do::Expect, "cpklabel", "^NA$"},
             {Do::Fell, "pplabel"},
             {Do::Fell, "ppklabel"},
             {Do::Below, "ppklabel", "pplabel"},
             // 4. Two kinds of limits
             {Do::Click, "resetbutton"},
             {Do::Dialog, "scalequincunxbutton", "",
              {{Do::Type, "lsltext", "12"},
               {Do::Type, "usltext", "20"},
               {Do::Click, "scaleapplybutton"},
               {Do::Click, "scalepanelclosebutton"}}},
             {Do::Drop, "", "25"},
             {Do::Between, "cplabel", "0.3 0.95"},
             {Do::Between, "cpklabel", "0.3 0.95"},
             {Do::Custom, "", "", {}, [](QuincunxForm &main) {
                  int beyond = 0; // slots 12 and 20 lie on the dashed lines
                  for (int slot = 1; slot <= slotTotal; ++slot)
                      beyond += slot < 12 || slot > 20 ? main.quincunxRun().state().slotCount[slot] : 0;
                  QVERIFY2(beyond > 0, "no ball beyond the specification limits");
              }},
         }},
        {4,
         {
             // 1. A stable process
             {Do::Click, "resetbutton"},
             {Do::StepTo, "rowstext", "4"},
             {Do::StepTo, "subgrouptext", "1"},
             {Do::Drop, "", "20"},
             {Do::Pile, "", "20 14 18"},
             {Do::Expect, "processcenteredatlabel", "^16.00$"},
             // 2. Correcting for the last error
             chooseOnBoard("mnuFunnelRule2", 1),
             {Do::Custom, "", "", {}, [](QuincunxForm &main) {
                  OverlayImage *mark = main.board().funnelRules().targetMark();
                  QVERIFY(mark->isVisible());
                  QCOMPARE(mark->left() + mark->width() / 2, startX(16.0f));
              }},
             {Do::Expect, "funnelRuleLabel", "^Funnel rule 2: 0 moves stopped at the edge$"},
             {Do::Drop, "", "20"},
             {Do::Pile, "", "40 12 20"},
             {Do::Between, "processcenteredatlabel", "14 18"},
             // 3. All four rules on the same balls
             chooseOnBoard("mnuCompareFunnelRules", 2),
             {Do::Expect, "ruleResult1", "variance 1.00 times rule 1, 0 moves stopped at the edge$"},
             {Do::Expect, "ruleResult2", R"(variance (1\.[6-9]\d|2\.[0-3]\d) times rule 1, 0 moves)"},
             {Do::Expect, "ruleResult3", R"(variance ([5-9]|\d{2,})\.\d\d times rule 1, [1-9]\d* moves? stopped)"},
             {Do::Expect, "ruleResult4", R"(variance ([5-9]|\d{2,})\.\d\d times rule 1, [1-9]\d* moves? stopped)"},
             {Do::Click, "againButton"},
             {Do::Expect, "ruleResult2", R"(variance (1\.[6-9]\d|2\.[0-3]\d) times rule 1)"},
             {Do::Custom, "", "", {}, [](QuincunxForm &main) { child<QSpinBox>(&main, "ballsBox")->setValue(10000); }},
             {Do::Expect, "ruleResult2", R"(variance (1\.9\d|2\.0\d|2\.10) times rule 1)"},
             {Do::Custom, "", "", {}, [](QuincunxForm &main) { child(&main, "frmFunnelRules")->close(); }},
         }},
        {5, // How long until we notice?
         {
             // 1. One run is one draw
             {Do::Click, "resetbutton"},
             {Do::StepTo, "rowstext", "20"},
             {Do::Expect, "subgrouptext", "^5$"},
             {Do::Expect, "climitstext", "^20$"},
             {Do::Drop, "", "20"},
             {Do::Click, "funnelrightbutton"},
             {Do::Drop, "", "40"},
             {Do::Key, "", "Ctrl+L"},
             {Do::MenuTick, "xchartpicture", "Show Run Rules"},
             {Do::Expect, "detectionLabel",
              R"(^Process changed after subgroup 20: (no signal yet|first signal at subgroup \d+, \d+ subgroups? later)$)"},
             // 2. A thousand runs without a change
             {Do::MenuChoose, "xchartpicture", "Run Length Lab..."},
             {Do::Lab, "", "",
              {{Do::Expect, "rowsBox", "^20$"},
               {Do::Expect, "sizeBox", "^5$"},
               {Do::Expect, "limitCountBox", "^20$"},
               {Do::Choose, "limitsChoice", "From theory"},
               {Do::Expect, "rulesChoice", "^Rule 1 only$"},
               {Do::Type, "shiftBox", "0"},
               {Do::Click, "startButton"},
               {Do::Expect, "exactLabel", R"(^Exact ARL 558\.68$)"},
               labResultHolds([](const LabResult &now, const LabResult &) {
                   return now.mean > 450 && now.mean < 680 && now.median < now.mean;
               }),
               // 3. The funnel moves
               {Do::Type, "shiftBox", "1"},
               {Do::Click, "startButton"},
               {Do::Expect, "exactLabel", R"(^Exact ARL 56\.77$)"},
               labResultHolds([](const LabResult &now, const LabResult &) {
                   return now.mean > 45 && now.mean < 70 && now.median >= 32 && now.median <= 48;
               }),
               {Do::Type, "shiftBox", "2"},
               {Do::Click, "startButton"},
               {Do::Expect, "exactLabel", R"(^Exact ARL 7\.37$)"},
               labResultHolds([](const LabResult &now, const LabResult &) { return now.mean > 6 && now.mean < 9; }),
               // 4. As in class: estimated limits and more rules
               {Do::Choose, "limitsChoice", "From the first k subgroups"},
               {Do::Choose, "rulesChoice", "Rules 1 to 4"},
               {Do::Type, "shiftBox", "1"},
               {Do::Click, "startButton"},
               {Do::Expect, "exactLabel", "^$"},
               labResultHolds([](const LabResult &now, const LabResult &before) {
                   return now.mean < 30 && now.falseAlarms > before.falseAlarms;
               })}},
         }},
    };
    return all;
}

} // namespace

class TestLessons : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::freshConfiguration(); }

    void play_data()
    {
        QTest::addColumn<QList<int>>("course"); // the lessons taught in a row, on one start of the program
        QTest::newRow("lesson 2 from a fresh start") << QList<int>{2};
        QTest::newRow("lesson 3 from a fresh start") << QList<int>{3};
        QTest::newRow("lesson 4 from a fresh start") << QList<int>{4};
        QTest::newRow("lessons 1 to 4, each after the one before") << QList<int>{1, 2, 3, 4};
        QTest::newRow("lesson 5, how long until we notice, after lesson 1") << QList<int>{1, 5};
    }
    void play()
    {
        QFETCH(QList<int>, course);
        m_main = testsupport::startMainWindow();
        QVERIFY(m_main);
        QTRY_COMPARE(QApplication::activeWindow(), m_main);
        m_noted.clear();
        for (int lesson : course) {
            const Lesson &steps = lessons().at(lesson);
            for (std::size_t index = 0; index < steps.size(); ++index) {
                m_where = QStringLiteral("lesson %1, step %2: ").arg(lesson).arg(index + 1);
                take(steps[index], m_main);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

private:
    // Takes one step in `window`; no step may bring up a message.
    void take(const Step &step, QWidget *window)
    {
        const auto messages = testsupport::answerMessages([&] { act(step, window); });
        for (const auto &message : messages)
            QTest::qFail(qPrintable(m_where + message.text), __FILE__, __LINE__);
    }

    void act(const Step &step, QWidget *window)
    {
        QWidget *control = step.control.isEmpty() ? nullptr : child(window, step.control);
        if (!step.control.isEmpty() && !control)
            return fail(QStringLiteral("no control ") + step.control);
        switch (step.does) {
        case Do::Click:
            for (int press = 0; press < qMax(1, step.value.toInt()); ++press)
                testsupport::click(window, step.control);
            return;
        case Do::Key: return QTest::keySequence(QApplication::activeWindow(), QKeySequence(step.value));
        case Do::Type: return type(control, step.value);
        case Do::Drop:
            type(child(window, "howmanytext"), step.value);
            return testsupport::click(window, "dropbutton");
        case Do::StepTo:
            rundriver::stepSetting(m_main, step.control, step.value.toInt());
            return expect(control, QStringLiteral("^%1$").arg(step.value));
        case Do::Tick:
        case Do::Untick:
            if (static_cast<QCheckBox *>(control)->isChecked() != (step.does == Do::Tick))
                static_cast<QCheckBox *>(control)->click();
            return;
        case Do::Slowest: return static_cast<QScrollBar *>(control)->triggerAction(QAbstractSlider::SliderToMaximum);
        case Do::MenuTick: return useMenu(control, step.value, true);
        case Do::MenuChoose: return useMenu(control, step.value, false);
        case Do::Lab: return inLab(step);
        case Do::Choose:
            static_cast<QComboBox *>(control)->setCurrentIndex(static_cast<QComboBox *>(control)->findText(step.value));
            return expect(control, QStringLiteral("^%1$").arg(QRegularExpression::escape(step.value)));
        case Do::Dialog: return inDialog(step);
        case Do::RunUntil:
            for (int press = 0; press < 30 && !text(control).contains(QRegularExpression(step.value)); ++press)
                QTest::keySequence(QApplication::activeWindow(), QKeySequence(QStringLiteral("Ctrl+R")));
            return expect(control, step.value);
        case Do::Expect: return expect(control, step.value);
        case Do::Shown: return check(control->isVisible(), step.control + QStringLiteral(" is hidden"));
        case Do::Between: {
            const QStringList bounds = step.value.split(u' ');
            const double shown = number(control);
            return check(shown >= bounds[0].toDouble() && shown <= bounds[1].toDouble(), step.control + " " + text(control));
        }
        case Do::Note: m_noted[step.control] = number(control); return;
        case Do::Fell:
            return check(number(control) < m_noted[step.control],
                         step.control + QStringLiteral(" %1 after %2").arg(text(control)).arg(m_noted[step.control]));
        case Do::Below:
            return check(number(control) < number(child(window, step.value)), step.control + " " + text(control));
        case Do::Pile: return pile(step.value);
        case Do::Peak: return peak(step.value);
        case Do::Custom: return step.custom(*m_main);
        }
    }

    void type(QWidget *box, const QString &value)
    {
        box->setFocus();
        QMetaObject::invokeMethod(box, "selectAll");
        QTest::keyClicks(box, value);
        check(text(box) == value, box->objectName() + QStringLiteral(" reads ") + text(box));
    }

    // Right-clicks the chart and chooses the item in its menu; an item to tick
    // is left as it is when ticked already.
    void useMenu(QWidget *chart, const QString &item, bool tick)
    {
        const auto actions = chart->window()->findChildren<QAction *>();
        const auto ticked = [&] {
            return std::any_of(actions.begin(), actions.end(), [&](QAction *a) { return a->text() == item && a->isChecked(); });
        };
        if (tick && ticked())
            return;
        testsupport::chooseInNextMenu(item);
        auto *area = qobject_cast<QAbstractScrollArea *>(chart);
        QTest::mouseClick(area ? area->viewport() : chart, Qt::RightButton);
        if (tick)
            check(ticked(), item + QStringLiteral(" is not ticked"));
    }

    void inDialog(const Step &step)
    {
        bool entered = false;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            entered = true;
            const auto closeAfter = qScopeGuard([dialog] { dialog->close(); });
            for (const Step &inside : step.inside)
                act(inside, dialog);
        });
        testsupport::click(m_main, step.control);
        check(entered, step.control + QStringLiteral(" opened no dialog"));
    }

    // The lab is a window of its own beside the others.
    void inLab(const Step &step)
    {
        QWidget *lab = testsupport::topLevel(QStringLiteral("frmRunLength"));
        if (!lab || !lab->isVisible())
            return fail(QStringLiteral("the run-length lab is not open"));
        for (const Step &inside : step.inside) {
            act(inside, lab);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void expect(QWidget *control, const QString &pattern)
    {
        check(text(control).contains(QRegularExpression(pattern)), control->objectName() + QStringLiteral(" reads ") + text(control));
    }

    void pile(const QString &value)
    {
        const QStringList wanted = value.split(u' ');
        int total = 0, outside = 0;
        for (int slot = 1; slot <= slotTotal; ++slot) {
            const int balls = m_main->quincunxRun().state().slotCount[slot];
            total += balls;
            if (slot < wanted[1].toInt() || slot > wanted[2].toInt())
                outside += balls;
        }
        check(total == wanted[0].toInt() && outside == 0, QStringLiteral("%1 balls, %2 outside").arg(total).arg(outside));
    }

    void peak(const QString &value)
    {
        const QStringList wanted = value.split(u' ');
        const auto &piles = m_main->quincunxRun().state().slotCount;
        int tallest = 1;
        for (int slot = 2; slot <= slotTotal; ++slot)
            tallest = piles[slot] > piles[tallest] ? slot : tallest;
        check(tallest >= wanted[0].toInt() && tallest <= wanted[1].toInt(), QStringLiteral("tallest pile in slot %1").arg(tallest));
    }

    static QString text(QWidget *control)
    {
        if (auto *list = qobject_cast<QListWidget *>(control))
            return list->count() ? list->item(list->count() - 1)->text() : QString();
        return control->property(qobject_cast<QComboBox *>(control) ? "currentText" : "text").toString();
    }

    static double number(QWidget *control) { return QLocale().toDouble(text(control)); }

    void check(bool holds, const QString &what)
    {
        if (!holds)
            fail(what);
    }
    void fail(const QString &what) { QTest::qFail(qPrintable(m_where + what), __FILE__, __LINE__); }

    QuincunxForm *m_main = nullptr;
    QString m_where;
    QMap<QString, double> m_noted;
};

QTEST_MAIN(TestLessons)
#include "tst_lessons.moc"
