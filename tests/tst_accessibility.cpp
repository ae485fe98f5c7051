// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds: a name for every enabled control of every
// window, and the board and the charts telling their state in words as a run
// goes on.

#include "testsupport.h"

#include "reports/controlchartswindow.h"
#include "surface/drawingsurface.h"
#include "windows/aboutwindow.h"
#include "windows/helpwindow.h"
#include "windows/scaledialog.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

#include <numeric>

using namespace kelvara;
using testsupport::child;

namespace {

QString spoken(QObject *object, QAccessible::Text text)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(text) : QString();
}

// The controls a user can reach: every named widget that takes the focus or
// is a button, leaving out the parts Qt builds inside its own widgets.
QStringList controlsWithoutAName(QWidget *window)
{
    QStringList unnamed;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const bool control = widget->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton *>(widget);
        const QString name = widget->objectName();
        if (!control || name.isEmpty() || name.startsWith(QStringLiteral("qt_")) || widget->window() != window
            || !widget->isEnabled() || !widget->isVisibleTo(window))
            continue;
        if (spoken(widget, QAccessible::Name).isEmpty())
            unnamed << name;
    }
    return unnamed;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::freshConfiguration();
        QVERIFY((m_main = testsupport::startMainWindow()));
    }

    void everyEnabledControlHasAName()
    {
        testsupport::click(m_main, QStringLiteral("dropbutton"));
        m_main->showManual(QStringLiteral("index.html"));
        ScaleDialog scale(m_main);
        AboutWindow about(m_main);
        QList<QWidget *> windows = {m_main, m_main->chartsWindow(), &scale, &about, m_main->manual()};
        for (QWidget *window : windows)
            QCOMPARE(controlsWithoutAName(window), QStringList());
        testsupport::click(m_main, QStringLiteral("histbutton")); // the histograms stand in the board's place
        QCOMPARE(controlsWithoutAName(m_main), QStringList());
        testsupport::click(m_main, QStringLiteral("histbackbutton"));
        QCOMPARE(spoken(child(child(m_main, "spnRows"), "up"), QAccessible::Name), QStringLiteral("Increase Offset Rows"));
        QCOMPARE(spoken(child(child(m_main, "SpinButton1"), "down"), QAccessible::Name), QStringLiteral("Decrease Drop SubGroups"));
        QCOMPARE(spoken(child(m_main, "bafflehandle"), QAccessible::Name), QStringLiteral("Empty the baffle"));
    }

    void boardAndChartsFollowTheRun()
    {
        testsupport::click(m_main, QStringLiteral("resetbutton"));
        QObject *board = child(m_main, "qpicture");
        QCOMPARE(spoken(board, QAccessible::Description),
                 QStringLiteral("Quincunx board: 20 rows of pins, subgroup size 5. 0 subgroups dropped. "
                                "Process centred at 16.00. Control limits not fixed yet."));
        child<QLineEdit>(m_main, "howmanytext")->setText(QStringLiteral("21"));
        testsupport::click(m_main, QStringLiteral("funnelrightbutton"));
        testsupport::click(m_main, QStringLiteral("dropbutton"));

        // The three tallest piles, counted here from the run's slots.
        const auto &counts = m_main->quincunxRun().state().slotCount;
        QList<int> order(31);
        std::iota(order.begin(), order.end(), 1);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return counts[a] > counts[b]; });
        QStringList piles;
        for (int slot : order.mid(0, 3))
            piles << QStringLiteral("%1.00 (%2 balls)").arg(slot, 2, 10, QChar(u'0')).arg(counts[slot]);
        const QString limits = child<QLabel>(m_main->chartsWindow(), "xvaluestitle")->text().simplified();
        const QString described = spoken(board, QAccessible::Description);
        QVERIFY2(described.startsWith(QStringLiteral("Quincunx board: 20 rows of pins, subgroup size 5. 21 subgroups dropped. "
                                                      "Process centred at 17.00. Tallest piles at ") + piles.join(", ") + ". "),
                 qPrintable(described));
        QVERIFY2(described.contains(limits.left(limits.indexOf(QStringLiteral(" UCLx"))) + ", UCLx"), qPrintable(described));
        QVERIFY2(described.endsWith(QStringLiteral("Cp No Spec, Cpk No Spec, Pp No Spec, Ppk No Spec.")), qPrintable(described));

        const QString latest = child<QTableWidget>(m_main, "grdScaled")->item(21 - 1, 6)->text();
        QCOMPARE(spoken(m_main->chartsWindow()->xChart(), QAccessible::Name), QStringLiteral("XBar Chart"));
        const QString chart = spoken(m_main->chartsWindow()->xChart(), QAccessible::Description);
        QVERIFY2(chart.startsWith(QStringLiteral("XBar Chart: subgroups 11 to 21 of 21. Mean X-Bar = ")), qPrintable(chart));
        QVERIFY2(chart.endsWith(QStringLiteral("Latest point: subgroup 21, ") + latest + u'.'), qPrintable(chart));

        // With the rules shown, after a shift, the page's signals of the X-bar chart as the list words them.
        m_main->chartsWindow()->findChild<QAction *>(QStringLiteral("mnuShowRunRules"))->trigger();
        for (int move = 0; move < 4; ++move)
            testsupport::click(m_main, QStringLiteral("funnelrightbutton"));
        child<QLineEdit>(m_main, "howmanytext")->setText(QStringLiteral("5"));
        testsupport::click(m_main, QStringLiteral("dropbutton"));
        QStringList pageSignals;
        auto *list = child<QListWidget>(m_main->chartsWindow(), "signalList");
        for (int row = 0; row < list->count(); ++row) {
            const QString entry = list->item(row)->text();
            if (entry.contains(QStringLiteral("X-bar")) && entry.section(u',', 0, 0).section(u' ', 1).toInt() >= 16)
                pageSignals << entry;
        }
        QVERIFY(!pageSignals.isEmpty());
        const QString withSignals = spoken(m_main->chartsWindow()->xChart(), QAccessible::Description);
        QVERIFY2(withSignals.endsWith(QStringLiteral("Signals: ") + pageSignals.join(QStringLiteral("; ")) + u'.'),
                 qPrintable(withSignals));
        m_main->chartsWindow()->findChild<QAction *>(QStringLiteral("mnuShowRunRules"))->trigger();
    }

private:
    QuincunxForm *m_main = nullptr;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
