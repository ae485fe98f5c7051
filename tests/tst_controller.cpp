// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's own rules: spinners and their guards, the keys of the
// setting boxes, the drop-count box, speed, Animation and trace, Pause, the
// tab order and Exit.

#include "testsupport.h"

#include "common/shared.h"
#include "windows/quincunxform.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolButton>

using namespace kelvara;
using testsupport::child;

namespace {

void press(QuincunxForm *form, const QString &spinner, const char *arrow)
{
    child<QToolButton>(child<QWidget>(form, spinner), QString::fromLatin1(arrow))->click();
}

void dropOne(QuincunxForm *form)
{
    testsupport::runSubgroups(form, 1);
}

} // namespace

class TestController : public QObject {
    Q_OBJECT
private slots:
    void spinnersStepWithinTheirRanges_data()
    {
        QTest::addColumn<QString>("spinner");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QString>("result");
        QTest::newRow("rows up at 20 stays") << "spnRows" << "rowstext" << "20" << "up" << "20";
        QTest::newRow("rows down") << "spnRows" << "rowstext" << "20" << "down" << "19";
        QTest::newRow("rows down at 1 stays") << "spnRows" << "rowstext" << "1" << "down" << "1";
        QTest::newRow("size up") << "spnSubGroup" << "subgrouptext" << "5" << "up" << "6";
        QTest::newRow("size up at 15 stays") << "spnSubGroup" << "subgrouptext" << "15" << "up" << "15";
        QTest::newRow("size down at 1 stays") << "spnSubGroup" << "subgrouptext" << "1" << "down" << "1";
        QTest::newRow("limits down at 5 stays") << "spnClimit" << "climitstext" << "5" << "down" << "5";
        QTest::newRow("limits up at 30 stays") << "spnClimit" << "climitstext" << "30" << "up" << "30";
        QTest::newRow("limits up") << "spnClimit" << "climitstext" << "20" << "up" << "21";
        QTest::newRow("drop count up at 20 stays") << "SpinButton1" << "howmanytext" << "20" << "up" << "20";
        QTest::newRow("drop count down at 1 stays") << "SpinButton1" << "howmanytext" << "1" << "down" << "1";
        QTest::newRow("typed 35 does not step up") << "SpinButton1" << "howmanytext" << "35" << "up" << "35";
        QTest::newRow("typed 35 steps down") << "SpinButton1" << "howmanytext" << "35" << "down" << "34";
    }
    void spinnersStepWithinTheirRanges()
    {
        QFETCH(QString, spinner);
        QFETCH(QString, box);
        QFETCH(QString, initial);
        QFETCH(QString, arrow);
        QFETCH(QString, result);
        QuincunxForm *form = testsupport::startMainWindow();
        child<QLineEdit>(form, box)->setText(initial);
        press(form, spinner, qPrintable(arrow));
        QCOMPARE(child<QLineEdit>(form, box)->text(), result);
    }

    void subgroupSizeIsFrozenWithAMessage_data()
    {
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QString>("secondLine");
        QTest::newRow("down") << "down" << "Please click 'Reset button and try again.";
        QTest::newRow("up") << "up" << "Please click 'Reset' button and try again.";
    }
    void subgroupSizeIsFrozenWithAMessage()
    {
        QFETCH(QString, arrow);
        QFETCH(QString, secondLine);
        QuincunxForm *form = testsupport::startMainWindow();
        dropOne(form);
        const auto messages = testsupport::answerMessages([&] { press(form, "spnSubGroup", qPrintable(arrow)); });
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].title, QStringLiteral("Kelvara"));
        QCOMPARE(messages[0].icon, QMessageBox::Information);
        QCOMPARE(messages[0].text,
                 QStringLiteral("Cannot change subgroup size when the process is going on.\r\n") + secondLine);
        QCOMPARE(child<QLineEdit>(form, "subgrouptext")->text(), QStringLiteral("5"));

        testsupport::click(form, QStringLiteral("resetbutton"));
        QVERIFY(testsupport::answerMessages([&] { press(form, "spnSubGroup", "up"); }).isEmpty());
        QCOMPARE(child<QLineEdit>(form, "subgrouptext")->text(), QStringLiteral("6"));
    }

    // A held arrow repeats; when a step opens a message, the press ends there, so a second of
    // holding shows one box, not one per repeat.
    void heldArrowShowsAtMostOneMessage_data()
    {
        QTest::addColumn<QString>("spinner");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<bool>("afterADrop");
        QTest::addColumn<int>("messages");
        QTest::newRow("size down after a drop") << "spnSubGroup" << "subgrouptext" << "down" << true << 1;
        QTest::newRow("size up after a drop") << "spnSubGroup" << "subgrouptext" << "up" << true << 1;
        QTest::newRow("rows repeat") << "spnRows" << "rowstext" << "down" << true << 0;
        QTest::newRow("size repeats before a drop") << "spnSubGroup" << "subgrouptext" << "up" << false << 0;
    }
    void heldArrowShowsAtMostOneMessage()
    {
        QFETCH(QString, spinner);
        QFETCH(QString, box);
        QFETCH(QString, arrow);
        QFETCH(bool, afterADrop);
        QFETCH(int, messages);
        QuincunxForm *form = testsupport::startMainWindow();
        if (afterADrop)
            dropOne(form);
        auto *button = child<QToolButton>(child<QWidget>(form, spinner), arrow);
        const int before = child<QLineEdit>(form, box)->text().toInt();
        const auto seen = testsupport::answerMessages([button] {
            QTest::mousePress(button, Qt::LeftButton);
            QTest::qWait(1000);
            QTest::mouseRelease(button, Qt::LeftButton);
        });
        QCOMPARE(seen.size(), messages);
        QVERIFY(!button->isDown());
        const int steps = qAbs(child<QLineEdit>(form, box)->text().toInt() - before);
        QVERIFY2(messages > 0 ? steps == 0 : steps >= 3, qPrintable(QString::number(steps)));
    }

    void controlLimitCountIsFrozenSilently()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        dropOne(form);
        auto *box = child<QLineEdit>(form, "climitstext");
        const auto messages = testsupport::answerMessages([&] {
            press(form, "spnClimit", "up");
            press(form, "spnClimit", "down");
            QTest::keyClick(box, Qt::Key_Down);
        });
        QVERIFY(messages.isEmpty());
        QCOMPARE(box->text(), QStringLiteral("20"));
    }

    void arrowKeysStepTheSettingBoxes()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        auto *rows = child<QLineEdit>(form, "rowstext");
        QTest::keyClick(rows, Qt::Key_Down);
        QTest::keyClick(rows, Qt::Key_Down);
        QCOMPARE(rows->text(), QStringLiteral("18"));
        QCOMPARE(int(form->run().pinLevels), 19);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(rows, Qt::Key_Up);
        QCOMPARE(rows->text(), QStringLiteral("20"));
    }

    void settingBoxesTakeNoTypingOrPasting_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("rows") << "rowstext";
        QTest::newRow("subgroup size") << "subgrouptext";
        QTest::newRow("limits") << "climitstext";
    }
    void settingBoxesTakeNoTypingOrPasting()
    {
        QFETCH(QString, box);
        QuincunxForm *form = testsupport::startMainWindow();
        auto *edit = child<QLineEdit>(form, box);
        const QString before = edit->text();
        QTest::keyClicks(edit, QStringLiteral("a7-"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Delete);
        QGuiApplication::clipboard()->setText(QStringLiteral("12"));
        edit->paste();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), before);
    }

    void dropCountBoxRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("afterLeaving");
        QTest::newRow("zero stays") << "0" << "0";
        QTest::newRow("empty becomes 10") << "" << "10";
        QTest::newRow("leading zero goes") << "05" << "5";
        QTest::newRow("letters are refused") << "a" << "10";
        QTest::newRow("two characters at most") << "123" << "12";
        QTest::newRow("typed 99 stands") << "99" << "99";
    }
    void dropCountBoxRules()
    {
        QFETCH(QString, typed);
        QFETCH(QString, afterLeaving);
        QuincunxForm *form = testsupport::startMainWindow();
        auto *box = child<QLineEdit>(form, "howmanytext");
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, typed);
        child<QWidget>(form, "dropbutton")->setFocus();
        QCOMPARE(box->text(), afterLeaving);
    }

    void pastedLettersNeverReachTheDropCount()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        auto *box = child<QLineEdit>(form, "howmanytext");
        box->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("x9"));
        box->paste();
        QVERIFY(box->text().isEmpty() || box->text() == QStringLiteral("9"));
        QGuiApplication::clipboard()->setText(QStringLiteral("7"));
        box->paste();
        QVERIFY(!box->text().contains(u'x'));
        bool numeric = false;
        box->text().toInt(&numeric);
        QVERIFY(numeric);
    }

    void speedBarSetsTheStepDelay_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("delay");
        QTest::newRow("fastest") << 1 << 0.02;
        QTest::newRow("2") << 2 << 0.03;
        QTest::newRow("default") << 3 << 0.04;
        QTest::newRow("4") << 4 << 0.16;
        QTest::newRow("slowest") << 5 << 0.32;
    }
    void speedBarSetsTheStepDelay()
    {
        QFETCH(int, position);
        QFETCH(double, delay);
        QuincunxForm *form = testsupport::startMainWindow();
        auto *bar = child<QScrollBar>(form, "HScroll1");
        bar->setValue(position == 3 ? 4 : 3);
        bar->setValue(position);
        QCOMPARE(form->run().stepDelay, delay);
        QCOMPARE(bar->minimum(), 1);
        QCOMPARE(bar->maximum(), 5);
    }

    // From the middle, the arrow drawn at the right end and the Right key go one step toward Fast
    // (position 1), the left ones toward Slow, and the thumb moves the same way.
    void speedBarMovesTheWayItsArrowsPoint_data()
    {
        QTest::addColumn<bool>("towardRight");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<int>("position");
        QTest::newRow("right arrow") << true << false << 2;
        QTest::newRow("left arrow") << false << false << 4;
        QTest::newRow("Right key") << true << true << 2;
        QTest::newRow("Left key") << false << true << 4;
    }
    void speedBarMovesTheWayItsArrowsPoint()
    {
        QFETCH(bool, towardRight);
        QFETCH(bool, byKey);
        QFETCH(int, position);
        QuincunxForm *form = testsupport::startMainWindow();
        child<QCheckBox>(form, "Animationcheck")->click();
        auto *bar = child<QScrollBar>(form, "HScroll1");
        const auto part = [bar](QStyle::SubControl control) {
            QStyleOptionSlider option;
            option.initFrom(bar);
            option.orientation = Qt::Horizontal;
            option.state |= QStyle::State_Horizontal;
            option.minimum = bar->minimum();
            option.maximum = bar->maximum();
            option.sliderPosition = option.sliderValue = bar->value();
            option.singleStep = option.pageStep = 1;
            option.upsideDown = bar->invertedAppearance();
            return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, control, bar);
        };
        const QRect add = part(QStyle::SC_ScrollBarAddLine), sub = part(QStyle::SC_ScrollBarSubLine);
        const QRect arrow = (add.center().x() > sub.center().x()) == towardRight ? add : sub;
        const int thumbBefore = part(QStyle::SC_ScrollBarSlider).center().x();
        if (byKey)
            QTest::keyClick(bar, towardRight ? Qt::Key_Right : Qt::Key_Left);
        else
            QTest::mouseClick(bar, Qt::LeftButton, {}, arrow.center());
        QCOMPARE(bar->value(), position);
        QCOMPARE(part(QStyle::SC_ScrollBarSlider).center().x() > thumbBefore, towardRight);
        QCOMPARE(form->run().stepDelay, position == 2 ? 0.03 : 0.16);
    }

    void animationBoxGovernsSpeedAndTrace()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        auto *animation = child<QCheckBox>(form, "Animationcheck");
        auto *trace = child<QCheckBox>(form, "chkTrace");
        auto *speed = child<QScrollBar>(form, "HScroll1");
        QVERIFY(!speed->isEnabled() && !trace->isEnabled());
        animation->click();
        QVERIFY(speed->isEnabled() && trace->isEnabled());
        trace->click();
        QVERIFY(form->run().traceOn);
        animation->click();
        QVERIFY(!trace->isChecked() && !trace->isEnabled() && !speed->isEnabled());
        QVERIFY(!form->run().traceOn);
    }

    void pauseWithoutARunWaitsForTheNextRun()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        testsupport::click(form, QStringLiteral("cmdPause"));
        QVERIFY(form->run().pauseRequested);
        child<QLineEdit>(form, "howmanytext")->setText(QStringLiteral("3"));
        testsupport::click(form, QStringLiteral("dropbutton"));
        QCOMPARE(int(shared().subgroupCount), 3);
    }

    void tabOrderFollowsTheDesign()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        const QStringList order = {
            "funnelleftbutton", "funnelrightbutton", "bafflehandle", "rowstext", "spnRows", "subgrouptext",
            "spnSubGroup", "climitstext", "spnClimit", "scalequincunxbutton", "dropbutton", "howmanytext",
            "SpinButton1", "Animationcheck", "chkTrace", "bafflepresentcheck", "HScroll1", "cmdOutput",
            "cmdPause", "resetbutton", "histbutton", "contchrbutton", "selfscriptbutton", "cmdHelp",
            "aboutbutton", "exitbutton"};
        QStringList chain;
        QWidget *widget = child<QWidget>(form, order.first());
        for (int step = 0; step < 400 && chain.size() < order.size(); ++step) {
            if (order.contains(widget->objectName()) && !chain.contains(widget->objectName()))
                chain << widget->objectName();
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(chain, order);
    }

    void exitClosesTheProgram()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        testsupport::click(form, QStringLiteral("contchrbutton"));
        QWidget *charts = testsupport::topLevel(QStringLiteral("frmCtrlChrt"));
        QVERIFY(charts->isVisible());
        testsupport::click(form, QStringLiteral("exitbutton"));
        QVERIFY(form->isClosing());
        QVERIFY(!form->isVisible() && !charts->isVisible());
    }

    void hintsAndCaptionsReadAsDesigned()
    {
        QuincunxForm *form = testsupport::startMainWindow();
        const QList<QPair<QString, QString>> hints = {
            {"spnRows", "Min:1, Max:20"}, {"spnSubGroup", "Min:1, Max:15"}, {"spnClimit", "Min:5, Max:30"},
            {"selfscriptbutton", "View self-running demo (Ctrl+M)"}, {"contchrbutton", "View Control Charts (Ctrl+L)"},
            {"histbutton", "View Histograms of Subgroup Means and Individuals (Ctrl+G)"}, {"cmdHelp", "Help (F1)"},
            {"exitbutton", "Close & Exit Kelvara"}};
        for (const auto &[name, hint] : hints)
            QCOMPARE(child<QWidget>(form, name)->toolTip(), hint);
        const QList<QPair<QString, QString>> captions = {
            {"scalequincunxbutton", "Change Scale"}, {"dropbutton", "Run"}, {"chkTrace", "Show Traceline"},
            {"Animationcheck", "&Animation"}, {"resetbutton", "Reset"}, {"cmdPause", "Pause"},
            {"cmdOutput", "Export Data"}, {"bafflepresentcheck", "Show Baffle"}, {"aboutbutton", "About"}};
        for (const auto &[name, caption] : captions)
            QCOMPARE(child<QAbstractButton>(form, name)->text(), caption);
        QCOMPARE(form->windowTitle(), QStringLiteral("Kelvara"));
    }
};

QTEST_MAIN(TestController)
#include "tst_controller.moc"
