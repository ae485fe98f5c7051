// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/shared.h"
#include "core/numberformat.h"
#include "testsupport.h"
#include "windows/quincunxform.h"
#include "windows/scaledialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <memory>

using namespace kelvara;
using testsupport::child;

static const QStringList boxNames = {"scalecentretext", "scalehalfwidthtext", "lsltext", "usltext"};
static const QStringList defaults = {"16", "15", "1", "31"};

class TestScaleDialog : public QObject {
    Q_OBJECT

    QuincunxForm *m_main = nullptr;
    std::unique_ptr<ScaleDialog> m_dialog;

    void start(const QLocale &locale = QLocale(QLocale::English, QLocale::UnitedStates))
    {
        m_dialog.reset();
        QLocale::setDefault(locale);
        QVERIFY((m_main = qobject_cast<QuincunxForm *>(testsupport::startProgram())));
    }

    // Opens the dialog as Change Scale does, but not modally, and fills the first boxes with `typed`.
    void openDialog(const QStringList &typed = {})
    {
        m_dialog = std::make_unique<ScaleDialog>(*m_main);
        m_dialog->show();
        m_dialog->activateWindow();
        QCoreApplication::processEvents();
        typeEntries(typed);
    }

    QLineEdit *box(int index) { return child<QLineEdit>(m_dialog.get(), boxNames[index]); }
    QCheckBox *limitsCheck() { return child<QCheckBox>(m_dialog.get(), QStringLiteral("speclimitscheck")); }
    void typeEntries(const QStringList &texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            box(i)->setText(texts[i]);
    }
    QStringList boxTexts() { return {box(0)->text(), box(1)->text(), box(2)->text(), box(3)->text()}; }
    // What pressing `name` made the program say: "title, icon: text" per message.
    QStringList said(const QString &name)
    {
        QStringList texts;
        for (const auto &seen : testsupport::answerMessages([&] { testsupport::click(m_dialog.get(), name); }))
            texts << QStringLiteral("%1, %2: %3").arg(seen.title).arg(int(seen.icon)).arg(seen.text);
        return texts;
    }
    static QStringList info(const char *text) { return {QStringLiteral("Kelvara, 1: ") + QString::fromLatin1(text)}; }
    QString labelText(const char *name) { return child<QLabel>(m_main, QString::fromLatin1(name))->text(); }
    bool limitLinesShown() { return child<QLabel>(m_main, QStringLiteral("usllabel"))->isVisibleTo(m_main); }
    static QList<float> scaleNow() { return {shared().scale.center, shared().scale.halfWidth, shared().scale.lsl, shared().scale.usl}; }
    static QList<float> read(const QStringList &t) { return {readSingle(t[0]), readSingle(t[1]), readSingle(t[2]), readSingle(t[3])}; }

private slots:
    void init() { start(); }
    void cleanup() { m_dialog.reset(); }

    // A few representative rows; tst_scaleentries holds the complete table.
    void applyChecksTheEntries_data()
    {
        QTest::addColumn<QStringList>("typed"); // centre, half-width, LSL, USL
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QStringList>("message"); // empty: applied without a message
        QTest::addColumn<QStringList>("after"); // the boxes once the message is answered
        const QStringList empty = {"", "", "", ""}, lslAbove = {"40", "30", "20", "10"}, offBoard = {"16", "15", "1", "31.5"};
        QTest::newRow("all empty: only the centre message") << empty << true << info("Please enter a valid value for Scale Center.") << empty;
        QTest::newRow("half-width zero shows the applied one again") << QStringList{"40", "0", "20", "10"} << true
            << info("Scale Half-Width must be a Positive Non-zero number.") << QStringList{"40", "15", "20", "10"};
        QTest::newRow("LSL above USL resets both limits") << lslAbove << true << info("LSL cannot be greater than USL.")
                                                          << QStringList{"40", "30", "1", "31"};
        QTest::newRow("LSL above USL passes while hidden") << lslAbove << false << QStringList() << lslAbove;
        QTest::newRow("USL off the board is a warning") << offBoard << true
            << QStringList{"Kelvara, 2: Spec Limits are set outside the Quincunx Board."} << offBoard;
    }
    void applyChecksTheEntries()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, ticked);
        QFETCH(QStringList, message);
        openDialog(typed);
        limitsCheck()->setChecked(ticked);
        QCOMPARE(said(QStringLiteral("scaleapplybutton")), message);
        QTEST(boxTexts(), "after");
        QCOMPARE(scaleNow(), read(message.isEmpty() ? typed : defaults));
        QVERIFY(!shared().scale.showSpecLimits); // Apply never changes whether the limits are shown
    }

    void applyKeepsTheRunOnlyForTheSameHalfWidth()
    {
        for (const bool kept : {false, true}) {
            start();
            testsupport::click(m_main, QStringLiteral("dropbutton")); // five subgroups
            const QStringList typed = kept ? QStringList{"50", "15", "40", "60"} : QStringList{"16", "20", "1", "31"};
            openDialog(typed);
            QVERIFY(said(QStringLiteral("scaleapplybutton")).isEmpty());
            QCOMPARE(labelText("subgroupstatuslabel"), kept ? QStringLiteral("Sub Group #5") : QStringLiteral("Sub Group 0"));
            QCOMPARE(child<QTableWidget>(m_main, QStringLiteral("grdScaled"))->rowCount(), kept ? 5 : 0);
            QCOMPARE(labelText("processcenteredatlabel"), typed[0] + QStringLiteral(".00"));
        }
    }

    void limitsCheckAppliesAndStaysAsClickedOnFailure()
    {
        openDialog({"16", "15", "20", "10"});
        QCOMPARE(said(QStringLiteral("speclimitscheck")), info("LSL cannot be greater than USL."));
        QVERIFY(limitsCheck()->isChecked());
        QVERIFY(!shared().scale.showSpecLimits);
        QCOMPARE(scaleNow(), read(defaults));
        limitsCheck()->setChecked(false);
        typeEntries({"100", "3", "98", "102.5"});
        QVERIFY(said(QStringLiteral("speclimitscheck")).isEmpty());
        QCOMPARE(scaleNow(), read({"100", "3", "98", "102.5"}));
        QVERIFY(shared().scale.showSpecLimits && limitLinesShown());
    }

    // Clearing the box with entries that fail the check leaves it clear and the
    // lines on; Set Default must still turn them off and restore everything else.
    void setDefaultTurnsTheLinesOffWhenTheBoxIsAlreadyClear()
    {
        openDialog({"100", "3", "98", "102"});
        QVERIFY(said(QStringLiteral("speclimitscheck")).isEmpty());
        testsupport::click(m_main, QStringLiteral("dropbutton"));
        shared().formats = DisplayFormats::build(4);
        typeEntries({""});
        QCOMPARE(said(QStringLiteral("speclimitscheck")).size(), 1);
        QVERIFY(!limitsCheck()->isChecked() && shared().scale.showSpecLimits);
        QVERIFY(said(QStringLiteral("cmdDefault")).isEmpty());
        QCOMPARE(scaleNow(), read(defaults));
        QVERIFY(!shared().scale.showSpecLimits && !limitLinesShown() && !limitsCheck()->isChecked());
        QCOMPARE(boxTexts(), defaults);
        QCOMPARE(labelText("processcenteredatlabel"), QStringLiteral("16.00")); // two decimals again
        QCOMPARE(labelText("subgroupstatuslabel"), QStringLiteral("Sub Group 0"));
    }

    // Close sets the decimals from the boxes and applies them only while the
    // limits are shown; Esc does neither.
    void closeSetsTheDecimalsAndAppliesOnlyWhileShown_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("esc");
        QTest::addColumn<QString>("reading"); // the reading format afterwards
        QTest::newRow("100 counts three") << QStringList{"100", "15", "1", "31"} << false << false << "00.000";
        QTest::newRow("1.125 counts three") << QStringList{"16", "15", "1.125", "31"} << false << false << "00.000";
        QTest::newRow("shown limits are applied, two at least") << QStringList{"20", "15", "6", "34"} << true << false << "00.00";
        QTest::newRow("Esc applies nothing") << QStringList{"20", "15", "6.125", "34"} << true << true << "00.00";
    }
    void closeSetsTheDecimalsAndAppliesOnlyWhileShown()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, shown);
        QFETCH(bool, esc);
        QFETCH(QString, reading);
        shared().scale.showSpecLimits = shown;
        openDialog(typed);
        box(2)->setFocus();
        if (esc)
            QTest::keyClick(box(2), Qt::Key_Escape);
        else
            QVERIFY(said(QStringLiteral("scalepanelclosebutton")).isEmpty());
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(shared().formats.reading, reading);
        const QStringList applied = shown && !esc ? typed : defaults;
        QCOMPARE(scaleNow(), read(applied));
        QCOMPARE(labelText("processcenteredatlabel"), formatNumber(readSingle(applied[0]), reading));
    }

    void keyFiltersRefuseWhatTheBoxCannotHold_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("input"); // 0 keys, 1 Ctrl+V, 2 the context menu's Paste
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("text");
        QTest::newRow("centre takes digits only") << 0 << 0 << "1a2.3-4" << "1234";
        QTest::newRow("LSL takes a signed decimal, six at most") << 2 << 0 << "-12.5678" << "-12.56";
        QTest::newRow("one separator, no letters or commas") << 3 << 0 << "x1.2,.3e" << "1.23";
        QTest::newRow("Ctrl+V goes key by key") << 0 << 1 << "4x.2" << "42";
        QTest::newRow("menu paste refuses a bad text whole") << 0 << 2 << "4x.2" << "";
        QTest::newRow("menu paste takes a good text whole") << 2 << 2 << "-1.5" << "-1.5";
    }
    void keyFiltersRefuseWhatTheBoxCannotHold()
    {
        QFETCH(int, index);
        QFETCH(int, input);
        QFETCH(QString, entry);
        openDialog();
        box(index)->setFocus();
        box(index)->clear();
        QGuiApplication::clipboard()->setText(entry);
        input == 2 ? box(index)->paste()
                   : input == 1 ? QTest::keyClick(box(index), Qt::Key_V, Qt::ControlModifier) : QTest::keyClicks(box(index), entry);
        QTEST(box(index)->text(), "text");
    }

    void commaLocale()
    {
        start(QLocale(QLocale::German, QLocale::Germany));
        shared().scale.lsl = 1.5f;
        openDialog();
        QCOMPARE(box(2)->text(), QStringLiteral("1,5"));
        box(3)->clear();
        QTest::keyClicks(box(3), QStringLiteral("15.5,5"));
        QCOMPARE(box(3)->text(), QStringLiteral("155,5"));
        typeEntries({"16", "15", "15.5", "20"});
        QCOMPARE(said(QStringLiteral("scaleapplybutton")), info("Please enter a valid value for Lower Specification Limit (LSL)."));
        typeEntries({"16", "15", "15,5", "20,125"});
        QVERIFY(said(QStringLiteral("scaleapplybutton")).isEmpty());
        QCOMPARE(shared().scale.usl, 20.125f);
        QVERIFY(said(QStringLiteral("scalepanelclosebutton")).isEmpty());
        QCOMPARE(labelText("processcenteredatlabel"), QStringLiteral("16,000"));
    }

    // Six-character extremes leave a sane board: a run fills the table with
    // numbers that read back inside the scale.
    void sixCharacterExtremesDoNotCrash()
    {
        for (const QStringList &typed : {QStringList{"999999", "999999", "0", "999999"}, QStringList{"0", "999999", "-99999", "0.0001"},
                                         QStringList{"999999", "1", "999998", "999999"}}) {
            start();
            openDialog(typed);
            QVERIFY(said(QStringLiteral("speclimitscheck")).isEmpty());
            const double low = readNumber(typed[0]) - readNumber(typed[1]), high = readNumber(typed[0]) + readNumber(typed[1]);
            testsupport::click(m_main, QStringLiteral("dropbutton"));
            const auto *table = child<QTableWidget>(m_main, QStringLiteral("grdScaled"));
            QCOMPARE(table->rowCount(), 5);
            for (int column = 1; column < table->columnCount() - 1; ++column) { // the readings and their average
                bool ok = false;
                const double value = readNumber(table->item(4, column)->text(), &ok);
                QVERIFY2(ok && value >= low - 1 && value <= high + 1, qPrintable(table->item(4, column)->text()));
            }
        }
    }
};

QTEST_MAIN(TestScaleDialog)
#include "tst_scaledialog.moc"
