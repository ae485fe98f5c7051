// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the screen check (in a child process per screen size, since the
// screen is fixed for the life of a process) and the state every start
// begins from.

#include "testsupport.h"

#include "common/shared.h"
#include "core/numberformat.h"
#include "windows/quincunxform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const char *probeVariable = "KELVARA_STARTUP_PROBE";

// In the child: start the program, report what start-up returned and what the
// message box said.
int runProbe(int argc, char *argv[])
{
    QApplication app(argc, argv);
    bool started = false;
    const auto messages = testsupport::answerMessages([&] { started = kelvara::startUp(); });
    std::printf("started=%d\n", started ? 1 : 0);
    for (const auto &message : messages)
        std::printf("message=%s|%s|%d\n", qPrintable(message.title), qPrintable(message.text), int(message.icon));
    return 0;
}

struct StartState {
    QString rows, subgroupSize, limits, dropCount, status, centreLabel;
    bool animation, trace, baffle;
    int speed, subgroupCount;
    float funnel, center, halfWidth, chartMaxX, chartMinX, chartMaxR;
    QString reading;
    double stepDelay;

    bool operator==(const StartState &) const = default;
};

StartState capture(QWidget *window)
{
    using testsupport::child;
    auto *form = static_cast<kelvara::QuincunxForm *>(window);
    const kelvara::SharedState &state = kelvara::shared();
    return {child<QLineEdit>(window, "rowstext")->text(),
            child<QLineEdit>(window, "subgrouptext")->text(),
            child<QLineEdit>(window, "climitstext")->text(),
            child<QLineEdit>(window, "howmanytext")->text(),
            child<QLabel>(window, "subgroupstatuslabel")->text(),
            child<QLabel>(window, "processcenteredatlabel")->text(),
            child<QCheckBox>(window, "Animationcheck")->isChecked(),
            child<QCheckBox>(window, "chkTrace")->isChecked(),
            child<QCheckBox>(window, "bafflepresentcheck")->isChecked(),
            child<QScrollBar>(window, "HScroll1")->value(),
            state.subgroupCount,
            form->run().funnelPosition,
            state.scale.center,
            state.scale.halfWidth,
            state.bounds.maxX,
            state.bounds.minX,
            state.bounds.maxR,
            state.formats.reading,
            form->run().stepDelay};
}

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT
private slots:
    void screenCheck_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("starts");
        QTest::newRow("one pixel too low") << 1024 << 767 << false;
        QTest::newRow("768 high passes whatever the width") << 800 << 768 << true;
        QTest::newRow("large screen") << 1920 << 1080 << true;
    }
    void screenCheck()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, starts);
        QTemporaryDir folder;
        const QString config = folder.filePath(QStringLiteral("screen.json"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral(R"({"screens":[{"name":"probe","x":0,"y":0,"width":%1,"height":%2,"logicalDpi":96,"dpr":1}]})")
                       .arg(width).arg(height).toUtf8());
        file.close();

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(probeVariable), QStringLiteral("1"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());

        QVERIFY2(output.contains(starts ? "started=1" : "started=0"), qPrintable(output));
        const QString refusal = QStringLiteral("message=Kelvara|To run this Kelvara, you need a screen resolution of at least 1024x768.|%1")
                                    .arg(int(QMessageBox::Information));
        QCOMPARE(output.contains(refusal), !starts);
        QCOMPARE(output.count(QStringLiteral("message=")), starts ? 0 : 1);
    }

    void startShowsTheDefaults()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QWidget *window = testsupport::startProgram();
        QVERIFY(window && window->isVisible());
        const StartState state = capture(window);
        const StartState expected{"20", "5", "20", "5", "Sub Group 0", "16.00", false, false, false, 3, 0,
                                  16.0f, 16.0f, 15.0f, 31.0f, 1.0f, 1.0f, "00.00", 0.04};
        QCOMPARE(state, expected);
        QWidget *charts = testsupport::topLevel(QStringLiteral("frmCtrlChrt"));
        QVERIFY(charts && !charts->isVisible());
        QCOMPARE(charts->windowTitle(), QStringLiteral("Control Charts"));
        QCOMPARE(QApplication::focusWidget(), testsupport::child<QWidget>(window, "dropbutton"));
    }

    void secondStartBeginsFromTheSameState()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QWidget *first = testsupport::startProgram();
        const StartState fresh = capture(first);
        testsupport::click(first, QStringLiteral("dropbutton"));
        kelvara::shared().scale.center = 40;
        QVERIFY(!(capture(first) == fresh));

        QWidget *second = testsupport::startProgram();
        QCOMPARE(capture(second), fresh);
        QCOMPARE(QApplication::topLevelWidgets().count(testsupport::topLevel(QStringLiteral("quincunxform"))), 1);
    }

    void decimalSeparatorComesFromTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QWidget *window = testsupport::startProgram();
        QCOMPARE(kelvara::shared().decimalSeparator, QStringLiteral(","));
        QCOMPARE(testsupport::child<QLabel>(window, "processcenteredatlabel")->text(), QStringLiteral("16,00"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(probeVariable))
        return runProbe(argc, argv);
    QApplication app(argc, argv);
    TestStartUp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
