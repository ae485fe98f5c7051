#include "app/shared.h"
#include "core/numberformat.h"
#include "reports/controlchartswindow.h"
#include "testsupport.h"
#include "windows/quincunxform.h"
#include "windows/scaledialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace kelvara;
using testsupport::answerMessages;
using testsupport::child;
using testsupport::SeenMessage;

namespace {

const QString centerMissing = QStringLiteral("Please enter a valid value for Scale Center.");
const QString halfWidthMissing = QStringLiteral("Please enter a valid value for Scale Half-Width.");
const QString lslMissing = QStringLiteral("Please enter a valid value for Lower Specification Limit (LSL).");
const QString halfWidthNotPositive = QStringLiteral("Scale Half-Width must be a Positive Non-zero number.");
const QString lslAboveUsl = QStringLiteral("LSL cannot be greater than USL.");
const QString offBoard = QStringLiteral("Spec Limits are set outside the Quincunx Board.");

const QStringList boxNames = {QStringLiteral("scalecentretext"), QStringLiteral("scalehalfwidthtext"),
                              QStringLiteral("lsltext"), QStringLiteral("usltext")};

} // namespace

class TestScaleDialog : public QObject {
    Q_OBJECT

    QuincunxForm *m_main = nullptr;
    std::unique_ptr<ScaleDialog> m_dialog;

    void start(const QLocale &locale = QLocale(QLocale::English, QLocale::UnitedStates))
    {
        m_dialog.reset();
        QLocale::setDefault(locale);
        m_main = qobject_cast<QuincunxForm *>(testsupport::startProgram());
        QVERIFY(m_main);
    }

    // Opens the dialog as the Change Scale button does, but not modally.
    ScaleDialog *openDialog()
    {
        m_dialog = std::make_unique<ScaleDialog>(*m_main);
        m_dialog->show();
        m_dialog->activateWindow();
        QCoreApplication::processEvents();
        return m_dialog.get();
    }

    QLineEdit *box(const QString &name) { return child<QLineEdit>(m_dialog.get(), name); }
    QCheckBox *limitsCheck() { return child<QCheckBox>(m_dialog.get(), QStringLiteral("speclimitscheck")); }

    void typeEntries(const QStringList &texts)
    {
        for (int i = 0; i < boxNames.size(); ++i)
            box(boxNames[i])->setText(texts[i]);
    }

    QStringList boxTexts()
    {
        QStringList texts;
        for (const QString &name : boxNames)
            texts << box(name)->text();
        return texts;
    }

    QList<SeenMessage> clickAndAnswer(const QString &name)
    {
        return answerMessages([&] { testsupport::click(m_dialog.get(), name); });
    }

    // One press of Run drops the five subgroups the drop box starts with.
    void runFiveSubgroups() { testsupport::click(m_main, QStringLiteral("dropbutton")); }

    QString statusText() { return child<QLabel>(m_main, QStringLiteral("subgroupstatuslabel"))->text(); }
    int tableRows() { return child<QTableWidget>(m_main, QStringLiteral("grdScaled"))->rowCount(); }
    QString processCentreText() { return child<QLabel>(m_main, QStringLiteral("processcenteredatlabel"))->text(); }

    static void compareScale(float center, float halfWidth, float lsl, float usl)
    {
        const Scale &scale = shared().scale;
        QCOMPARE(scale.center, center);
        QCOMPARE(scale.halfWidth, halfWidth);
        QCOMPARE(scale.lsl, lsl);
        QCOMPARE(scale.usl, usl);
    }

private slots:
    void init() { start(); }
    void cleanup() { m_dialog.reset(); }

    void loadShowsTheSharedValues()
    {
        shared().scale = {100.0f, 3.0f, 102.5f, 97.25f, true};
        openDialog();
        QCOMPARE(m_dialog->objectName(), QStringLiteral("frmScale"));
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Scale Quincunx Board"));
        QCOMPARE(boxTexts(), (QStringList{"100", "3", "97.25", "102.5"}));
        QVERIFY(limitsCheck()->isChecked());
        QCOMPARE(limitsCheck()->text(), QStringLiteral("Show Specification Limits"));
        QCOMPARE(limitsCheck()->toolTip(), QStringLiteral("Check to display the Specification Limits on the Quincunx board."));
        const QList<QPair<QString, QString>> captions = {{"cmdDefault", "Set Default"},
                                                         {"scaleapplybutton", "Apply Scale"},
                                                         {"scalepanelclosebutton", "Close"}};
        for (const auto &[name, caption] : captions)
            QCOMPARE(child<QAbstractButton>(m_dialog.get(), name)->text(), caption);
        for (const QString &name : boxNames)
            QCOMPARE(box(name)->maxLength(), 6);
        QCOMPARE(box(QStringLiteral("scalehalfwidthtext"))->selectedText(), QStringLiteral("3"));
        // Loading a ticked box applies nothing.
        QCOMPARE(shared().scale.lsl, 97.25f);
    }

    void gotFocusSelectsTheWholeEntry()
    {
        openDialog();
        QLineEdit *lsl = box(QStringLiteral("lsltext"));
        lsl->setText(QStringLiteral("-12.5"));
        lsl->setSelection(0, 0);
        lsl->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(lsl->selectedText(), QStringLiteral("-12.5"));
        QTest::keyClicks(lsl, QStringLiteral("7"));
        QCOMPARE(lsl->text(), QStringLiteral("7"));
    }

    void checkScaleEntries_data()
    {
        QTest::addColumn<QStringList>("typed"); // centre, half-width, LSL, USL
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("message");   // empty: applied without a message
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("after"); // the boxes once the message is answered

        const auto info = int(QMessageBox::Information);
        const auto row = [](const char *name, const QStringList &typed, bool ticked, const QString &message,
                            int icon, const QStringList &after) {
            QTest::newRow(name) << typed << ticked << message << icon << after;
        };
        const QStringList empty = {"", "", "", ""};
        row("all four empty: only the centre message", empty, true, centerMissing, info, empty);
        row("percent sign is the empty half-width", {"16", "%", "1", "31"}, false, halfWidthMissing, info, {"16", "%", "1", "31"});
        row("half-width zero shows the applied one again", {"40", "0", "20", "10"}, true, halfWidthNotPositive, info,
            {"40", "15", "20", "10"});
        row("LSL above USL resets both limits", {"40", "30", "20", "10"}, true, lslAboveUsl, info, {"40", "30", "1", "31"});
        row("LSL above USL passes while hidden", {"40", "30", "20", "10"}, false, QString(), 0, {"40", "30", "20", "10"});
        row("limits on the board's ends pass", {"16", "15", "1", "31"}, true, QString(), 0, {"16", "15", "1", "31"});
        row("USL half a unit off the board", {"16", "15", "1", "31.5"}, true, offBoard, int(QMessageBox::Warning),
            {"16", "15", "1", "31.5"});
        row("LSL equal to USL passes", {"16", "15", "7.5", "7.5"}, true, QString(), 0, {"16", "15", "7.5", "7.5"});
    }
    void checkScaleEntries()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, ticked);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QStringList, after);

        openDialog();
        typeEntries(typed);
        limitsCheck()->setChecked(ticked);
        const QList<SeenMessage> seen = clickAndAnswer(QStringLiteral("scaleapplybutton"));
        QCOMPARE(boxTexts(), after);
        if (message.isEmpty()) {
            QVERIFY(seen.isEmpty());
            compareScale(typed[0].toFloat(), typed[1].toFloat(), typed[2].toFloat(), typed[3].toFloat());
        } else {
            QCOMPARE(seen.size(), 1);
            QCOMPARE(seen[0].title, QStringLiteral("Kelvara"));
            QCOMPARE(seen[0].text, message);
            QCOMPARE(int(seen[0].icon), icon);
            compareScale(16, 15, 1, 31);
        }
        // Apply never changes whether the limits are shown.
        QVERIFY(!shared().scale.showSpecLimits);
        QVERIFY(m_dialog->isVisible());
    }

    void applyRestartsTheChartBounds()
    {
        shared().bounds = {40.0f, -3.0f, 9.0f, 0.5f};
        openDialog();
        typeEntries({"100", "3", "98", "102"});
        QVERIFY(clickAndAnswer(QStringLiteral("scaleapplybutton")).isEmpty());
        const ChartBounds &bounds = shared().bounds;
        QCOMPARE(bounds.maxX, 103.0f);
        QCOMPARE(bounds.minX, 97.0f);
        QCOMPARE(bounds.maxR, 0.2f);
        QCOMPARE(bounds.minR, 0.0f);
    }

    void applyKeepsTheRunOnlyForTheSameHalfWidth_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QString>("centre"); // the process centre afterwards
        QTest::newRow("new half-width starts a new run") << QStringList{"16", "20", "1", "31"} << false << "16.00";
        QTest::newRow("same half-width keeps the data") << QStringList{"50", "15", "40", "60"} << true << "50.00";
    }
    void applyKeepsTheRunOnlyForTheSameHalfWidth()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, kept);
        QFETCH(QString, centre);
        runFiveSubgroups();
        QCOMPARE(statusText(), QStringLiteral("Sub Group #5"));
        const auto piles = m_main->run().slotCount;
        openDialog();
        typeEntries(typed);
        QVERIFY(clickAndAnswer(QStringLiteral("scaleapplybutton")).isEmpty());
        QCOMPARE(statusText(), kept ? QStringLiteral("Sub Group #5") : QStringLiteral("Sub Group 0"));
        QCOMPARE(tableRows(), kept ? 5 : 0);
        QCOMPARE(m_main->run().slotCount, kept ? piles : RunState().slotCount);
        QCOMPARE(processCentreText(), centre);
    }

    void limitsCheckAppliesTheEntries()
    {
        openDialog();
        typeEntries({"100", "3", "98", "102.5"});
        QVERIFY(clickAndAnswer(QStringLiteral("speclimitscheck")).isEmpty());
        QVERIFY(shared().scale.showSpecLimits);
        compareScale(100, 3, 98, 102.5f);
        // A new scale through the check box restarts the chart bounds as Apply does.
        QCOMPARE(shared().bounds.maxX, 103.0f);
        QCOMPARE(shared().bounds.minX, 97.0f);
        QVERIFY(child<QLabel>(m_main, QStringLiteral("usllabel"))->isVisibleTo(m_main));

        QVERIFY(clickAndAnswer(QStringLiteral("speclimitscheck")).isEmpty());
        QVERIFY(!shared().scale.showSpecLimits);
        QVERIFY(!child<QLabel>(m_main, QStringLiteral("usllabel"))->isVisibleTo(m_main));
    }

    void limitsCheckStaysAsClickedWhenTheEntriesFail()
    {
        openDialog();
        typeEntries({"16", "15", "20", "10"});
        const QList<SeenMessage> seen = clickAndAnswer(QStringLiteral("speclimitscheck"));
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, lslAboveUsl);
        QVERIFY(limitsCheck()->isChecked());
        QVERIFY(!shared().scale.showSpecLimits);
        compareScale(16, 15, 1, 31);
    }

    void setDefaultRestoresEverything()
    {
        openDialog();
        typeEntries({"100", "3", "98", "102"});
        QVERIFY(clickAndAnswer(QStringLiteral("speclimitscheck")).isEmpty());
        runFiveSubgroups();
        shared().formats = DisplayFormats::build(4);
        const QList<SeenMessage> seen = clickAndAnswer(QStringLiteral("cmdDefault"));
        QVERIFY(seen.isEmpty());
        compareScale(16, 15, 1, 31);
        QVERIFY(!shared().scale.showSpecLimits);
        QVERIFY(!limitsCheck()->isChecked());
        QCOMPARE(boxTexts(), (QStringList{"16", "15", "1", "31"}));
        QCOMPARE(shared().formats.reading, QStringLiteral("00.00"));
        QCOMPARE(shared().bounds.maxX, 31.0f);
        QCOMPARE(shared().bounds.minX, 1.0f);
        QCOMPARE(shared().bounds.maxR, 1.0f);
        QCOMPARE(processCentreText(), QStringLiteral("16.00"));
        QCOMPARE(statusText(), QStringLiteral("Sub Group 0"));
    }

    // Clearing the box with entries that fail the check leaves it clear and
    // the lines on; Set Default must still turn them off.
    void setDefaultTurnsTheLinesOffWhenTheBoxIsAlreadyClear()
    {
        openDialog();
        typeEntries({"16", "15", "1", "31"});
        QVERIFY(clickAndAnswer(QStringLiteral("speclimitscheck")).isEmpty());
        typeEntries({"", "15", "1", "31"});
        QCOMPARE(clickAndAnswer(QStringLiteral("speclimitscheck")).size(), 1);
        QVERIFY(!limitsCheck()->isChecked());
        QVERIFY(shared().scale.showSpecLimits);

        QVERIFY(clickAndAnswer(QStringLiteral("cmdDefault")).isEmpty());
        QVERIFY(!shared().scale.showSpecLimits);
        QVERIFY(!child<QLabel>(m_main, QStringLiteral("usllabel"))->isVisibleTo(m_main));
    }

    void closeSetsTheDecimalPlaces_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("reading"); // the reading format afterwards
        QTest::newRow("defaults keep two") << QStringList{"16", "15", "1", "31"} << "00.00";
        QTest::newRow("15.25 counts two") << QStringList{"16", "15", "15.25", "31"} << "00.00";
        QTest::newRow("100 counts three") << QStringList{"100", "15", "1", "31"} << "00.000";
        QTest::newRow("three decimals") << QStringList{"16", "15", "1.125", "31"} << "00.000";
        QTest::newRow("six digits") << QStringList{"16", "999999", "1", "31"} << "00.000000";
    }
    void closeSetsTheDecimalPlaces()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, reading);
        openDialog();
        typeEntries(typed);
        QVERIFY(clickAndAnswer(QStringLiteral("scalepanelclosebutton")).isEmpty());
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(shared().formats.reading, reading);
        QCOMPARE(shared().formats.mean, reading + u'#');
        QCOMPARE(shared().formats.range, reading + QStringLiteral("##"));
        // The limits are hidden, so nothing typed was applied; the process
        // centre already shows the new number of decimals.
        compareScale(16, 15, 1, 31);
        QCOMPARE(processCentreText(), formatNumber(16, reading));
    }

    void closeAppliesOnlyWhileTheLimitsAreShown()
    {
        shared().scale.showSpecLimits = true;
        openDialog();
        typeEntries({"20", "15", "6", "34"});
        QVERIFY(clickAndAnswer(QStringLiteral("scalepanelclosebutton")).isEmpty());
        compareScale(20, 15, 6, 34);
        QVERIFY(shared().scale.showSpecLimits);
    }

    void escClosesWithoutTheCloseSteps()
    {
        shared().scale.showSpecLimits = true;
        openDialog();
        typeEntries({"20", "15", "6.125", "34"});
        QLineEdit *lsl = box(QStringLiteral("lsltext"));
        lsl->setFocus();
        QTest::keyClick(lsl, Qt::Key_Escape);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QCOMPARE(shared().formats.reading, QStringLiteral("00.00"));
        compareScale(16, 15, 1, 31);
    }

    void keyFiltersRefuseWhatTheBoxCannotHold_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("centre takes digits only") << "scalecentretext" << "1a2.3-4" << "1234";
        QTest::newRow("half-width takes digits only") << "scalehalfwidthtext" << "-7.5" << "75";
        QTest::newRow("at most six characters") << "scalecentretext" << "12345678" << "123456";
        QTest::newRow("LSL takes a signed decimal") << "lsltext" << "-12.5" << "-12.5";
        QTest::newRow("one separator per box") << "lsltext" << "1.2.3" << "1.23";
        QTest::newRow("USL refuses letters and spaces") << "usltext" << "x 3e5" << "35";
        QTest::newRow("a comma is no separator here") << "usltext" << "1,5" << "15";
    }
    void keyFiltersRefuseWhatTheBoxCannotHold()
    {
        QFETCH(QString, name);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        openDialog();
        QLineEdit *entry = box(name);
        entry->clear();
        entry->setFocus();
        QTest::keyClicks(entry, keys);
        QCOMPARE(entry->text(), text);
    }

    void pastingPassesTheSameFilter()
    {
        openDialog();
        QLineEdit *centre = box(QStringLiteral("scalecentretext"));
        centre->clear();
        centre->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("4x.2"));
        QTest::keyClick(centre, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(centre->text(), QStringLiteral("42"));
        // The context menu's Paste inserts the whole text or nothing.
        centre->clear();
        centre->paste();
        QCOMPARE(centre->text(), QString());
        QGuiApplication::clipboard()->setText(QStringLiteral("-1.5"));
        QLineEdit *lsl = box(QStringLiteral("lsltext"));
        lsl->clear();
        lsl->paste();
        QCOMPARE(lsl->text(), QStringLiteral("-1.5"));
    }

    void tabMovesOnFromABox()
    {
        openDialog();
        QLineEdit *centre = box(QStringLiteral("scalecentretext"));
        centre->setFocus();
        QTest::keyClick(centre, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(QStringLiteral("scalehalfwidthtext")));
    }

    void enterPressesNoButton()
    {
        openDialog();
        typeEntries({"100", "3", "98", "102"});
        QLineEdit *usl = box(QStringLiteral("usltext"));
        usl->setFocus();
        QTest::keyClick(usl, Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(boxTexts(), (QStringList{"100", "3", "98", "102"}));
        compareScale(16, 15, 1, 31);
    }

    void commaLocale()
    {
        start(QLocale(QLocale::German, QLocale::Germany));
        shared().scale.lsl = 1.5f;
        openDialog();
        QCOMPARE(box(QStringLiteral("lsltext"))->text(), QStringLiteral("1,5"));
        QLineEdit *usl = box(QStringLiteral("usltext"));
        usl->clear();
        usl->setFocus();
        QTest::keyClicks(usl, QStringLiteral("15.5,5"));
        QCOMPARE(usl->text(), QStringLiteral("155,5"));

        typeEntries({"16", "15", "15.5", "20"});
        QList<SeenMessage> seen = clickAndAnswer(QStringLiteral("scaleapplybutton"));
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, lslMissing);

        typeEntries({"16", "15", "15,5", "20,125"});
        QVERIFY(clickAndAnswer(QStringLiteral("scaleapplybutton")).isEmpty());
        QCOMPARE(shared().scale.lsl, 15.5f);
        QCOMPARE(shared().scale.usl, 20.125f);
        QVERIFY(clickAndAnswer(QStringLiteral("scalepanelclosebutton")).isEmpty());
        QCOMPARE(shared().formats.reading, QStringLiteral("00.000"));
        QCOMPARE(processCentreText(), QStringLiteral("16,000"));
    }

    // Six-character extremes must leave a sane board: a run on that scale
    // fills the table with numbers that read back, and the process centre
    // shows the scale's centre.
    void extremeScales_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<float>("low");
        QTest::addColumn<float>("high");
        QTest::newRow("largest centre and half-width") << QStringList{"999999", "999999", "0", "999999"}
                                                       << 0.0f << 1999998.0f;
        QTest::newRow("half-width around zero") << QStringList{"0", "999999", "-99999", "0.0001"}
                                                << -999999.0f << 999999.0f;
        QTest::newRow("smallest half-width") << QStringList{"999999", "1", "999998", "999999"}
                                             << 999998.0f << 1000000.0f;
    }
    void extremeScales()
    {
        QFETCH(QStringList, typed);
        QFETCH(float, low);
        QFETCH(float, high);
        openDialog();
        typeEntries(typed);
        QVERIFY(clickAndAnswer(QStringLiteral("speclimitscheck")).isEmpty());
        QVERIFY(shared().scale.showSpecLimits);
        QCOMPARE(shared().scale.low(), low);
        QCOMPARE(shared().scale.high(), high);
        QCOMPARE(processCentreText(), formatNumber(shared().scale.center, QStringLiteral("00.00")));
        runFiveSubgroups();
        auto *table = child<QTableWidget>(m_main, QStringLiteral("grdScaled"));
        QCOMPARE(table->rowCount(), 5);
        // The readings and their average; the range is a distance, not a value.
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 1; column < table->columnCount() - 1; ++column) {
                bool ok = false;
                const QString text = table->item(row, column)->text();
                const double value = readNumber(text, &ok);
                QVERIFY2(ok && value >= low - 1 && value <= high + 1, qPrintable(text));
            }
        }
    }

    void changeScaleOpensTheDialogModally()
    {
        QWidget *charts = m_main->chartsWindow();
        charts->show();
        QString title;
        bool wasModal = false;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            title = dialog->objectName() + u' ' + dialog->windowTitle();
            wasModal = dialog->isModal();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        testsupport::click(m_main, QStringLiteral("scalequincunxbutton"));
        QCOMPARE(title, QStringLiteral("frmScale Scale Quincunx Board"));
        QVERIFY(wasModal);
        QVERIFY(!charts->isVisible());
        QVERIFY(!testsupport::topLevel(QStringLiteral("frmScale")));
    }
};

QTEST_MAIN(TestScaleDialog)
#include "tst_scaledialog.moc"
