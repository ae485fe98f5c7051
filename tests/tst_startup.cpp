// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the screen check (in a child process per screen size, since the
// screen is fixed for the life of a process) and the state every start
// begins from.

#include "testsupport.h"

#include "common/sharedstore.h"
#include "reports/controlchartswindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>

#include <cstdio>

namespace {

const char *probeVariable = "KELVARA_STARTUP_PROBE";

// In the child: start the program, report what start-up returned and what the
// message box said.
int runProbe(int argc, char *argv[], const QString &screen)
{
    if (!testsupport::useOffscreenScreen(screen.section(u'x', 0, 0).toInt(), screen.section(u'x', 1).toInt()))
        return 1;
    QApplication app(argc, argv);
    bool started = false;
    const auto messages = testsupport::answerMessages([&] { started = kelvara::startUp(); });
    std::printf("started=%d\n", started ? 1 : 0);
    for (const auto &message : messages)
        std::printf("message=%s|%s|%d\n", qPrintable(message.title), qPrintable(message.text), int(message.icon));
    return 0;
}

// What a start shows: the settings' texts and boxes, and the numbers behind them.
QStringList capture(QWidget *window)
{
    using testsupport::child;
    QStringList state;
    for (const char *name : {"rowstext", "subgrouptext", "climitstext", "howmanytext"})
        state << child<QLineEdit>(window, name)->text();
    for (const char *name : {"subgroupstatuslabel", "processcenteredatlabel"})
        state << child<QLabel>(window, name)->text();
    for (const char *name : {"Animationcheck", "chkTrace", "bafflepresentcheck"})
        state << QString::number(child<QCheckBox>(window, name)->isChecked());
    const kelvara::SharedState &shared = kelvara::sharedStore().state();
    auto *form = static_cast<kelvara::QuincunxForm *>(window);
    const kelvara::RunState &run = form->quincunxRun().state();
    const kelvara::ChartBounds &bounds = form->chartsWindow()->bounds();
    for (const double number : {double(child<QScrollBar>(window, "HScroll1")->value()), double(run.subgroupCount),
                                double(run.funnelPosition), double(shared.scale.center), double(shared.scale.halfWidth),
                                double(bounds.maxX), double(bounds.minX), double(bounds.maxR),
                                run.stepDelay})
        state << QString::number(number, 'g', 9); // exact for the 32-bit values
    return state << shared.formats.reading;
}

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void screenCheck_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("starts");
        QTest::newRow("one pixel too low") << "1024x767" << false;
        QTest::newRow("768 high passes whatever the width") << "800x768" << true;
        QTest::newRow("large screen") << "1920x1080" << true;
    }
    void screenCheck()
    {
        QFETCH(QString, screen);
        QFETCH(bool, starts);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(probeVariable), screen);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
        const QString refusal = QStringLiteral("started=0\nmessage=Kelvara|To run this Kelvara, you need a screen "
                                               "resolution of at least 1024x768.|%1\n").arg(int(QMessageBox::Information));
        QCOMPARE(output, starts ? QStringLiteral("started=1\n") : refusal);
    }

    // A second start begins from the same state, whatever the first one changed.
    void everyStartShowsTheDefaults()
    {
        QWidget *first = testsupport::startMainWindow();
        QVERIFY(first && first->isVisible());
        const QStringList expected{"20", "5", "20", "5", "Sub Group 0", "16.00", "0", "0", "0", "3", "0",
                                   "16", "16", "15", "31", "1", "1", "0.04", "00.00"};
        QCOMPARE(capture(first), expected);
        QWidget *charts = testsupport::topLevel(QStringLiteral("frmCtrlChrt"));
        QVERIFY(charts && !charts->isVisible());
        QCOMPARE(charts->windowTitle(), QStringLiteral("Control Charts"));
        QCOMPARE(QApplication::focusWidget(), testsupport::child<QWidget>(first, "dropbutton"));

        testsupport::click(first, QStringLiteral("dropbutton"));
        testsupport::scaleBoard(15, 40, 1, 31);
        QVERIFY(capture(first) != expected);
        QWidget *second = testsupport::startMainWindow();
        QCOMPARE(capture(second), expected);
        QCOMPARE(QApplication::topLevelWidgets().count(testsupport::topLevel(QStringLiteral("quincunxform"))), 1);
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(probeVariable))
        return runProbe(argc, argv, qEnvironmentVariable(probeVariable));
    QApplication app(argc, argv);
    TestStartUp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
