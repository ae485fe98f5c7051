// SPDX-License-Identifier: GPL-3.0-or-later
// The run-length lab's window: opened with the board's settings, its runs the
// board's own, Start ended by Cancel, Esc or closing the window.

#include "rundriver.h"
#include "testsupport.h"

#include "common/shared.h"
#include "common/sharedstore.h"
#include "core/runlengthlab.h"
#include "core/subgrouprecord.h"
#include "reports/chartsaving.h"
#include "reports/controlchartswindow.h"
#include "windows/runlengthwindow.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

using namespace kelvara;
using testsupport::child;

namespace {

constexpr std::uint32_t seed = 4711;

QSpinBox *box(QWidget *lab, const char *name)
{
    return child<QSpinBox>(lab, QString::fromLatin1(name));
}

QString labelText(QWidget *lab, const char *name)
{
    return child<QLabel>(lab, QString::fromLatin1(name))->text();
}

// Runs Start while `during` acts from the event loop; true when Start had
// ended the runs by the time the click returned.
bool startWhile(QWidget *lab, const std::function<void()> &during)
{
    QTimer::singleShot(0, lab, during);
    testsupport::click(lab, QStringLiteral("startButton"));
    const auto *window = qobject_cast<RunLengthWindow *>(lab);
    return window && !window->running();
}

} // namespace

class TestRunLengthLab : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::freshConfiguration();
        m_main = testsupport::startMainWindow(seed);
        QVERIFY(m_main);
    }


    void opensFromTheChartsMenuWithTheBoardsSettings()
    {
        rundriver::startRun(m_main, 3);
        QWidget *lab = openLab();
        QVERIFY(lab && lab->isVisible());
        QCOMPARE(lab->windowTitle(), QStringLiteral("Run Length Lab"));
        QCOMPARE(openLab(), lab); // one at a time
        QCOMPARE(box(lab, "rowsBox")->value(), 20);
        QCOMPARE(box(lab, "sizeBox")->value(), 3);
        QCOMPARE(box(lab, "limitCountBox")->value(), 20);
        QCOMPARE(box(lab, "shiftBox")->value(), 1);
        QCOMPARE(box(lab, "runsBox")->value(), 1000);
        // The shift comes after the limits' subgroups, or anywhere from 1 with theory's.
        QSpinBox *shiftAfter = box(lab, "shiftAfterBox");
        QCOMPARE(shiftAfter->value(), 20);
        QCOMPARE(QPair(shiftAfter->minimum(), shiftAfter->maximum()), QPair(20, 120));
        box(lab, "limitCountBox")->setValue(25);
        QCOMPARE(QPair(shiftAfter->minimum(), shiftAfter->maximum()), QPair(25, 125));
        QCOMPARE(shiftAfter->value(), 25);
        child<QComboBox>(lab, QStringLiteral("limitsChoice"))->setCurrentIndex(1);
        QCOMPARE(QPair(shiftAfter->minimum(), shiftAfter->maximum()), QPair(1, 100));
        lab->close();
        QTRY_VERIFY(!testsupport::topLevel(QStringLiteral("frmRunLength")));
    }

    void exactArlShowsForTheoryAndRuleOne()
    {
        rundriver::startRun(m_main, 5);
        QWidget *lab = openLab();
        QCOMPARE(labelText(lab, "exactLabel"), QString());
        auto *limits = child<QComboBox>(lab, QStringLiteral("limitsChoice"));
        auto *rules = child<QComboBox>(lab, QStringLiteral("rulesChoice"));
        QCOMPARE(limits->itemText(0), QStringLiteral("From the first k subgroups"));
        QCOMPARE(rules->itemText(1), QStringLiteral("Rules 1 to 4"));
        limits->setCurrentIndex(1);
        QCOMPARE(labelText(lab, "exactLabel"), QStringLiteral("Exact ARL 56.77"));
        box(lab, "shiftBox")->setValue(2);
        QCOMPARE(labelText(lab, "exactLabel"), QStringLiteral("Exact ARL 7.37"));
        box(lab, "rowsBox")->setValue(1);
        box(lab, "sizeBox")->setValue(1);
        box(lab, "shiftBox")->setValue(0);
        QCOMPARE(labelText(lab, "exactLabel"), QStringLiteral("Exact ARL: no signal is possible"));
        rules->setCurrentIndex(1);
        QCOMPARE(labelText(lab, "exactLabel"), QString());
        lab->close();
    }

    // One run of the lab, and the same seeded Run on the board with the funnel
    // moved after subgroup S: the same readings and the same first X-bar signal.
    void aLabRunIsTheBoardsRun()
    {
        const RunLengthSettings settings{.allRules = true, .runs = 1};
        testing::seedRandom(seed);
        RunLengthLab lab(settings, sharedStore().state(), randomSource());
        while (!lab.finished())
            lab.advance(std::chrono::milliseconds(100));
        QCOMPARE(lab.results().delays().size(), 1);
        const int firstSignal = settings.shiftAfter + lab.results().delays().first();
        const SubgroupRecord &record = lab.lastRun().record();
        QCOMPARE(record.rowCount(), firstSignal);

        rundriver::startRun(m_main, settings.subgroupSize);
        auto *showRules = m_main->chartsWindow()->findChild<QAction *>(QStringLiteral("mnuShowRunRules"));
        if (!showRules->isChecked())
            showRules->trigger();
        testing::seedRandom(seed);
        QVERIFY(rundriver::dropSubgroups(m_main, settings.shiftAfter));
        testsupport::click(m_main, QStringLiteral("funnelrightbutton"));
        QVERIFY(rundriver::dropSubgroups(m_main, firstSignal - settings.shiftAfter));

        const TextTable &table = m_main->measurementTable();
        for (int row = 1; row <= firstSignal; ++row)
            for (int column = 1; column <= settings.subgroupSize + 1; ++column)
                QCOMPARE(table.text(row, column), record.measurementText(row, column, sharedStore().state().formats));
        // The board's X-bar signals (the list's words for them are checked in tst_runrules).
        const RunSignals &board = m_main->quincunxRun().runSignals();
        int boardSignal = settings.shiftAfter + 1;
        while (boardSignal < firstSignal && board.rulesAt(SignalChart::Mean, boardSignal) == 0)
            ++boardSignal;
        QCOMPARE(boardSignal, firstSignal);
        QVERIFY(board.rulesAt(SignalChart::Mean, firstSignal) != 0);
        bool falseAlarm = false;
        for (int subgroup = 1; subgroup <= settings.shiftAfter; ++subgroup)
            falseAlarm |= board.rulesAt(SignalChart::Mean, subgroup) != 0;
        QCOMPARE(lab.results().falseAlarmPercent() > 0, falseAlarm);
    }

    void tenRunsGiveTheirStatisticsAndAShiftIsKeptInReach()
    {
        rundriver::startRun(m_main, 5);
        QWidget *lab = openLab();
        box(lab, "runsBox")->setValue(10);
        child<QComboBox>(lab, QStringLiteral("limitsChoice"))->setCurrentIndex(1);
        box(lab, "shiftBox")->setValue(2);
        QVERIFY(startWhile(lab, [] {}));
        QCOMPARE(child<QProgressBar>(lab, QStringLiteral("progressBar"))->value(), 10);
        static const QRegularExpression shape(QStringLiteral(
            "^Mean delay \\d+\\.\\d\\d subgroups \\(95 % interval -?\\d+\\.\\d\\d to \\d+\\.\\d\\d\\), median \\d+(\\.5)?, "
            "false alarms before the shift in \\d+\\.\\d\\d % of runs, 0 runs without a signal$"));
        QVERIFY2(shape.match(labelText(lab, "resultLabel")).hasMatch(), qPrintable(labelText(lab, "resultLabel")));
        QCOMPARE(labelText(lab, "exactLabel"), QStringLiteral("Exact ARL 7.37"));
        QVERIFY(child<QPushButton>(lab, QStringLiteral("startButton"))->isEnabled());
        QVERIFY(!child<QPushButton>(lab, QStringLiteral("cancelButton"))->isEnabled());
        // A shift beyond the funnel's reach is made smaller.
        box(lab, "shiftBox")->setValue(-10);
        QVERIFY(startWhile(lab, [] {}));
        QVERIFY2(labelText(lab, "noteLabel").contains(QStringLiteral("only 5 slots")), qPrintable(labelText(lab, "noteLabel")));
        lab->close();
    }

    void cancelAndEscEndTheRuns_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Esc") << true;
    }

    void cancelAndEscEndTheRuns()
    {
        QFETCH(bool, escape);
        QWidget *lab = openLab();
        box(lab, "runsBox")->setValue(100000);
        auto *progress = child<QProgressBar>(lab, QStringLiteral("progressBar"));
        QVERIFY(startWhile(lab, [lab, escape] {
            if (escape)
                QTest::keyClick(lab, Qt::Key_Escape);
            else
                testsupport::click(lab, QStringLiteral("cancelButton"));
        }));
        QVERIFY(progress->value() < 100000);
        QVERIFY(lab->isVisible()); // Esc during the runs ends them, not the window
        QCOMPARE(labelText(lab, "resultLabel").isEmpty(), progress->value() == 0);
        lab->close();
    }

    void closingMidRunEndsTheRunsAndTheWindow()
    {
        QPointer<QWidget> lab = openLab();
        box(lab, "runsBox")->setValue(100000);
        QVERIFY(startWhile(lab, [lab] { lab->close(); }));
        QTRY_VERIFY(!lab);
        // A new lab opens as the first did.
        QVERIFY(openLab());
        testsupport::topLevel(QStringLiteral("frmRunLength"))->close();
    }

    // The curve, from its menu: on the clipboard, and in a PNG file with its heading.
    void theChartsAreCopiedAndSaved()
    {
        QWidget *lab = openLab();
        child<QComboBox>(lab, QStringLiteral("limitsChoice"))->setCurrentIndex(1);
        auto *chart = child<QAbstractScrollArea>(lab, QStringLiteral("arlChart"));
        QGuiApplication::clipboard()->clear();
        testsupport::chooseInNextMenu(QStringLiteral("Copy Chart"));
        QTest::mouseClick(chart->viewport(), Qt::RightButton);
        QCOMPARE(QGuiApplication::clipboard()->image().size(), chart->size());

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("arl.png"));
        testsupport::chooseInNextMenu(QStringLiteral("Save Chart As..."));
        const testsupport::DialogVisit visit
            = testsupport::useSaveDialog([chart] { QTest::mouseClick(chart->viewport(), Qt::RightButton); }, path);
        QCOMPARE(visit.name, QStringLiteral("dlgSaveChart"));
        QVERIFY(QImage(path).width() >= savedChartMinimumWidth);
        lab->close();
    }

private:
    QWidget *openLab()
    {
        m_main->chartsWindow()->findChild<QAction *>(QStringLiteral("mnuRunLengthLab"))->trigger();
        return testsupport::topLevel(QStringLiteral("frmRunLength"));
    }
    QuincunxForm *m_main = nullptr;
};

QTEST_MAIN(TestRunLengthLab)
#include "tst_runlengthlab.moc"
