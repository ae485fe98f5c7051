// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include "common/waits.h"
#include "core/dropcycle.h"
#include "reports/controlchartswindow.h"
#include "surface/overlay.h"
#include "windows/captionpictures.h"
#include "windows/quincunxform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <numeric>
#include <optional>
#include <tuple>

using namespace kelvara;
using testsupport::child;

namespace {

// None: the test gave its own input at the caption.
enum class Answer { Key, Escape, Click, Close, None };

// Plays the demonstration through, answering each caption picture as it
// appears and calling `betweenCaptions` whenever events run with no caption
// shown; returns the captions seen, in order. The Runs may only say that the
// board or the baffle is full; a question before the start is answered with
// `questionAnswer` (Esc when none) and noted in `questions`.
QList<int> play(QWidget *main, const std::function<Answer(int caption)> &onCaption,
                const std::function<void()> &betweenCaptions = {},
                QMessageBox::StandardButton questionAnswer = QMessageBox::NoButton,
                QList<testsupport::SeenMessage> *questions = nullptr)
{
    auto *panel = child<QLabel>(main, "teachpanel");
    QList<QImage> pictures;
    for (int index = 1; index <= captionCount; ++index)
        pictures << captionPicture(index);
    QList<int> seen;
    int last = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!panel->isVisible()) {
            last = 0;
            if (betweenCaptions)
                betweenCaptions();
            return;
        }
        const int index = int(pictures.indexOf(panel->pixmap().toImage())) + 1;
        if (index == 0 || index == last)
            return;
        seen.append(last = index);
        switch (onCaption(index)) {
        case Answer::Key: QTest::keyClick(main, Qt::Key_Space); break;
        case Answer::Escape: QTest::keyClick(panel, Qt::Key_Escape); break;
        case Answer::Click: QTest::mouseClick(panel, Qt::LeftButton); break;
        case Answer::Close: main->close(); break;
        case Answer::None: break;
        }
    });
    poll.start(0);
    for (const auto &message :
         testsupport::answerMessages([main] { testsupport::click(main, "selfscriptbutton"); }, questionAnswer)) {
        if (questions && message.icon == QMessageBox::Question)
            questions->append(message);
        else if (message.text != DropCycle::boardFullMessage && message.text != DropCycle::baffleFullMessage)
            QTest::qFail(qPrintable(message.text), __FILE__, __LINE__);
    }
    return seen;
}

QList<int> captionsUpTo(int last)
{
    QList<int> captions(last);
    std::iota(captions.begin(), captions.end(), 1);
    return captions;
}

} // namespace

class TestDemonstration : public QObject {
    Q_OBJECT
private slots:
    // The comma locale is covered by running the whole suite under a German LC_ALL.
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_main = qobject_cast<QuincunxForm *>(testsupport::startProgram());
        QVERIFY(m_main);
    }

    void captionPicturesAreDistinctCards()
    {
        // Blue, yellow, pale yellow, cyan, green, pale yellow.
        const QList<QRgb> backgrounds = {0x0000ff, 0xffff00, 0xffffc0, 0xffffc0, 0x00ffff, 0x00ffff, 0x00ffff,
                                         0x00ffff, 0x00ffff, 0x00ff00, 0x00ff00, 0xffffc0, 0xffffc0};
        QList<QImage> pictures;
        for (int i = 1; i <= captionCount; ++i) {
            const QImage picture = captionPicture(i);
            QCOMPARE(picture.size(), QSize(300, 200));
            QCOMPARE(picture.pixelColor(5, 195), QColor(Qt::white)); // the foot strip
            QCOMPARE(picture.pixelColor(295, 5), QColor(backgrounds[i - 1]));
            QVERIFY2(!pictures.contains(picture), qPrintable(QStringLiteral("caption %1 repeats one").arg(i)));
            pictures << picture;
            // A projector's zoom doubles the card: its smallest letters must then reach 20 pixels.
            QVERIFY(captionSmallestTextPixels(i) * 2 >= 20);
        }
        QVERIFY(captionPicture(0).isNull());
        QVERIFY(captionPicture(captionCount + 1).isNull());
    }

    // Also tries to start it again at every caption, as a second click would.
    void playsToTheEndAndCannotStartTwice()
    {
        bool startable = false;
        const QList<int> seen = play(m_main, [&](int) {
            startable = startable || child(m_main, "selfscriptbutton")->isEnabled();
            m_main->selfscriptbutton_Click();
            return Answer::Key;
        });
        QCOMPARE(seen, captionsUpTo(captionCount));
        QVERIFY(!startable);
        QCOMPARE(texts({"howmanytext", "subgrouptext", "climitstext", "rowstext", "subgroupstatuslabel"}),
                 (QStringList{"1", "5", "20", "20", "Sub Group 0"}));
        QCOMPARE(QList<bool>({checked("Animationcheck"), checked("chkTrace"), checked("bafflepresentcheck")}),
                 QList<bool>(3, false));
        QVERIFY(!m_main->board().baffle().line()->isVisible());
        QVERIFY(m_main->board().baffle().handle()->isHidden());
        QCOMPARE(child<QScrollBar>(m_main, "HScroll1")->value(), 3);
        QCOMPARE(run().subgroupCount, 0);
        QCOMPARE(run().funnelPosition, 16.0f);
        QVERIFY(m_main->chartsWindow()->isHidden());
        expectHandedBack();
    }

    void escapeEndsAtItsCaption_data()
    {
        QTest::addColumn<int>("caption");
        QTest::addColumn<QString>("dropCount");
        QTest::addColumn<bool>("animation");
        // The user's drop count stays, and the Animation box the button ticked.
        QTest::newRow("caption 1: nothing of the script ran") << 1 << "7" << true;
        // Caption 6's step left 10 subgroups per Run and Animation clear.
        QTest::newRow("caption 7: settings as the script left them") << 7 << "10" << false;
    }

    void escapeEndsAtItsCaption()
    {
        QFETCH(int, caption);
        QFETCH(QString, dropCount);
        QFETCH(bool, animation);
        child<QLineEdit>(m_main, "howmanytext")->setText(QStringLiteral("7"));
        const auto seen = play(m_main, [caption](int shown) { return shown == caption ? Answer::Escape : Answer::Key; });
        QCOMPARE(seen, captionsUpTo(caption));
        QCOMPARE(texts({"howmanytext", "rowstext", "subgroupstatuslabel"}),
                 (QStringList{dropCount, "20", "Sub Group 0"}));
        QCOMPARE(checked("Animationcheck"), animation);
        QCOMPARE(run().subgroupCount, 0);
        QCOMPARE(run().funnelPosition, 16.0f);
        expectHandedBack();
    }

    // The script clears the run: with subgroups on the board it asks first,
    // and only Yes starts it; an empty board is not asked.
    void asksBeforeClearingTheSubgroups_data()
    {
        QTest::addColumn<int>("subgroups");
        QTest::addColumn<int>("answer"); // NoButton: Esc
        QTest::addColumn<QString>("question");
        QTest::newRow("Yes starts it") << 36 << int(QMessageBox::Yes)
                                       << "The demonstration will clear the 36 subgroups on the board. Start it?";
        QTest::newRow("No changes nothing") << 1 << int(QMessageBox::No)
                                            << "The demonstration will clear the 1 subgroup on the board. Start it?";
        QTest::newRow("Esc answers No") << 2 << int(QMessageBox::NoButton)
                                        << "The demonstration will clear the 2 subgroups on the board. Start it?";
        QTest::newRow("an empty board starts without a question") << 0 << int(QMessageBox::NoButton) << QString();
    }
    void asksBeforeClearingTheSubgroups()
    {
        QFETCH(int, subgroups);
        QFETCH(int, answer);
        QFETCH(QString, question);
        if (subgroups > 0)
            QVERIFY(testsupport::runSubgroups(m_main, subgroups).isEmpty());
        const QStringList shown = {"howmanytext", "subgroupstatuslabel", "processcenteredatlabel"};
        const QStringList before = texts(shown);
        const auto piles = run().slotCount;
        QList<testsupport::SeenMessage> questions;
        const auto seen = play(m_main, [](int) { return Answer::Escape; }, {}, QMessageBox::StandardButton(answer), &questions);
        const bool starts = question.isEmpty() || answer == QMessageBox::Yes;
        QCOMPARE(seen, starts ? captionsUpTo(1) : QList<int>());
        QCOMPARE(questions.size(), question.isEmpty() ? 0 : 1);
        if (!questions.isEmpty()) {
            const auto &asked = questions.first();
            QCOMPARE(asked.text, question);
            QCOMPARE(asked.title, QStringLiteral("Kelvara"));
            QCOMPARE(asked.icon, QMessageBox::Question);
            QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(asked.defaultButton, QMessageBox::No);
        }
        QCOMPARE(int(run().subgroupCount), starts ? 0 : subgroups);
        if (!starts) {
            QCOMPARE(texts(shown), before);
            QVERIFY(run().slotCount == piles);
            QVERIFY(!checked("Animationcheck"));
        }
        expectHandedBack();
    }

    // With real waits, so input also comes while the script waits.
    void clicksAndKeysGoOnButReachNoControl()
    {
        kelvara::testing::setTimeScale(0.02);
        child<QLineEdit>(m_main, "howmanytext")->setText(QStringLiteral("3"));
        QToolButton *right = m_main->board().funnel().rightButton();
        float funnelAtCaption3 = 0, funnelAfterClick = 0;
        bool funnelUsable = false;
        int droppedBeforeCaption3 = 0;
        const auto atCaption = [&](int shown) {
            if (shown != 3)
                return shown == 1 ? Answer::Click : shown == 2 ? Answer::Key : Answer::Escape;
            // A click on an enabled control goes on, and the control never sees it.
            droppedBeforeCaption3 = run().subgroupCount;
            funnelAtCaption3 = run().funnelPosition;
            funnelUsable = right->isEnabled();
            QTest::mouseClick(right, Qt::LeftButton);
            funnelAfterClick = run().funnelPosition;
            return Answer::None;
        };
        // Between captions clicks and keys must not move the funnel either.
        const auto betweenCaptions = [&] {
            QTest::mouseClick(right, Qt::LeftButton);
            QTest::keyClick(right, Qt::Key_Space);
        };
        QCOMPARE(play(m_main, atCaption, betweenCaptions), captionsUpTo(4));
        QCOMPARE(droppedBeforeCaption3, 3); // the first Run drops the user's drop count
        QVERIFY(funnelUsable);
        QCOMPARE(funnelAtCaption3, 16.0f);
        QCOMPARE(funnelAfterClick, 16.0f);
        expectHandedBack();
    }

    // Esc away from a caption ends the script within the row or the wait it
    // comes in: no ball lands, no subgroup completes, the funnel moves no
    // more and no caption comes; the window is left as Esc at a caption leaves it.
    void escapeEndsAtOnceWherever_data()
    {
        QTest::addColumn<int>("lastCaption");
        QTest::addColumn<bool>("atCharts");
        QTest::addColumn<std::function<bool(QuincunxForm *)>>("moment");
        QTest::newRow("an animated ball of the first Run") << 2 << false << std::function([](QuincunxForm *main) {
            return main->quincunxRun().state().isRunning && main->quincunxRun().state().subgroupCount == 1;
        });
        QTest::newRow("the wait after the funnel's first move") << 3 << false << std::function([](QuincunxForm *main) {
            return main->quincunxRun().state().funnelPosition == 15.0f && !main->quincunxRun().state().isRunning;
        });
        QTest::newRow("a Run with the charts window active") << 11 << true << std::function([](QuincunxForm *main) {
            return main->chartsWindow()->isVisible() && main->quincunxRun().state().isRunning;
        });
    }
    void escapeEndsAtOnceWherever()
    {
        QFETCH(int, lastCaption);
        QFETCH(bool, atCharts);
        QFETCH(std::function<bool(QuincunxForm *)>, moment);
        kelvara::testing::setTimeScale(0.05);
        const auto state = [this] {
            return std::tuple(run().subgroupCount, run().funnelPosition, run().slotCount, run().baffleCount);
        };
        std::optional<decltype(state())> atEscape;
        bool changedAfter = false;
        bool chartsShownAtEscape = false;
        const auto betweenCaptions = [&] {
            if (atEscape) {
                changedAfter = changedAfter || state() != *atEscape;
            } else if (moment(m_main)) {
                atEscape = state();
                chartsShownAtEscape = m_main->chartsWindow()->isVisible();
                QTest::keyClick(atCharts ? static_cast<QWidget *>(m_main->chartsWindow()) : m_main, Qt::Key_Escape);
            }
        };
        QCOMPARE(play(m_main, [](int) { return Answer::Key; }, betweenCaptions), captionsUpTo(lastCaption));
        QVERIFY(atEscape);
        QVERIFY(!changedAfter);
        QCOMPARE(run().isRunning, false);
        QCOMPARE(run().subgroupCount, 0);
        QCOMPARE(child<QLabel>(m_main, "subgroupstatuslabel")->text(), QStringLiteral("Sub Group 0"));
        // The charts window's own Esc would have hidden it: the key reached no window.
        QCOMPARE(m_main->chartsWindow()->isVisible(), chartsShownAtEscape);
        expectHandedBack();
    }

    // F1 belongs to the main window as a shortcut: at a caption it goes on
    // like any other key and opens nothing.
    void shortcutKeysGoOnAndOpenNothing()
    {
        QTRY_COMPARE(QApplication::activeWindow(), m_main);
        const auto atCaption = [this](int shown) {
            if (shown == 3)
                return Answer::Escape;
            QTest::keySequence(m_main, QKeySequence(shown == 1 ? "F1" : "Ctrl+R"));
            return Answer::None;
        };
        QCOMPARE(play(m_main, atCaption), captionsUpTo(3));
        QVERIFY(!m_main->manual());
        expectHandedBack();
    }

    void heldKeyRepeatIsNoAnswer()
    {
        auto *box = child<QLineEdit>(m_main, "howmanytext");
        bool clicked = false;
        QObject scope; // a failed wait must leave no input pending
        QTimer::singleShot(0, &scope, [&] {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"), true);
            QApplication::sendEvent(box, &repeat);
            QTimer::singleShot(20, &scope, [&] { // only this click may end the wait
                clicked = true;
                QTest::mouseClick(box, Qt::LeftButton);
            });
        });
        QCOMPARE(int(waitForKey([] { return false; })), int(KeyWaitResult::Continue));
        QVERIFY(clicked);
        QCOMPARE(box->text(), QStringLiteral("5"));
    }

private:
    // What the labels and boxes of these names read.
    QStringList texts(const QStringList &names) const
    {
        QStringList shown;
        for (const QString &name : names)
            shown << child(m_main, name)->property("text").toString();
        return shown;
    }
    const RunState &run() const { return m_main->quincunxRun().state(); }
    bool checked(const char *name) const { return child<QCheckBox>(m_main, QLatin1String(name))->isChecked(); }

    // After the script the user has the window back, with no caption in the way.
    void expectHandedBack() const
    {
        QVERIFY(child(m_main, "contpanel")->isEnabled());
        QVERIFY(child(m_main, "selfscriptbutton")->isEnabled());
        QVERIFY(child(m_main, "teachpanel")->isHidden());
        QVERIFY(child<QLabel>(m_main, "teachpanel")->pixmap().isNull());
    }

    QuincunxForm *m_main = nullptr;
};

QTEST_MAIN(TestDemonstration)
#include "tst_demonstration.moc"
