// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's own rules: spinners and their guards, the keys of the
// setting boxes, speed, Animation and trace, Pause, the tab order, Exit and
// the hints and captions.

#include "testsupport.h"

#include "windows/quincunxform.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>

using namespace kelvara;
using testsupport::child;

namespace {

void press(QuincunxForm *form, const QString &spinner, const char *arrow)
{
    child<QToolButton>(child<QWidget>(form, spinner), QString::fromLatin1(arrow))->click();
}

// Holds the arrow down, as a user would, until `enough` says so or the time
// is up, and returns the messages it showed.
QList<testsupport::SeenMessage> hold(QToolButton *arrow, int milliseconds,
                                     const std::function<bool()> &enough = [] { return false; })
{
    return testsupport::answerMessages([&] {
        QTest::mousePress(arrow, Qt::LeftButton);
        static_cast<void>(QTest::qWaitFor(enough, milliseconds)); // the caller judges the hold
        QTest::mouseRelease(arrow, Qt::LeftButton);
    });
}

} // namespace

class TestController : public QObject {
    Q_OBJECT
    QuincunxForm *m_form = nullptr;

private slots:
    void init() { m_form = testsupport::startMainWindow(); }

    // Each spinner steps by one between its ends and stays at them; a typed drop count above
    // the top steps down only.
    void spinnersStepWithinTheirRanges_data()
    {
        QTest::addColumn<QString>("spinner");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::newRow("rows") << "spnRows" << "rowstext" << 1 << 20;
        QTest::newRow("subgroup size") << "spnSubGroup" << "subgrouptext" << 1 << 15;
        QTest::newRow("limits") << "spnClimit" << "climitstext" << 5 << 30;
        QTest::newRow("drop count") << "SpinButton1" << "howmanytext" << 1 << 20;
        QTest::newRow("typed drop count above the top") << "SpinButton1" << "howmanytext" << 1 << 35;
    }
    void spinnersStepWithinTheirRanges()
    {
        QFETCH(QString, spinner);
        QFETCH(QString, box);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        auto *edit = child<QLineEdit>(m_form, box);
        const auto stepFrom = [&](int value, const char *arrow) {
            edit->setText(QString::number(value));
            press(m_form, spinner, arrow);
            return edit->text().toInt();
        };
        QCOMPARE(stepFrom(highest, "up"), highest);
        QCOMPARE(stepFrom(highest, "down"), highest - 1);
        QCOMPARE(stepFrom(lowest, "down"), lowest);
        QCOMPARE(stepFrom(lowest, "up"), lowest + 1);
    }

    // After a drop the subgroup size and the limit count are frozen, to the arrows and to the
    // box's keys: a second of holding an arrow on the size shows one message, not one per
    // repeat, as the press ends with it; the count refuses silently. Reset frees them.
    void frozenAfterADrop_data()
    {
        QTest::addColumn<QString>("spinner");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QString>("secondLine"); // of the message; empty for none
        QTest::newRow("size down") << "spnSubGroup" << "subgrouptext" << "down"
                                   << "Please click 'Reset button and try again.";
        QTest::newRow("size up") << "spnSubGroup" << "subgrouptext" << "up"
                                 << "Please click 'Reset' button and try again.";
        QTest::newRow("limit count") << "spnClimit" << "climitstext" << "down" << "";
    }
    void frozenAfterADrop()
    {
        QFETCH(QString, spinner);
        QFETCH(QString, box);
        QFETCH(QString, arrow);
        QFETCH(QString, secondLine);
        testsupport::runSubgroups(m_form, 1);
        auto *edit = child<QLineEdit>(m_form, box);
        const QString before = edit->text();
        auto *button = child<QToolButton>(child<QWidget>(m_form, spinner), arrow);
        QList<testsupport::SeenMessage> messages = hold(button, 1000); // a second of repeats to refuse
        QVERIFY(!button->isDown());
        const Qt::Key key = arrow == QStringLiteral("up") ? Qt::Key_Up : Qt::Key_Down;
        messages += testsupport::answerMessages([&] { QTest::keyClick(edit, key); });
        QStringList seen;
        for (const auto &message : messages)
            seen << QStringLiteral("%1|%2|%3").arg(message.title).arg(int(message.icon)).arg(message.text);
        const QString text = "Kelvara|1|Cannot change subgroup size when the process is going on.\r\n" + secondLine;
        QCOMPARE(seen, secondLine.isEmpty() ? QStringList() : (QStringList{text, text}));
        QCOMPARE(edit->text(), before);

        testsupport::click(m_form, QStringLiteral("resetbutton"));
        QVERIFY(testsupport::answerMessages([&] { press(m_form, spinner, "up"); }).isEmpty());
        QCOMPARE(edit->text().toInt(), before.toInt() + 1);
    }

    // Without a message in the way a held arrow steps again and again: the rows after a drop,
    // the subgroup size before one.
    void heldArrowRepeats_data()
    {
        QTest::addColumn<QString>("spinner");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<int>("subgroups");
        QTest::newRow("rows after a drop") << "spnRows" << "rowstext" << "down" << 1;
        QTest::newRow("size before a drop") << "spnSubGroup" << "subgrouptext" << "up" << 0;
    }
    void heldArrowRepeats()
    {
        QFETCH(QString, spinner);
        QFETCH(QString, box);
        QFETCH(QString, arrow);
        QFETCH(int, subgroups);
        if (subgroups > 0)
            testsupport::runSubgroups(m_form, subgroups);
        const int before = child<QLineEdit>(m_form, box)->text().toInt();
        const auto steps = [&] { return qAbs(child<QLineEdit>(m_form, box)->text().toInt() - before); };
        // A busy machine repeats later, not less often.
        QVERIFY(hold(child<QToolButton>(child<QWidget>(m_form, spinner), arrow), 10000, [&] { return steps() >= 3; }).isEmpty());
        QVERIFY2(steps() >= 3, qPrintable(QString::number(steps())));
    }

    // The setting boxes change only by stepping: the arrow keys step them, and Backspace and
    // Delete do nothing. Typing and pasting into them are tst_fuzz's.
    void settingBoxesChangeOnlyByStepping()
    {
        auto *rows = child<QLineEdit>(m_form, "rowstext");
        QTest::keyClick(rows, Qt::Key_Down);
        QTest::keyClick(rows, Qt::Key_Down);
        QCOMPARE(rows->text(), QStringLiteral("18"));
        QCOMPARE(int(m_form->quincunxRun().state().pinLevels), 19);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(rows, Qt::Key_Up);
        QCOMPARE(rows->text(), QStringLiteral("20"));
        for (const char *name : {"rowstext", "subgrouptext", "climitstext"}) {
            auto *edit = child<QLineEdit>(m_form, name);
            const QString before = edit->text();
            QTest::keyClick(edit, Qt::Key_Backspace);
            edit->setCursorPosition(0);
            QTest::keyClick(edit, Qt::Key_Delete);
            QCOMPARE(edit->text(), before);
        }
    }

    // Each position of the speed bar sets its step delay. From the middle, the arrow drawn at
    // the right end and the Right key go one step toward Fast (position 1), the left ones
    // toward Slow.
    void speedBarSetsTheStepDelay_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("towardRight");
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("delay");
        QTest::newRow("fastest") << "value" << true << 1 << 0.02;
        QTest::newRow("slowest") << "value" << false << 5 << 0.32;
        QTest::newRow("right arrow") << "arrow" << true << 2 << 0.03;
        QTest::newRow("left arrow") << "arrow" << false << 4 << 0.16;
        QTest::newRow("Right key") << "key" << true << 2 << 0.03;
        QTest::newRow("Left key") << "key" << false << 4 << 0.16;
    }
    void speedBarSetsTheStepDelay()
    {
        QFETCH(QString, input);
        QFETCH(bool, towardRight);
        QFETCH(int, position);
        child<QCheckBox>(m_form, "Animationcheck")->click();
        auto *bar = child<QScrollBar>(m_form, "HScroll1");
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 5);
        if (input == QStringLiteral("value"))
            bar->setValue(position);
        else if (input == QStringLiteral("key"))
            QTest::keyClick(bar, towardRight ? Qt::Key_Right : Qt::Key_Left);
        else // the arrows sit at the bar's ends
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(towardRight ? bar->width() - 3 : 2, bar->height() / 2));
        QCOMPARE(bar->value(), position);
        QTEST(m_form->quincunxRun().state().stepDelay, "delay");
    }

    void animationBoxGovernsSpeedAndTrace()
    {
        auto *animation = child<QCheckBox>(m_form, "Animationcheck");
        auto *trace = child<QCheckBox>(m_form, "chkTrace");
        auto *speed = child<QScrollBar>(m_form, "HScroll1");
        QVERIFY(!speed->isEnabled() && !trace->isEnabled());
        animation->click();
        QVERIFY(speed->isEnabled() && trace->isEnabled());
        trace->click();
        QVERIFY(m_form->quincunxRun().state().traceOn);
        animation->click();
        QVERIFY(!trace->isChecked() && !trace->isEnabled() && !speed->isEnabled());
        QVERIFY(!m_form->quincunxRun().state().traceOn);
    }

    void pauseWithoutARunWaitsForTheNextRun()
    {
        testsupport::click(m_form, QStringLiteral("cmdPause"));
        QVERIFY(m_form->quincunxRun().state().pauseRequested);
        QVERIFY(testsupport::runSubgroups(m_form, 3).isEmpty());
        QCOMPARE(int(m_form->quincunxRun().state().subgroupCount), 3);
    }

    // The tab order, the hints and the captions.
    void controlsFollowTheDesign()
    {
        const QStringList order = {
            "funnelleftbutton", "funnelrightbutton", "bafflehandle", "rowstext", "spnRows", "subgrouptext",
            "spnSubGroup", "climitstext", "spnClimit", "scalequincunxbutton", "dropbutton", "howmanytext",
            "SpinButton1", "Animationcheck", "chkTrace", "bafflepresentcheck", "HScroll1", "cmdOutput",
            "cmdPause", "resetbutton", "histbutton", "contchrbutton", "selfscriptbutton", "cmdHelp",
            "aboutbutton", "exitbutton"};
        QStringList chain;
        QWidget *widget = child<QWidget>(m_form, order.first());
        for (int step = 0; step < 400 && chain.size() < order.size(); ++step) {
            if (order.contains(widget->objectName()) && !chain.contains(widget->objectName()))
                chain << widget->objectName();
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(chain, order);

        const QList<QPair<QString, QString>> hints = {
            {"spnRows", "Min:1, Max:20"}, {"spnSubGroup", "Min:1, Max:15"}, {"spnClimit", "Min:5, Max:30"},
            {"selfscriptbutton", "View self-running demo (Ctrl+M)"}, {"contchrbutton", "View Control Charts (Ctrl+L)"},
            {"histbutton", "View Histograms of Subgroup Means and Individuals (Ctrl+G)"}, {"cmdHelp", "Help (F1)"},
            {"exitbutton", "Close & Exit Kelvara"}};
        for (const auto &[name, hint] : hints)
            QCOMPARE(child<QWidget>(m_form, name)->toolTip(), hint);
        const QList<QPair<QString, QString>> captions = {
            {"scalequincunxbutton", "Change Scale"}, {"dropbutton", "Run"}, {"chkTrace", "Show Traceline"},
            {"Animationcheck", "&Animation"}, {"resetbutton", "Reset"}, {"cmdPause", "Pause"},
            {"cmdOutput", "Export Data"}, {"bafflepresentcheck", "Show Baffle"}, {"aboutbutton", "About"}};
        for (const auto &[name, caption] : captions)
            QCOMPARE(child<QAbstractButton>(m_form, name)->text(), caption);
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Kelvara"));
    }

    void exitClosesTheProgram()
    {
        testsupport::click(m_form, QStringLiteral("contchrbutton"));
        QWidget *charts = testsupport::topLevel(QStringLiteral("frmCtrlChrt"));
        QVERIFY(charts->isVisible());
        testsupport::click(m_form, QStringLiteral("exitbutton"));
        QVERIFY(m_form->isClosing());
        QVERIFY(!m_form->isVisible() && !charts->isVisible());
    }
};

QTEST_MAIN(TestController)
#include "tst_controller.moc"
