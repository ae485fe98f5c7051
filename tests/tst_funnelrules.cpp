// SPDX-License-Identifier: GPL-3.0-or-later
// The funnel experiment on the board: each ball starts where the rule put the
// funnel, odd rows allow only rule 1, and "Funnel Rules Compared" shows the four.

#include "rundriver.h"
#include "core/funnelrule.h"
#include "windows/helpwindow.h"

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextBrowser>

using namespace testsupport;
using kelvara::FunnelMoveRule;

Q_DECLARE_METATYPE(kelvara::FunnelMoveRule)

namespace {

// Right-clicks the board and triggers the named item of its menu (or the
// "Funnel Rule" submenu), failing when it is missing or disabled; `look` sees the menu first.
void chooseInBoardMenu(QWidget *form, const QString &item,
                       const std::function<void(QMenu *menu)> &look = {})
{
    QTimer::singleShot(0, [item, look] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->objectName() == QStringLiteral("mnuBoard"));
        if (look)
            look(menu);
        auto *action = menu->findChild<QAction *>(item);
        const bool usable = action && action->isEnabled();
        if (usable)
            action->trigger();
        menu->close();
        QVERIFY2(usable, qPrintable(item));
    });
    QWidget *board = child(form, "qpicture");
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, board->rect().center(),
                                 board->mapToGlobal(board->rect().center()));
    QApplication::sendEvent(board, &rightClick);
}

void setRows(QWidget *form, int rows)
{
    child<QLineEdit>(form, "rowstext")->setText(QString::number(rows));
}

// The readings of a run of single balls, from the data table (default scale:
// a reading is its slot's number).
QList<int> readings(QWidget *form)
{
    QList<int> values;
    auto *table = child<QTableWidget>(form, "grdScaled");
    for (int row = 0; row < table->rowCount(); ++row)
        values << qRound(QLocale().toDouble(table->item(row, 1)->text()));
    return values;
}

} // namespace

class TestFunnelRules : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        freshConfiguration();
        m_main = startMainWindow();
        QVERIFY(m_main);
    }

    void init()
    {
        rundriver::startRun(m_main, 1);
        setRows(m_main, 4);
        chooseInBoardMenu(m_main, "mnuFunnelRule1");
    }

    // With 4 rows a ball lands at most 2 slots from the funnel, which the rule
    // then moves within 3..29 (its moves are checked in tst_funnelrule).
    void ballsStartWhereTheRuleMovedTheFunnel_data()
    {
        QTest::addColumn<FunnelMoveRule>("rule");
        QTest::addColumn<int>("leftPresses");
        QTest::newRow("rule 2") << FunnelMoveRule::MoveBack << 0;
        QTest::newRow("rule 3 from slot 14") << FunnelMoveRule::AimOpposite << 2;
        QTest::newRow("rule 4") << FunnelMoveRule::OverLastBall << 0;
    }
    void ballsStartWhereTheRuleMovedTheFunnel()
    {
        QFETCH(FunnelMoveRule, rule);
        QFETCH(int, leftPresses);
        for (int press = 0; press < leftPresses; ++press)
            click(m_main, "funnelleftbutton");
        const int target = 16 - leftPresses;
        chooseInBoardMenu(m_main, QStringLiteral("mnuFunnelRule%1").arg(int(rule)));
        QVERIFY(child(m_main, "funnelRuleLabel")->isVisible());
        QVERIFY(runSubgroups(m_main, 60).isEmpty());

        int funnel = target, stopped = 0;
        const QList<int> landed = readings(m_main);
        QCOMPARE(landed.size(), 60);
        for (int slot : landed) {
            QVERIFY2(std::abs(slot - funnel) <= 2,
                     qPrintable(QStringLiteral("slot %1 from funnel %2").arg(slot).arg(funnel)));
            const kelvara::FunnelMove move = kelvara::nextFunnelPosition(
                rule, kelvara::int16(funnel), kelvara::int16(target), kelvara::int16(slot), kelvara::FunnelTravel{3, 29});
            funnel = move.position;
            stopped += move.clamped;
        }
        QCOMPARE(child<QLabel>(m_main, "processcenteredatlabel")->text(), QStringLiteral("%1.00").arg(funnel));
        QCOMPARE(child<QLabel>(m_main, "funnelRuleLabel")->text(),
                 kelvara::funnelRuleStatus(rule, stopped));
    }

    // With an odd number of rows only rule 1 can be chosen, and a change to
    // odd rows, like Reset, ends the experiment.
    void oddRowsLeaveOnlyRuleOne()
    {
        chooseInBoardMenu(m_main, "mnuFunnelRule3");
        setRows(m_main, 5);
        QVERIFY(!child(m_main, "funnelRuleLabel")->isVisible());
        chooseInBoardMenu(m_main, "mnuFunnelRule1", [](QMenu *menu) {
            QVERIFY(menu->findChild<QAction *>("mnuFunnelRule1")->isChecked());
            for (const char *name : {"mnuFunnelRule2", "mnuFunnelRule3", "mnuFunnelRule4", "mnuCompareFunnelRules"}) {
                auto *item = menu->findChild<QAction *>(name);
                QVERIFY2(!item->isEnabled() && item->toolTip().contains("even number of offset rows"), name);
            }
        });
        setRows(m_main, 4);
        chooseInBoardMenu(m_main, "mnuFunnelRule2");
        click(m_main, "resetbutton");
        QVERIFY(!child(m_main, "funnelRuleLabel")->isVisible());
        chooseInBoardMenu(m_main, "mnuFunnelRule1", [](QMenu *menu) {
            QVERIFY(menu->findChild<QAction *>("mnuFunnelRule1")->isChecked());
        });
    }

    void comparisonWindow()
    {
        chooseInBoardMenu(m_main, "mnuCompareFunnelRules");
        QWidget *window = topLevel("frmFunnelRules");
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Funnel Rules Compared"));
        auto *balls = child<QSpinBox>(window, "ballsBox");
        QCOMPARE(balls->value(), 1000);
        QCOMPARE(balls->minimum(), 10);
        QCOMPARE(balls->maximum(), 100000);
        const QRegularExpression line(QStringLiteral(
            "Rule (\\d): mean \\d+\\.\\d\\d, standard deviation \\d+\\.\\d\\d, variance \\d+\\.\\d\\d times rule 1, "
            "\\d+ moves? stopped at the edge"));
        const auto result = [window](int rule) {
            return child<QLabel>(window, QStringLiteral("ruleResult%1").arg(rule))->text();
        };
        for (int rule = 1; rule <= 4; ++rule)
            QVERIFY2(line.match(result(rule)).captured(1) == QString::number(rule), qPrintable(result(rule)));
        const QString first = result(1);
        QVERIFY(first.contains("variance 1.00 times rule 1, 0 moves stopped"));
        click(window, "againButton");
        QVERIFY(result(1) != first);
        balls->setValue(10); // the mean of ten balls has one decimal only
        for (int rule = 1; rule <= 4; ++rule)
            QVERIFY(result(rule).contains(QRegularExpression("mean \\d+\\.\\d0, ")));

        // The run chart's menu from the keyboard copies it.
        QGuiApplication::clipboard()->clear();
        chooseInNextMenu(QStringLiteral("Copy Chart"));
        QWidget *runChart = child(window, "funnelRunChart");
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, runChart->rect().center(),
                                  runChart->mapToGlobal(runChart->rect().center()));
        QApplication::sendEvent(runChart, &menuKey);
        QCOMPARE(QGuiApplication::clipboard()->image().size(), runChart->grab().size());

        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
        QTest::keyClick(window, Qt::Key_F1);
        QVERIFY(m_main->manual() && m_main->manual()->isVisible());
        QCOMPARE(m_main->manual()->browser()->source().fileName() + u'#' + m_main->manual()->browser()->source().fragment(),
                 QStringLiteral("funnelrules.html#window"));
        m_main->manual()->close();
        window->close();
    }

private:
    kelvara::QuincunxForm *m_main = nullptr;
};

QTEST_MAIN(TestFunnelRules)
#include "tst_funnelrules.moc"
