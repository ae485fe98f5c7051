// SPDX-License-Identifier: GPL-3.0-or-later
// The shared routines: the error report's layout and its one-shot nature,
// window centring arithmetic and the test time scale of timed waits.

#include "testsupport.h"

#include "common/messages.h"
#include "common/windowplacement.h"

using namespace kelvara;

class TestUtilities : public QObject {
    Q_OBJECT
private slots:
    void errorReportHasItsLayout()
    {
        const QString text = errorReportText(QStringLiteral("Error saving data!"), 75,
                                             QStringLiteral("Not a directory"), QStringLiteral("Kelvara"));
        const QString underscores(30, u'_');
        QCOMPARE(text, QStringLiteral("Error saving data!\r\n") + underscores
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

    void centredHighOnTheScreen_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("position");
        // 0.85 x 768 = 652.8 rounds to 653; 653 \ 2 - 300 \ 2 = 326 - 150.
        QTest::newRow("1024 x 768") << QSize(320, 300) << QSize(1024, 768) << QPoint(352, 176);
        // 0.85 x 1080 = 918; 918 \ 2 - 401 \ 2 = 459 - 200.
        QTest::newRow("odd window on full HD") << QSize(401, 401) << QSize(1920, 1080) << QPoint(760, 259);
    }
    void centredHighOnTheScreen()
    {
        QFETCH(QSize, window);
        QFETCH(QSize, screen);
        QFETCH(QPoint, position);
        QCOMPARE(centredPosition(window, screen), position);
    }
};

QTEST_MAIN(TestUtilities)
#include "tst_utilities.moc"
