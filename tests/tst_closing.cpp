// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the main window while busy, in a child process that runs the program
// as main() does: it must end by itself with exit code 0, every window gone,
// and nothing from the sanitizers on stderr.

#include "testsupport.h"

#include "windows/runlengthwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QProcess>
#include <QScrollBar>
#include <QSpinBox>

#include <cstdio>

namespace {

const char *probeVariable = "KELVARA_CLOSING_PROBE";

// Real waits, shortened: a step of the slowest animation takes 16 ms.
constexpr double probeTimeScale = 0.05;

// In the child: start the program, set off the action from the event loop,
// close the main window once it is busy, and report what happened.
int runProbe(int argc, char *argv[], const QByteArray &mode)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    kelvara::testing::seedRandom(1234);
    kelvara::testing::setTimeScale(probeTimeScale);
    // Read before the start-up's own handler deletes the main window.
    int subgroups = -1;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&subgroups] {
        if (auto *form = qobject_cast<kelvara::QuincunxForm *>(testsupport::topLevel(QStringLiteral("quincunxform"))))
            subgroups = form->quincunxRun().state().subgroupCount;
    });
    if (!kelvara::startUp())
        return 1;
    auto *form = static_cast<kelvara::QuincunxForm *>(testsupport::topLevel(QStringLiteral("quincunxform")));
    testsupport::child<QCheckBox>(form, QStringLiteral("Animationcheck"))->setChecked(true);
    testsupport::child<QScrollBar>(form, QStringLiteral("HScroll1"))->setValue(5);

    QTimer watcher;
    bool closedBusy = false;
    QTimer::singleShot(0, form, [&] {
        if (mode == "lab") {
            form->openRunLengthLab();
            QWidget *lab = testsupport::topLevel(QStringLiteral("frmRunLength"));
            testsupport::child<QSpinBox>(lab, QStringLiteral("runsBox"))->setValue(100000);
            testsupport::click(lab, QStringLiteral("startButton"));
        } else {
            const bool run = mode == "run" || mode == "title bar";
            testsupport::click(form, run ? QStringLiteral("dropbutton") : QStringLiteral("selfscriptbutton"));
        }
        if (!closedBusy) // it ended before the moment came: the report says so
            form->close();
    });
    // Runs inside the Run's or the caption's own event processing.
    QObject::connect(&watcher, &QTimer::timeout, form, [&] {
        const bool captionShown = testsupport::child(form, QStringLiteral("teachpanel"))->isVisible();
        const auto *lab = qobject_cast<kelvara::RunLengthWindow *>(testsupport::topLevel(QStringLiteral("frmRunLength")));
        const bool busy = mode == "caption" ? captionShown && !form->quincunxRun().state().isRunning
                          : mode == "lab"   ? lab && lab->running()
                                            : form->quincunxRun().state().isRunning;
        if (busy) {
            closedBusy = true;
            watcher.stop();
            if (mode == "title bar") { // as the window system asks, mostly while a row of the ball waits
                QCloseEvent request;
                QCoreApplication::sendEvent(form->windowHandle(), &request);
            } else {
                form->close();
            }
        } else if (mode == "demo run" && captionShown) {
            QTest::keyClick(form, Qt::Key_Space); // on to the next step
        }
    });
    watcher.start(10);

    const int code = app.exec();
    std::printf("closed busy=%d exec=%d windows left=%d subgroups=%d\n", closedBusy ? 1 : 0, code,
                int(QApplication::topLevelWidgets().size()), subgroups);
    return code;
}

} // namespace

class TestClosing : public QObject {
    Q_OBJECT
private slots:
    void closingWhileBusyEndsCleanly_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::newRow("during an animated Run") << QByteArray("run");
        QTest::newRow("from the title bar during an animated Run") << QByteArray("title bar");
        QTest::newRow("at a demonstration caption") << QByteArray("caption");
        QTest::newRow("during a Run of the demonstration") << QByteArray("demo run");
        QTest::newRow("during the runs of the run-length lab") << QByteArray("lab");
    }
    void closingWhileBusyEndsCleanly()
    {
        QFETCH(QByteArray, mode);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(probeVariable), QString::fromLatin1(mode));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(120000));
        const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
        const QString errors = QString::fromLocal8Bit(child.readAllStandardError());

        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QVERIFY2(child.exitCode() == 0, qPrintable(errors));
        // Closed at the first ball: no subgroup may be completed after that.
        QVERIFY2(output.contains(QStringLiteral("closed busy=1 exec=0 windows left=0 subgroups=0")), qPrintable(output));
        for (const char *report : {"Sanitizer", "runtime error"})
            QVERIFY2(!errors.contains(QLatin1String(report)), qPrintable(errors));
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(probeVariable))
        return runProbe(argc, argv, qgetenv(probeVariable));
    QApplication app(argc, argv);
    TestClosing test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_closing.moc"
