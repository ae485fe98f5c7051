// SPDX-License-Identifier: GPL-3.0-or-later
// The shared routines: the error report's layout and its one-shot nature,
// window centring arithmetic, and timed waits that repaint while they hold
// the user's input back.

#include "testsupport.h"

#include "common/messages.h"
#include "common/waits.h"
#include "common/windowplacement.h"

#include <QCloseEvent>

using namespace kelvara;

namespace {

// Notes its paints, and in `log` the input it handles.
class Recorder : public QWidget {
public:
    Recorder(const QString &name, QStringList &log) : m_name(name), m_log(log) { resize(100, 100); }
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
    void keyPressEvent(QKeyEvent *event) override { m_log << m_name + QStringLiteral(" key ") + event->text(); }
    void mousePressEvent(QMouseEvent *) override { m_log << m_name + QStringLiteral(" click"); }
    void closeEvent(QCloseEvent *) override { m_log << m_name + QStringLiteral(" closes"); }

private:
    QString m_name;
    QStringList &m_log;
};

} // namespace

class TestUtilities : public QObject {
    Q_OBJECT
private slots:
    void errorReportHasItsLayout()
    {
        const QString text = errorReportText(QStringLiteral("Error saving data!"), 75,
                                             QStringLiteral("Not a directory"), QStringLiteral("Kelvara"));
        QCOMPARE(text, QStringLiteral("Error saving data!\r\n") + QString(30, u'_')
                           + QStringLiteral("\r\n\r\nError No. :75\r\nError Description: Not a directory\r\n"
                                            "Error Source: Kelvara"));
    }

    void reportShowsAPendingErrorOnce()
    {
        QVERIFY(testsupport::answerMessages([] { reportError(QStringLiteral("Nothing pending")); }).isEmpty());

        recordError(61, QStringLiteral("Disk full"));
        QVERIFY(errorPending());
        const auto first = testsupport::answerMessages([] { reportError(QStringLiteral("Error saving data!")); });
        QCOMPARE(first.size(), 1); // its title and icon are read in tst_export
        QVERIFY(first[0].text.contains(QStringLiteral("Error Description: Disk full")));

        QVERIFY(!errorPending());
        QVERIFY(testsupport::answerMessages([] { reportError(QStringLiteral("Again")); }).isEmpty());
    }

    // Windows repaint during a wait. Keys, clicks and the window system's close
    // request that come during it act after it, in their order; input for a
    // receiver deleted meanwhile goes nowhere.
    void waitRepaintsAndInputActsAfterItInOrder()
    {
        QStringList log;
        Recorder first(QStringLiteral("first"), log), second(QStringLiteral("second"), log);
        auto *gone = new Recorder(QStringLiteral("gone"), log);
        for (QWidget *widget : {static_cast<QWidget *>(&first), static_cast<QWidget *>(&second), static_cast<QWidget *>(gone)})
            widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        QTRY_VERIFY(first.paints > 0);
        const int before = first.paints;
        QTimer::singleShot(0, &first, [&] {
            first.update();
            QTest::keyClick(&first, Qt::Key_A);
            QTest::mouseClick(&second, Qt::LeftButton);
            QTest::keyClick(gone, Qt::Key_B);
            delete gone;
            QCloseEvent request;
            QCoreApplication::sendEvent(first.windowHandle(), &request);
            QTest::keyClick(&second, Qt::Key_C);
        });
        testing::setTimeScale(1);
        waitSeconds(0.3);
        QVERIFY(first.paints > before);
        QVERIFY2(log.isEmpty(), qPrintable(log.join(u',')));
        QTRY_COMPARE(log, (QStringList{"first key a", "second click", "first closes", "second key c"}));
        QVERIFY(!first.isVisible());
    }

    void centredHighOnTheScreen()
    {
        // 0.85 x 768 = 652.8 rounds to 653; 653 \ 2 - 300 \ 2 = 326 - 150.
        QCOMPARE(centredPosition(QSize(320, 300), QSize(1024, 768)), QPoint(352, 176));
        // An odd window on full HD: 0.85 x 1080 = 918; 918 \ 2 - 401 \ 2 = 459 - 200.
        QCOMPARE(centredPosition(QSize(401, 401), QSize(1920, 1080)), QPoint(760, 259));
    }
};

QTEST_MAIN(TestUtilities)
#include "tst_utilities.moc"
