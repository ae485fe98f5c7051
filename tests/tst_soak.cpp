// SPDX-License-Identifier: GPL-3.0-or-later
// Two hundred rounds of Run, histograms and back, paging the control charts, a new scale and
// Reset: whatever a round creates must be gone when the next one starts, and the memory in
// use must stay where it was after the first rounds.

#include "rundriver.h"
#include "testsupport.h"

#include "common/sharedstore.h"
#include "reports/controlchartswindow.h"
#include "surface/drawingsurface.h"
#include "surface/overlay.h"
#include "windows/quincunxform.h"

#include <QCheckBox>
#include <QDebug>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime's public allocator interface; GCC ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace kelvara;
using testsupport::child;
using testsupport::click;

namespace {

constexpr int warmUpRounds = 20;
constexpr int rounds = 200;
constexpr int subgroupsPerRun = 12; // more than a chart page, so paging moves
constexpr int subgroupSize = 2;
constexpr qint64 memoryMargin = 8 * 1024 * 1024;

// The memory the process holds: its resident size, from /proc/self/status.
// Under AddressSanitizer freed memory waits in a quarantine of up to 256 MiB
// before it is reused, so the resident size grows without any leak; the
// allocator's count of live bytes is what tells there.
qint64 memoryInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression vmRss(QStringLiteral("^VmRSS:\\s*(\\d+)\\s*kB"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = vmRss.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() * 1024 : -1;
#endif
}

// What a round must not leave behind, counted once the board is reset.
QList<qsizetype> liveObjects(QuincunxForm *form)
{
    ControlChartsWindow *charts = form->chartsWindow();
    return {form->findChildren<QObject *>().size(), QApplication::topLevelWidgets().size(),
            form->board().picture()->primitiveCount(), charts->xChart()->primitiveCount(),
            charts->rChart()->primitiveCount(), form->findChildren<OverlayShape *>(QStringLiteral("qball")).size(),
            form->findChildren<OverlayLine *>(QStringLiteral("traceLine")).size()};
}

QString describe(const QList<qsizetype> &counts)
{
    QString text;
    QDebug(&text) << counts;
    return text;
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

    QuincunxForm *m_form = nullptr;

    QString status() { return child<QLabel>(m_form, QStringLiteral("subgroupstatuslabel"))->text(); }

    // Every fourth round drops onto the baffle, every tenth is animated with
    // the trace on, so balls and trace segments come and go as well.
    void run(int round)
    {
        const bool animated = round % 10 == 7, baffle = round % 4 == 1;
        child<QCheckBox>(m_form, QStringLiteral("Animationcheck"))->setChecked(animated);
        child<QCheckBox>(m_form, QStringLiteral("chkTrace"))->setChecked(animated);
        child<QCheckBox>(m_form, QStringLiteral("bafflepresentcheck"))->setChecked(baffle);
        const int subgroups = animated ? 2 : subgroupsPerRun;
        // A full baffle stops the Run with a message; anything else is a fault.
        const bool quiet = rundriver::dropSubgroups(m_form, subgroups);
        QVERIFY2(quiet || baffle, qPrintable(QStringLiteral("round %1").arg(round)));
        if (quiet)
            QCOMPARE(status(), QStringLiteral("Sub Group #%1").arg(subgroups));
    }

    void viewHistograms()
    {
        QWidget *histograms = child(m_form, QStringLiteral("Histogrampanel"));
        click(m_form, QStringLiteral("histbutton"));
        QVERIFY(histograms->isVisible());
        click(m_form, QStringLiteral("histbackbutton"));
        QVERIFY(!histograms->isVisible());
    }

    // Paging itself is tst_controlcharts'; here it only has to come and go each round.
    void pageCharts()
    {
        ControlChartsWindow *charts = m_form->chartsWindow();
        click(m_form, QStringLiteral("contchrbutton"));
        for (const char *button : {"chartfastlbutton", "chartrbutton", "chartlbutton", "chartfastrbutton"})
            click(charts, QString::fromLatin1(button));
        const int subgroups = m_form->quincunxRun().state().subgroupCount;
        if (subgroups > 10) // back on the newest page
            QCOMPARE(charts->firstSubgroup(), subgroups - 10);
        click(charts, QStringLiteral("chartpanelclosebutton"));
        QVERIFY(!charts->isVisible());
    }

    // Half-widths alternate, so every change starts a new run. Every tenth
    // round goes through the scale dialog itself.
    void changeScale(int round)
    {
        const float halfWidth = round % 2 ? 20.0f : 15.0f;
        if (round % 10 != 5) {
            testsupport::scaleBoard(halfWidth, 16, 1, 31);
        } else {
            QTimer::singleShot(0, m_form, [halfWidth] {
                QWidget *dialog = QApplication::activeModalWidget();
                if (!dialog || dialog->objectName() != QStringLiteral("frmScale"))
                    return;
                child<QLineEdit>(dialog, QStringLiteral("scalehalfwidthtext"))->setText(QString::number(halfWidth));
                click(dialog, QStringLiteral("scaleapplybutton"));
                click(dialog, QStringLiteral("scalepanelclosebutton"));
            });
            click(m_form, QStringLiteral("scalequincunxbutton"));
        }
        QCOMPARE(sharedStore().state().scale.halfWidth, halfWidth);
        QCOMPARE(status(), QStringLiteral("Sub Group 0"));
    }

    void playRound(int round)
    {
        run(round);
        viewHistograms();
        pageCharts();
        changeScale(round);
        click(m_form, QStringLiteral("resetbutton"));
    }

private slots:
    void roundsLeaveNothingBehind()
    {
        m_form = testsupport::startMainWindow();
        rundriver::startRun(m_form, subgroupSize);

        for (int round = 1; round <= warmUpRounds; ++round) {
            playRound(round);
            if (QTest::currentTestFailed())
                return;
        }
        const QList<qsizetype> baseline = liveObjects(m_form);
        QCOMPARE(baseline.mid(5), (QList<qsizetype>{1, 1})); // the element arrays' templates only
        const qint64 memoryBefore = memoryInUse();
        QVERIFY(memoryBefore > 0);

        for (int round = warmUpRounds + 1; round <= rounds; ++round) {
            playRound(round);
            if (QTest::currentTestFailed())
                return;
            const QList<qsizetype> now = liveObjects(m_form);
            QVERIFY2(now == baseline, qPrintable(QStringLiteral("round %1: %2 instead of %3")
                                                     .arg(round).arg(describe(now), describe(baseline))));
        }
        const qint64 growth = memoryInUse() - memoryBefore;
        QVERIFY2(growth < memoryMargin, qPrintable(QStringLiteral("grew by %1 KiB").arg(growth / 1024)));
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
