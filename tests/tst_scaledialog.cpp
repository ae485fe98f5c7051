// SPDX-License-Identifier: GPL-3.0-or-later
// The scale dialog's effects on the board and the run. What each entry is
// allowed, which message it gets and what Close and Esc keep is checked by
// tst_scaleentries, tst_keyfilters and, through this dialog, by tst_fuzz.
#include "common/sharedstore.h"
#include "core/numberformat.h"
#include "testsupport.h"
#include "windows/scaledialog.h"

#include <QCheckBox>
#include <QLabel>
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

    // Opens the dialog as Change Scale does, but not modally, and fills the first boxes with `typed`.
    void openDialog(const QStringList &typed = {})
    {
        m_dialog = std::make_unique<ScaleDialog>(m_main);
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
    QString labelText(const char *name) { return child<QLabel>(m_main, QString::fromLatin1(name))->text(); }
    bool limitLinesShown() { return child<QLabel>(m_main, QStringLiteral("usllabel"))->isVisibleTo(m_main); }
    static const Scale &scale() { return sharedStore().state().scale; }
    static QList<float> scaleNow() { return {scale().center, scale().halfWidth, scale().lsl, scale().usl}; }
    static QList<float> read(const QStringList &t) { return {readSingle(t[0]), readSingle(t[1]), readSingle(t[2]), readSingle(t[3])}; }

private slots:
    void init() { m_dialog.reset(); QVERIFY((m_main = testsupport::startMainWindow())); }
    void cleanup() { m_dialog.reset(); }

    void applyKeepsTheRunOnlyForTheSameHalfWidth()
    {
        for (const bool kept : {false, true}) {
            init();
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
        QCOMPARE(said(QStringLiteral("speclimitscheck")), QStringList{"Kelvara, 1: LSL cannot be greater than USL."});
        QVERIFY(limitsCheck()->isChecked());
        QVERIFY(!scale().showSpecLimits);
        QCOMPARE(scaleNow(), read(defaults));
        limitsCheck()->setChecked(false);
        typeEntries({"100", "3", "98", "102.5"});
        QVERIFY(said(QStringLiteral("speclimitscheck")).isEmpty());
        QCOMPARE(scaleNow(), read({"100", "3", "98", "102.5"}));
        QVERIFY(scale().showSpecLimits && limitLinesShown());
    }

    // Clearing the box with entries that fail the check leaves it clear and the
    // lines on; Set Default must still turn them off and restore everything else.
    void setDefaultTurnsTheLinesOffWhenTheBoxIsAlreadyClear()
    {
        openDialog({"100", "3", "98", "102"});
        QVERIFY(said(QStringLiteral("speclimitscheck")).isEmpty());
        testsupport::click(m_main, QStringLiteral("dropbutton"));
        sharedStore().setDecimals(4);
        typeEntries({""});
        QCOMPARE(said(QStringLiteral("speclimitscheck")).size(), 1);
        QVERIFY(!limitsCheck()->isChecked() && scale().showSpecLimits);
        QVERIFY(said(QStringLiteral("cmdDefault")).isEmpty());
        QCOMPARE(scaleNow(), read(defaults));
        QVERIFY(!scale().showSpecLimits && !limitLinesShown() && !limitsCheck()->isChecked());
        QCOMPARE(boxTexts(), defaults);
        QCOMPARE(labelText("processcenteredatlabel"), QStringLiteral("16.00")); // two decimals again
        QCOMPARE(labelText("subgroupstatuslabel"), QStringLiteral("Sub Group 0"));
    }

    // Six-character extremes leave a sane board: a run fills the table with
    // numbers that read back inside the scale.
    void sixCharacterExtremesDoNotCrash()
    {
        for (const QStringList &typed : {QStringList{"999999", "999999", "0", "999999"}, QStringList{"0", "999999", "-99999", "0.0001"},
                                         QStringList{"999999", "1", "999998", "999999"}}) {
            init();
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
