// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's keys: each works wherever the focus is, text boxes
// included, does nothing while its button could not be clicked, and is named
// in its button's hint; a focused spinner steps with the arrow keys.

#include "testsupport.h"

#include "common/shared.h"
#include "reports/controlchartswindow.h"
#include "windows/helpwindow.h"

#include <QLabel>
#include <QLineEdit>

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
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("effect");
        QTest::newRow("Ctrl+R in the drop count box runs") << "howmanytext" << QKeySequence("Ctrl+R") << "5 subgroups";
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
        const QString dialog = saveDialogDuring([&] { pressIn(child<QWidget>(m_main, focus), keys); });
        const QMap<QString, bool> effects = {
            {QStringLiteral("5 subgroups"), shared().subgroupCount == 10},
            {QStringLiteral("0 subgroups"), shared().subgroupCount == 0},
            {QStringLiteral("pause"), m_main->run().pauseRequested},
            {QStringLiteral("charts"), m_main->chartsWindow()->isVisible()},
            {QStringLiteral("histograms"), child<QWidget>(m_main, "Histogrampanel")->isVisible()},
            {QStringLiteral("dlgOutput"), dialog == QStringLiteral("dlgOutput")},
            {QStringLiteral("manual"), m_main->manual() && m_main->manual()->isVisible()},
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
        QCOMPARE(int(shared().subgroupCount), 5);
        QCOMPARE(saveDialogDuring([&] { QTest::keySequence(m_main, QKeySequence("Ctrl+S")); }), QStringLiteral("dlgOutput"));
        QCOMPARE(child<QWidget>(m_main, "cmdHistoOutput")->toolTip(), QStringLiteral("Output Data (Ctrl+S)"));
    }

    // The picture buttons' hints are read with the others' in tst_controller.
    void hintsNameTheKeys_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Run") << "dropbutton" << "Run (Ctrl+R)";
        QTest::newRow("Pause") << "cmdPause" << "Pause (Ctrl+P)";
        QTest::newRow("Reset") << "resetbutton" << "Reset (Ctrl+N)";
        QTest::newRow("Export") << "cmdOutput" << "Export Data (Ctrl+S)";
    }
    void hintsNameTheKeys()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
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
