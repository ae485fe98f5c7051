// SPDX-License-Identifier: GPL-3.0-or-later
// The program's keys: each works wherever the focus is, in every window of
// the program and in text boxes, does nothing while its button could not be
// clicked or a modal dialog is open, and is named in its button's hint; a
// focused spinner steps with the arrow keys; every chart takes the focus and
// opens its menu, once, from the keyboard.

#include "testsupport.h"

#include "reports/controlchartswindow.h"
#include "windows/helpwindow.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextBrowser>

using namespace kelvara;
using testsupport::child;

namespace {

// The name of the save dialog that opens while `action` runs, cancelled at once.
QString saveDialogDuring(const std::function<void()> &action)
{
    QList<testsupport::SeenMessage> messages;
    const QString name = testsupport::useSaveDialog([&] { messages = testsupport::answerMessages(action); }).name;
    return messages.isEmpty() ? name : QStringLiteral("a message box");
}

void pressIn(QWidget *focus, const QKeySequence &keys)
{
    focus->setFocus();
    QTest::keySequence(focus, keys);
}

// Brings a window of the program to the front, as a click on it would.
void activate(QWidget *window)
{
    window->show();
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), window);
}

// Counts the popup menus that open while `action` runs, closing each, and
// notes the first one's name and first item.
int menusOpenedDuring(const std::function<void()> &action, QString &firstMenu)
{
    int opened = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        if (opened++ == 0)
            firstMenu = menu->objectName() + u'/' + menu->actions().first()->text();
        menu->close();
    });
    poll.start(5);
    action();
    QCoreApplication::processEvents(); // whatever else the request queued
    return opened;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_main = testsupport::startMainWindow();
        QVERIFY(m_main);
        QTRY_COMPARE(QApplication::activeWindow(), m_main);
    }

    void keysWorkFromAnyFocus_data()
    {
        QTest::addColumn<QString>("focus"); // a control of the main window, the charts window's or the manual
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("effect");
        QTest::newRow("Ctrl+R in the drop count box runs") << "howmanytext" << QKeySequence("Ctrl+R") << "5 subgroups";
        QTest::newRow("Ctrl+R on the X-bar chart runs") << "xchartpicture" << QKeySequence("Ctrl+R") << "5 subgroups";
        QTest::newRow("Ctrl+G on the R chart shows the histograms") << "rchartpicture" << QKeySequence("Ctrl+G") << "histograms";
        QTest::newRow("Ctrl+S in the signal list exports") << "signalList" << QKeySequence("Ctrl+S") << "dlgOutput";
        QTest::newRow("Ctrl+N in the manual resets") << "helpbrowser" << QKeySequence("Ctrl+N") << "0 subgroups";
        QTest::newRow("Ctrl+L in the manual shows the charts") << "helpbrowser" << QKeySequence("Ctrl+L") << "charts";
        QTest::newRow("Ctrl+N in the rows box resets") << "rowstext" << QKeySequence("Ctrl+N") << "0 subgroups";
        QTest::newRow("Ctrl+P on Run asks to pause") << "dropbutton" << QKeySequence("Ctrl+P") << "pause";
        QTest::newRow("Ctrl+L in the size box shows the charts") << "subgrouptext" << QKeySequence("Ctrl+L") << "charts";
        QTest::newRow("Ctrl+G on the speed bar shows the histograms") << "HScroll1" << QKeySequence("Ctrl+G") << "histograms";
        QTest::newRow("Ctrl+S in the limits box exports") << "climitstext" << QKeySequence("Ctrl+S") << "dlgOutput";
        QTest::newRow("F1 in the drop count box opens the manual") << "howmanytext" << QKeySequence("F1") << "manual";
    }
    void keysWorkFromAnyFocus()
    {
        QFETCH(QString, focus);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, effect);
        testsupport::click(m_main, QStringLiteral("dropbutton")); // 5 subgroups, so Reset and histograms have work
        QWidget *target = m_main->findChild<QWidget *>(focus);
        if (!target) {
            m_main->showManual(QStringLiteral("index.html"));
            target = m_main->manual()->browser();
        }
        activate(target->window());
        const bool chartsBefore = m_main->chartsWindow()->isVisible();
        const bool manualBefore = m_main->manual() && m_main->manual()->isVisible();
        const QString dialog = saveDialogDuring([&] { pressIn(target, keys); });
        const QMap<QString, bool> effects = {
            {QStringLiteral("5 subgroups"), m_main->quincunxRun().state().subgroupCount == 10},
            {QStringLiteral("0 subgroups"), m_main->quincunxRun().state().subgroupCount == 0},
            {QStringLiteral("pause"), m_main->quincunxRun().state().pauseRequested},
            {QStringLiteral("charts"), !chartsBefore && m_main->chartsWindow()->isVisible()},
            {QStringLiteral("histograms"), child<QWidget>(m_main, "Histogrampanel")->isVisible()},
            {QStringLiteral("dlgOutput"), dialog == QStringLiteral("dlgOutput")},
            {QStringLiteral("manual"), !manualBefore && m_main->manual() && m_main->manual()->isVisible()},
        };
        QVERIFY2(effects.value(effect), qPrintable(effect));
        QCOMPARE(effects.values().count(true), 1);
    }

    // While the histograms stand in the board's place the panel is disabled:
    // Ctrl+R runs nothing, and Ctrl+S exports through the histograms' own button.
    void keysFollowTheirButtonsState()
    {
        testsupport::click(m_main, QStringLiteral("dropbutton"));
        QTest::keySequence(m_main, QKeySequence("Ctrl+G"));
        QTest::keySequence(m_main, QKeySequence("Ctrl+R"));
        QCOMPARE(int(m_main->quincunxRun().state().subgroupCount), 5);
        QCOMPARE(saveDialogDuring([&] { QTest::keySequence(m_main, QKeySequence("Ctrl+S")); }), QStringLiteral("dlgOutput"));
        QCOMPARE(child<QWidget>(m_main, "cmdHistoOutput")->toolTip(), QStringLiteral("Output Data (Ctrl+S)"));
    }

    // A modal dialog keeps the program's keys from the windows behind it.
    void keysRestWhileAModalDialogIsOpen()
    {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            QWidget *about = QApplication::activeModalWidget();
            opened = about && about->objectName() == QStringLiteral("frmAbout");
            if (!about)
                return;
            QTest::keySequence(about, QKeySequence("Ctrl+R"));
            QTest::keySequence(about, QKeySequence("Ctrl+L"));
            about->close();
        });
        testsupport::click(m_main, QStringLiteral("aboutbutton"));
        QVERIFY(opened);
        QCOMPARE(int(m_main->quincunxRun().state().subgroupCount), 0);
        QVERIFY(m_main->chartsWindow()->isHidden());
    }

    // Every chart takes the focus with Tab, which shows on its title, and the
    // keyboard's request for a menu (the Menu key's context-menu event, which
    // the key press follows, or Shift+F10) opens the chart's menu once; so
    // does a right click, whose press sends a context-menu request of its own.
    void chartsOpenTheirMenuOnceFromTheKeyboard_data()
    {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QString>("request");
        for (const char *chart : {"xchartpicture", "rchartpicture", "meanGraph", "indGraph"})
            for (const char *request : {"Menu key", "Shift+F10", "right click"})
                QTest::addRow("%s, %s", chart, request) << chart << request;
    }
    void chartsOpenTheirMenuOnceFromTheKeyboard()
    {
        QFETCH(QString, chart);
        QFETCH(QString, request);
        testsupport::click(m_main, QStringLiteral("dropbutton"));
        const bool histogram = chart.endsWith(QStringLiteral("Graph"));
        testsupport::click(m_main, histogram ? QStringLiteral("histbutton") : QStringLiteral("contchrbutton"));
        auto *widget = child<QWidget>(m_main, chart);
        activate(widget->window());
        for (int press = 0; press < 20 && QApplication::focusWidget() != widget; ++press)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : widget->window(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), widget);
        // The focus shows on the chart's title, never on its picture.
        int marked = 0;
        for (const QLabel *label : widget->window()->findChildren<QLabel *>())
            marked += label->isVisible() && label->autoFillBackground() && label->backgroundRole() == QPalette::Highlight;
        QCOMPARE(marked, 1);
        QString menu;
        const int opened = menusOpenedDuring([&] {
            const QPoint middle = widget->rect().center();
            if (request == QStringLiteral("Shift+F10")) {
                QTest::keyClick(widget, Qt::Key_F10, Qt::ShiftModifier);
                return;
            }
            const bool mouse = request == QStringLiteral("right click");
            QContextMenuEvent asked(mouse ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard, middle,
                                    widget->mapToGlobal(middle));
            QWidget *receiver = mouse && histogram ? static_cast<QAbstractScrollArea *>(widget)->viewport() : widget;
            QApplication::sendEvent(receiver, &asked);
            mouse ? QTest::mouseClick(receiver, Qt::RightButton, {}, middle) : QTest::keyClick(widget, Qt::Key_Menu);
        }, menu);
        QCOMPARE(opened, 1);
        QCOMPARE(menu, QStringLiteral("mnuCP/Copy Chart"));
    }

    // The picture buttons' hints are read with the others' in tst_controller.
    void hintsNameTheKeys()
    {
        const QList<QPair<QString, QString>> hints = {{"dropbutton", "Run (Ctrl+R)"}, {"cmdPause", "Pause (Ctrl+P)"},
                                                      {"resetbutton", "Reset (Ctrl+N)"}, {"cmdOutput", "Export Data (Ctrl+S)"}};
        for (const auto &[control, hint] : hints)
            QCOMPARE(child<QWidget>(m_main, control)->toolTip(), hint);
    }

    void ctrlMPlaysTheDemonstration()
    {
        bool captionShown = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto *panel = child<QLabel>(m_main, "teachpanel");
            if (panel->isVisible() && !captionShown) {
                captionShown = true;
                QTest::keyClick(panel, Qt::Key_Escape);
            }
        });
        poll.start(5);
        pressIn(child<QWidget>(m_main, "rowstext"), QKeySequence("Ctrl+M"));
        QVERIFY(captionShown);
    }

    void focusedSpinnerStepsWithArrowKeys()
    {
        auto *spinner = child<QWidget>(m_main, "spnRows");
        spinner->setFocus();
        QTest::keyClick(spinner, Qt::Key_Down);
        QTest::keyClick(spinner, Qt::Key_Down);
        QTest::keyClick(spinner, Qt::Key_Up);
        QCOMPARE(child<QLineEdit>(m_main, "rowstext")->text(), QStringLiteral("19"));
    }

private:
    QuincunxForm *m_main = nullptr;
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
