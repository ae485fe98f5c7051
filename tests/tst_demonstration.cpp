#include "testsupport.h"

#include "app/messages.h"
#include "app/shared.h"
#include "app/utilities.h"
#include "core/demoscript.h"
#include "core/dropcycle.h"
#include "reports/controlchartswindow.h"
#include "surface/overlay.h"
#include "windows/captionpictures.h"
#include "windows/quincunxform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <functional>

using namespace kelvara;

namespace {

// None: the test gave its own input at the caption.
enum class Answer { Key, Escape, Click, Close, None };

QuincunxForm *form(QWidget *main) { return qobject_cast<QuincunxForm *>(main); }

QList<QLabel *> captionArray(QWidget *main)
{
    return main->findChildren<QLabel *>(QStringLiteral("Image1"));
}

// Answers the demonstration's captions as a user at the keyboard would, and
// notes the captions in the order they appeared.
class CaptionAnswerer : public QObject {
public:
    explicit CaptionAnswerer(QWidget *main)
        : m_main(main), m_panel(testsupport::child<QLabel>(main, QStringLiteral("teachpanel")))
    {
        connect(&m_poll, &QTimer::timeout, this, &CaptionAnswerer::poll);
        m_poll.start(0);
    }

    std::function<Answer(int caption)> onCaption = [](int) { return Answer::Key; };
    std::function<void()> duringRun = [] {};
    QList<int> seen;

private:
    int captionShown() const
    {
        const QImage shown = m_panel->pixmap().toImage();
        const QList<QLabel *> pictures = captionArray(m_main);
        for (int index = 1; index < pictures.size(); ++index)
            if (pictures[index]->pixmap().toImage() == shown)
                return index;
        return 0;
    }

    void poll()
    {
        if (!m_panel->isVisible()) {
            m_last = 0;
            if (form(m_main)->run().isRunning)
                duringRun();
            return;
        }
        const int index = captionShown();
        if (index == 0 || index == m_last)
            return;
        m_last = index;
        seen.append(index);
        switch (onCaption(index)) {
        case Answer::Key:
            QTest::keyClick(m_main, Qt::Key_Space);
            break;
        case Answer::Escape:
            QTest::keyClick(m_panel, Qt::Key_Escape);
            break;
        case Answer::Click:
            QTest::mouseClick(m_panel, Qt::LeftButton);
            break;
        case Answer::Close:
            m_main->close();
            break;
        case Answer::None:
            break;
        }
    }

    QWidget *m_main;
    QLabel *m_panel;
    QTimer m_poll;
    int m_last = 0;
};

QList<testsupport::SeenMessage> playDemo(QWidget *main)
{
    return testsupport::answerMessages([main] { testsupport::click(main, QStringLiteral("selfscriptbutton")); });
}

QList<int> captionsUpTo(int last)
{
    QList<int> captions;
    for (int index = 1; index <= last; ++index)
        captions.append(index);
    return captions;
}

// Colour classes as a viewer names them.
bool looks(const QString &name, QColor c)
{
    const int r = c.red(), g = c.green(), b = c.blue();
    if (name == QLatin1String("blue"))
        return b > 200 && r < 80 && g < 80;
    if (name == QLatin1String("yellow"))
        return r > 200 && g > 200 && b < 80;
    if (name == QLatin1String("pale yellow"))
        return r > 230 && g > 230 && b > 120 && b < r - 20;
    if (name == QLatin1String("cyan"))
        return r < 80 && g > 200 && b > 200;
    if (name == QLatin1String("green"))
        return g > 150 && r < g - 60 && b < g - 60;
    if (name == QLatin1String("white"))
        return r > 235 && g > 235 && b > 235;
    if (name == QLatin1String("red"))
        return r > 150 && g < 60 && b < 60;
    if (name == QLatin1String("black"))
        return r < 60 && g < 60 && b < 60;
    return false;
}

int countLooking(const QImage &image, const QRect &area, const QString &name)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += looks(name, image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

} // namespace

class TestDemonstration : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_main = testsupport::startProgram();
        QVERIFY(m_main);
    }

    void captionPicture_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("background");
        QTest::addColumn<QStringList>("letters");
        QTest::newRow("1 white on blue") << 1 << "blue" << QStringList{"white"};
        QTest::newRow("2 red on yellow") << 2 << "yellow" << QStringList{"red"};
        QTest::newRow("3 pale yellow") << 3 << "pale yellow" << QStringList{"black"};
        QTest::newRow("4 pale yellow") << 4 << "pale yellow" << QStringList{"black"};
        QTest::newRow("5 cyan") << 5 << "cyan" << QStringList{"black"};
        QTest::newRow("6 cyan") << 6 << "cyan" << QStringList{"black"};
        QTest::newRow("7 cyan") << 7 << "cyan" << QStringList{"black"};
        QTest::newRow("8 cyan") << 8 << "cyan" << QStringList{"black"};
        QTest::newRow("9 cyan with a red line") << 9 << "cyan" << QStringList{"red", "black"};
        QTest::newRow("10 green") << 10 << "green" << QStringList{"black"};
        QTest::newRow("11 green") << 11 << "green" << QStringList{"black"};
        QTest::newRow("12 pale yellow") << 12 << "pale yellow" << QStringList{"black"};
        QTest::newRow("13 blue on pale yellow") << 13 << "pale yellow" << QStringList{"blue"};
    }

    void captionPicture()
    {
        QFETCH(int, index);
        QFETCH(QString, background);
        QFETCH(QStringList, letters);
        const QImage picture = kelvara::captionPicture(index);
        const int w = picture.width(), h = picture.height();
        QVERIFY(w >= 270 && w <= 340 && h >= 180 && h <= 230);
        // The white foot strip, at both ends where its centred line does not reach.
        for (const QPoint p : {QPoint(5, h - 5), QPoint(w - 6, h - 5), QPoint(5, h - 20), QPoint(w - 6, h - 20)})
            QVERIFY2(looks(QStringLiteral("white"), picture.pixelColor(p)), qPrintable(picture.pixelColor(p).name()));
        // The background in the margins, beside the icon and above the strip.
        for (const QPoint p : {QPoint(w - 5, 5), QPoint(4, h - 30), QPoint(w / 2, 4)})
            QVERIFY2(looks(background, picture.pixelColor(p)), qPrintable(picture.pixelColor(p).name()));
        // Letters in their colour: more than a few stray pixels, outside the icon.
        const QRect text(50, 4, w - 54, h - 34);
        for (const QString &colour : letters)
            QVERIFY2(countLooking(picture, text, colour) > 150, qPrintable(colour));
    }

    void captionPicturesAreElementsOfImage1()
    {
        {
            CaptionAnswerer answerer(m_main);
            answerer.onCaption = [](int) { return Answer::Escape; };
            playDemo(m_main);
        }
        const QList<QLabel *> pictures = captionArray(m_main);
        QCOMPARE(pictures.size(), captionCount + 1);
        QCOMPARE(pictures[0]->pixmap().toImage(), pictures[1]->pixmap().toImage());
        for (int i = 1; i <= captionCount; ++i) {
            QVERIFY(pictures[i]->isHidden());
            QCOMPARE(pictures[i]->pixmap().toImage(), kelvara::captionPicture(i));
            for (int j = 1; j < i; ++j)
                QVERIFY2(pictures[i]->pixmap().toImage() != pictures[j]->pixmap().toImage(),
                         qPrintable(QStringLiteral("%1 and %2 look alike").arg(i).arg(j)));
        }
        QVERIFY(kelvara::captionPicture(0).isNull());
        QVERIFY(kelvara::captionPicture(captionCount + 1).isNull());
    }

    void scriptShowsEachCaptionOnceInOrder()
    {
        QList<int> captions;
        bool panelUp = false;
        for (const DemoStep &step : demoScript()) {
            if (step.action == DemoAction::Caption)
                captions.append(int(step.number));
            // The panel covers the board's right half: every Run must find it down.
            panelUp = step.action == DemoAction::Caption || (panelUp && step.action != DemoAction::HidePanel
                                                                && step.action != DemoAction::Finish);
            QVERIFY(!(panelUp && step.action == DemoAction::Run));
        }
        QCOMPARE(captions, captionsUpTo(captionCount));
    }

    void playsToTheEnd_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("comma") << QLocale(QLocale::German, QLocale::Germany);
    }

    void playsToTheEnd()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        m_main = testsupport::startProgram();
        CaptionAnswerer answerer(m_main);
        const QList<testsupport::SeenMessage> messages = playDemo(m_main);

        QCOMPARE(answerer.seen, captionsUpTo(captionCount));
        for (const testsupport::SeenMessage &message : messages)
            QVERIFY2(message.text == DropCycle::boardFullMessage || message.text == DropCycle::baffleFullMessage,
                     qPrintable(message.text));
        QCOMPARE(text("howmanytext"), QStringLiteral("1"));
        QCOMPARE(text("subgrouptext"), QStringLiteral("5"));
        QCOMPARE(text("climitstext"), QStringLiteral("20"));
        QCOMPARE(text("rowstext"), QStringLiteral("20"));
        QVERIFY(!checked("Animationcheck"));
        QVERIFY(!checked("chkTrace"));
        QVERIFY(!checked("bafflepresentcheck"));
        QVERIFY(!form(m_main)->board().baffle().line()->isVisible());
        QVERIFY(form(m_main)->board().baffle().handle()->isHidden());
        QCOMPARE(testsupport::child<QScrollBar>(m_main, "HScroll1")->value(), 3);
        QCOMPARE(text("subgroupstatuslabel"), QStringLiteral("Sub Group 0"));
        QCOMPARE(shared().subgroupCount, 0);
        QCOMPARE(form(m_main)->run().funnelPosition, 16.0f);
        QVERIFY(form(m_main)->chartsWindow()->isHidden());
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
        testsupport::child<QLineEdit>(m_main, "howmanytext")->setText(QStringLiteral("7"));
        CaptionAnswerer answerer(m_main);
        answerer.onCaption = [caption](int shown) { return shown == caption ? Answer::Escape : Answer::Key; };
        playDemo(m_main);

        QCOMPARE(answerer.seen, captionsUpTo(caption));
        QCOMPARE(text("howmanytext"), dropCount);
        QCOMPARE(checked("Animationcheck"), animation);
        QCOMPARE(text("rowstext"), QStringLiteral("20"));
        QCOMPARE(shared().subgroupCount, 0);
        QCOMPARE(text("subgroupstatuslabel"), QStringLiteral("Sub Group 0"));
        QCOMPARE(form(m_main)->run().funnelPosition, 16.0f);
        expectHandedBack();
    }

    void captionPanelSitsInFrontAtTheBoardsRightEdge()
    {
        QRect panelArea, boardArea;
        QWidget *inFront = nullptr;
        CaptionAnswerer answerer(m_main);
        answerer.onCaption = [&](int) {
            auto *panel = testsupport::child<QLabel>(m_main, "teachpanel");
            auto *board = testsupport::child(m_main, "qpicture");
            panelArea = panel->geometry();
            boardArea = QRect(board->mapTo(m_main, QPoint(0, 0)), board->size());
            inFront = m_main->childAt(panelArea.center());
            return Answer::Escape;
        };
        playDemo(m_main);
        QCOMPARE(panelArea.size(), captionSize);
        QCOMPARE(panelArea.right(), boardArea.right());
        QVERIFY(boardArea.contains(panelArea));
        QCOMPARE(inFront ? inFront->objectName() : QString(), QStringLiteral("teachpanel"));
    }

    void clicksAndKeysGoOnButReachNoControl()
    {
        testsupport::child<QLineEdit>(m_main, "howmanytext")->setText(QStringLiteral("3"));
        QToolButton *right = form(m_main)->board().funnel().rightButton();
        float funnelAtCaption3 = 0, funnelAfterClick = 0;
        bool funnelUsable = false;
        int droppedBeforeCaption3 = 0;
        CaptionAnswerer answerer(m_main);
        answerer.onCaption = [&](int shown) {
            switch (shown) {
            case 1:
                return Answer::Click;
            case 2:
                return Answer::Key;
            case 3:
                // A click on an enabled control goes on, and the control never sees it.
                droppedBeforeCaption3 = shared().subgroupCount;
                funnelAtCaption3 = form(m_main)->run().funnelPosition;
                funnelUsable = right->isEnabled();
                QTest::mouseClick(right, Qt::LeftButton);
                funnelAfterClick = form(m_main)->run().funnelPosition;
                return Answer::None;
            default:
                return Answer::Escape;
            }
        };
        // During the Runs the funnel buttons are enabled; the user's clicks and
        // keys must still not move the funnel, and Esc waits for a caption.
        answerer.duringRun = [&] {
            QTest::mouseClick(right, Qt::LeftButton);
            QTest::keyClick(right, Qt::Key_Space);
            QTest::keyClick(m_main, Qt::Key_Escape);
        };
        playDemo(m_main);
        QCOMPARE(answerer.seen, captionsUpTo(4));
        // The first Run drops as many subgroups as the user's drop count asked for.
        QCOMPARE(droppedBeforeCaption3, 3);
        QVERIFY(funnelUsable);
        QCOMPARE(funnelAtCaption3, 16.0f);
        QCOMPARE(funnelAfterClick, 16.0f);
        expectHandedBack();
    }

    void cannotBeStartedTwice()
    {
        bool buttonEnabled = true;
        CaptionAnswerer answerer(m_main);
        answerer.onCaption = [&](int) {
            buttonEnabled = testsupport::child(m_main, "selfscriptbutton")->isEnabled();
            form(m_main)->selfscriptbutton_Click();
            return Answer::Escape;
        };
        playDemo(m_main);
        QVERIFY(!buttonEnabled);
        QCOMPARE(answerer.seen, QList<int>{1});
        expectHandedBack();
    }

    void highlightsTheSettingsInTurn()
    {
        QStringList yellowBoxes;
        QList<QPalette> before;
        QList<QLineEdit *> boxes;
        for (const char *name : {"rowstext", "subgrouptext", "climitstext"}) {
            boxes << testsupport::child<QLineEdit>(m_main, name);
            before << boxes.back()->palette();
        }
        PaintWatcher watcher([&](QObject *box) {
            const auto *edit = static_cast<QLineEdit *>(box);
            if (edit->palette().color(QPalette::Base) == QColor(255, 255, 0)
                && (yellowBoxes.isEmpty() || yellowBoxes.back() != edit->objectName()))
                yellowBoxes << edit->objectName();
        });
        for (QLineEdit *box : boxes)
            box->installEventFilter(&watcher);
        CaptionAnswerer answerer(m_main);
        answerer.onCaption = [](int shown) { return shown == 11 ? Answer::Escape : Answer::Key; };
        playDemo(m_main);
        QCOMPARE(yellowBoxes, (QStringList{"rowstext", "subgrouptext", "climitstext"}));
        for (int i = 0; i < boxes.size(); ++i) {
            QCOMPARE(boxes[i]->palette(), before[i]);
            QVERIFY(!boxes[i]->testAttribute(Qt::WA_SetPalette));
        }
    }

    void waitForKey_data()
    {
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("expected");
        QTest::newRow("a key goes on") << 0 << int(KeyWaitResult::Continue);
        QTest::newRow("Esc stops") << 1 << int(KeyWaitResult::Escape);
        QTest::newRow("a click goes on") << 2 << int(KeyWaitResult::Continue);
        QTest::newRow("a held key's repeat is no answer") << 3 << int(KeyWaitResult::Continue);
        QTest::newRow("closing ends the wait") << 4 << int(KeyWaitResult::Closing);
    }

    void waitForKey()
    {
        QFETCH(int, input);
        QFETCH(int, expected);
        auto *box = testsupport::child<QLineEdit>(m_main, "howmanytext");
        auto *run = testsupport::child<QPushButton>(m_main, "dropbutton");
        box->setFocus();
        QSignalSpy runClicks(run, &QPushButton::clicked);
        bool closing = false;
        bool clickedLater = false;
        QTimer later;
        later.setSingleShot(true);
        connect(&later, &QTimer::timeout, [&] {
            clickedLater = true;
            QTest::mouseClick(run, Qt::LeftButton);
        });
        QTimer::singleShot(0, [&] {
            switch (input) {
            case 0:
                QTest::keyClick(box, Qt::Key_4);
                break;
            case 1:
                QTest::keyClick(box, Qt::Key_Escape);
                break;
            case 2:
                QTest::mouseClick(run, Qt::LeftButton);
                break;
            case 3: {
                QKeyEvent repeat(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"), true);
                QApplication::sendEvent(box, &repeat);
                later.start(20); // only this click may end the wait
                break;
            }
            default:
                closing = true;
            }
        });
        shared().lastKey = 0;
        const KeyWaitResult result = kelvara::waitForKey([&] { return closing; });
        QCOMPARE(int(result), expected);
        QCOMPARE(clickedLater, input == 3);
        QCOMPARE(shared().lastKey, result == KeyWaitResult::Escape ? 1 : 0);
        QCOMPARE(box->text(), QStringLiteral("5"));
        QCOMPARE(runClicks.count(), 0);
    }

    void blockedInputStillAnswersAMessageBox()
    {
        const InputBlocker blocker;
        bool answeredByKey = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QTest::keyClick(box, Qt::Key_Return);
            answeredByKey = !box->isVisible();
            if (!answeredByKey)
                box->done(0);
        });
        showMessage(QStringLiteral("Kelvara test"));
        QVERIFY(answeredByKey);
        QVERIFY(!blocker.gotInput());
    }

    // Last: closing the main window asks the application to quit.
    void closingEndsCleanly_data()
    {
        QTest::addColumn<bool>("atCaption");
        QTest::newRow("at a caption") << true;
        QTest::newRow("during a Run") << false;
    }

    void closingEndsCleanly()
    {
        QFETCH(bool, atCaption);
        CaptionAnswerer answerer(m_main);
        answerer.onCaption = [atCaption](int shown) { return atCaption && shown == 2 ? Answer::Close : Answer::Key; };
        answerer.duringRun = [this, atCaption] {
            if (!atCaption)
                m_main->close();
        };
        playDemo(m_main);
        QVERIFY(form(m_main)->isClosing());
        QVERIFY(!m_main->isVisible());
        // No caption came up after the close.
        if (!atCaption)
            QVERIFY(testsupport::child(m_main, "teachpanel")->isHidden());
        QCOMPARE(answerer.seen, captionsUpTo(2));
        // The Run of 5 subgroups after caption 2 never ran, or stopped at the close.
        QVERIFY(shared().subgroupCount < 5);
        QVERIFY(!form(m_main)->run().isRunning);
    }

private:
    // Calls back on every paint of a watched widget.
    class PaintWatcher : public QObject {
    public:
        explicit PaintWatcher(std::function<void(QObject *)> painted) : m_painted(std::move(painted)) {}

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                m_painted(watched);
            return false;
        }

    private:
        std::function<void(QObject *)> m_painted;
    };

    QString text(const char *name) const
    {
        if (auto *label = m_main->findChild<QLabel *>(QLatin1String(name)))
            return label->text();
        return testsupport::child<QLineEdit>(m_main, QLatin1String(name))->text();
    }

    bool checked(const char *name) const
    {
        return testsupport::child<QCheckBox>(m_main, QLatin1String(name))->isChecked();
    }

    // After the script the user has the window back, with no caption in the way.
    void expectHandedBack() const
    {
        QVERIFY(testsupport::child(m_main, "contpanel")->isEnabled());
        QVERIFY(testsupport::child(m_main, "selfscriptbutton")->isEnabled());
        QVERIFY(testsupport::child(m_main, "teachpanel")->isHidden());
        QVERIFY(testsupport::child<QLabel>(m_main, "teachpanel")->pixmap().isNull());
        QCOMPARE(shared().lastKey, 0);
    }

    QWidget *m_main = nullptr;
};

QTEST_MAIN(TestDemonstration)
#include "tst_demonstration.moc"
