// Thousands of random entries, from a fixed seed, typed and pasted into the
// scale dialog's four boxes and the drop-count box, with Apply, the limits
// check box, Set Default, Close and Esc in between. A model of the rules,
// written here apart from the program's own checks, says what every box must
// hold, which message a rejected entry gets, and what the board, the tables
// and the labels show afterwards.

#include "testsupport.h"

#include "app/shared.h"
#include "core/numberformat.h"
#include "core/scale.h"
#include "core/scaleentries.h"
#include "surface/drawingsurface.h"
#include "surface/overlay.h"
#include "windows/quincunxform.h"
#include "windows/scaledialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableWidget>

#include <cstdlib>
#include <optional>
#include <random>

using namespace kelvara;
using testsupport::answerMessages;
using testsupport::child;
using testsupport::SeenMessage;

namespace {

constexpr int scaleBoxLength = 6;
constexpr int dropCountLength = 2;

const QStringList scaleBoxes = {QStringLiteral("scalecentretext"), QStringLiteral("scalehalfwidthtext"),
                                QStringLiteral("lsltext"), QStringLiteral("usltext")};
enum Box { Centre, HalfWidth, Lsl, Usl };

enum class Filter { Digits, Number, DropCount };
enum class Input { Typed, Pasted, CtrlV };

// ---- The model: what a user is promised, independent of the program's code ----

/// Whether a key reaches a box holding `before`. The whole-number boxes take
/// digits and the characters with the arrow keys' codes (% & ' (); the
/// limits also '-' and one decimal separator; the drop count digits only.
bool keyPasses(Filter filter, const QString &before, QChar key, QChar separator)
{
    const bool digit = key >= u'0' && key <= u'9';
    const bool arrowCode = key.unicode() >= 37 && key.unicode() <= 40;
    switch (filter) {
    case Filter::DropCount:
        return digit;
    case Filter::Digits:
        return digit || arrowCode;
    case Filter::Number:
        return digit || arrowCode || key == u'-' || (key == separator && !before.contains(separator));
    }
    return false;
}

/// The text an empty box holds after the entry. Typing and Ctrl+V in the
/// scale boxes go key by key; a paste from the menu, and Ctrl+V in the drop
/// count, inserts what fits the box whole or not at all.
QString afterInput(Filter filter, Input input, const QString &entry, QChar separator)
{
    const int length = filter == Filter::DropCount ? dropCountLength : scaleBoxLength;
    const bool keyByKey = input == Input::Typed || (input == Input::CtrlV && filter != Filter::DropCount);
    QString text;
    if (keyByKey) {
        for (const QChar key : entry) {
            if (text.size() < length && keyPasses(filter, text, key, separator))
                text += key;
        }
        return text;
    }
    const QString fitting = entry.left(length);
    for (qsizetype i = 0; i < fitting.size(); ++i) {
        if (!keyPasses(filter, fitting.left(i), fitting[i], separator))
            return text;
    }
    return fitting;
}

/// A box's number: an optional leading minus, digits, at most one separator,
/// at least one digit; kept as a 32-bit float. Empty otherwise.
std::optional<double> numberIn(const QString &text, QChar separator)
{
    static const QRegularExpression shape(QStringLiteral("^-?[0-9]*(?:S[0-9]*)?$"));
    QString plain = text;
    plain.replace(separator, u'S');
    if (!shape.match(plain).hasMatch() || !plain.contains(QRegularExpression(QStringLiteral("[0-9]"))))
        return std::nullopt;
    plain.replace(u'S', u'.');
    return double(std::strtof(plain.toLatin1().constData(), nullptr));
}

/// Per text its length less the position just after its separator (the whole
/// length without one); the largest of the four.
int decimalPlaces(const QStringList &texts, QChar separator)
{
    int places = 0;
    for (const QString &text : texts) {
        const qsizetype at = text.indexOf(separator);
        places = std::max(places, int(at < 0 ? text.size() : text.size() - at - 1));
    }
    return places;
}

QString readingFormat(int decimals)
{
    return QStringLiteral("00.") + QString(std::max(2, decimals), u'0');
}

struct Values {
    double center = 16, halfWidth = 15, lsl = 1, usl = 31;
};

/// Why the entries are refused, or nothing when they pass.
struct Refusal {
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    bool resetHalfWidth = false;
    bool resetLimits = false;
};

std::optional<Refusal> refusalOf(const QStringList &texts, bool limitsShown, QChar separator, Values &read)
{
    const QString subjects[] = {QStringLiteral("Scale Center"), QStringLiteral("Scale Half-Width"),
                                QStringLiteral("Lower Specification Limit (LSL)"),
                                QStringLiteral("Upper Specification Limit (USL)")};
    double *targets[] = {&read.center, &read.halfWidth, &read.lsl, &read.usl};
    for (int box = Centre; box <= Usl; ++box) {
        const std::optional<double> value = numberIn(texts[box], separator);
        if (!value)
            return Refusal{QStringLiteral("Please enter a valid value for %1.").arg(subjects[box])};
        *targets[box] = *value;
    }
    if (read.halfWidth <= 0)
        return Refusal{QStringLiteral("Scale Half-Width must be a Positive Non-zero number."),
                       QMessageBox::Information, true};
    if (!limitsShown)
        return std::nullopt;
    if (read.lsl > read.usl)
        return Refusal{QStringLiteral("LSL cannot be greater than USL."), QMessageBox::Information, false, true};
    const double low = read.center - read.halfWidth, high = read.center + read.halfWidth;
    const auto onBoard = [&](double limit) { return low <= limit && limit <= high; };
    if (!onBoard(read.lsl) || !onBoard(read.usl))
        return Refusal{QStringLiteral("Spec Limits are set outside the Quincunx Board."), QMessageBox::Warning};
    return std::nullopt;
}

// ---- Entries ----

class EntryMaker {
public:
    explicit EntryMaker(std::uint32_t seed) : m_random(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return below(100) < percent; }

    QString next()
    {
        static const QStringList extremes = {"999999", "-99999", "0.0001", "0,0001", "000000", "0", "-0", "-", "."};
        switch (below(10)) {
        case 0:
            return extremes[below(int(extremes.size()))];
        case 1:
            return QString();
        case 2:
            return randomText(7 + below(400));
        case 3:
        case 4:
            return digits(1 + below(7));
        case 5:
        case 6:
            return (chance(40) ? QStringLiteral("-") : QString()) + digits(below(4))
                   + QChar(chance(50) ? u'.' : u',') + digits(below(4));
        default:
            return randomText(1 + below(12));
        }
    }

private:
    QString digits(int count)
    {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + below(10));
        return text;
    }

    QString randomText(int length)
    {
        static const QString alphabet = QStringLiteral("0123456789012345-.,abzXYe%&'( ");
        QString text;
        for (int i = 0; i < length; ++i)
            text += alphabet[below(int(alphabet.size()))];
        return text;
    }

    std::mt19937 m_random;
};

QString listed(const QStringList &list)
{
    return u'[' + list.join(QStringLiteral("|")) + u']';
}

} // namespace

class TestFuzz : public QObject {
    Q_OBJECT

    QuincunxForm *m_main = nullptr;
    std::optional<EntryMaker> m_maker;
    QChar m_separator;
    int m_entriesLeft = 0;
    // What the user last applied, as the model has it.
    Values m_applied;
    bool m_limitsShown = false;
    int m_decimals = 2;
    float m_funnel = 16;

    // One entry, typed, pasted from the menu or with Ctrl+V; `afresh` empties the box first.
    void enter(QLineEdit *box, Input input, const QString &entry, bool afresh = true)
    {
        box->setFocus();
        QCoreApplication::processEvents(); // the selection a box makes on focus
        if (afresh)
            box->clear();
        switch (input) {
        case Input::Typed:
            QTest::keyClicks(box, entry);
            break;
        case Input::Pasted:
            QGuiApplication::clipboard()->setText(entry);
            box->paste();
            break;
        case Input::CtrlV:
            QGuiApplication::clipboard()->setText(entry);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            break;
        }
        --m_entriesLeft;
    }

    Input anyInput() { return Input(m_maker->below(3)); }

    static QStringList boxTexts(QWidget *dialog)
    {
        QStringList list;
        for (const QString &name : scaleBoxes)
            list << child<QLineEdit>(dialog, name)->text();
        return list;
    }

    QStringList appliedTexts() const
    {
        return {entryText(float(m_applied.center)), entryText(float(m_applied.halfWidth)),
                entryText(float(m_applied.lsl)), entryText(float(m_applied.usl))};
    }

    QString context(const QString &what, const QStringList &boxes) const
    {
        return what + u' ' + listed(boxes) + QStringLiteral(", %1 entries to go").arg(m_entriesLeft);
    }

    // ---- The dialog's actions, each checked against the model ----

    /// Presses a control of the dialog and compares the message it gave with
    /// the model's refusal. With `validates`, entries that pass become the
    /// applied values, and whether the limits are shown becomes
    /// `limitsOnPass` when given.
    void act(QWidget *dialog, const QString &control, QStringList &boxes, bool limitsChecked, bool validates,
             std::optional<bool> limitsOnPass = std::nullopt)
    {
        Values read;
        const std::optional<Refusal> refusal =
            validates ? refusalOf(boxes, limitsChecked, m_separator, read) : std::nullopt;
        const bool passes = validates && !refusal;
        const ChartBounds boundsBefore = shared().bounds;
        const int rowsBefore = shownRows();
        const bool newRun = passes && float(read.halfWidth) != float(m_applied.halfWidth);
        const bool newScale = newRun || (passes && float(read.center) != float(m_applied.center));

        const QList<SeenMessage> seen = answerMessages([&] { testsupport::click(dialog, control); });
        const QByteArray where = context(control, boxes).toUtf8();
        if (refusal) {
            QVERIFY2(seen.size() == 1, where);
            QCOMPARE(seen[0].title, QStringLiteral("Kelvara"));
            QVERIFY2(seen[0].text == refusal->text, where + " said " + seen[0].text.toUtf8());
            QCOMPARE(int(seen[0].icon), int(refusal->icon));
            if (refusal->resetHalfWidth)
                boxes[HalfWidth] = appliedTexts()[HalfWidth];
            if (refusal->resetLimits) {
                boxes[Lsl] = appliedTexts()[Lsl];
                boxes[Usl] = appliedTexts()[Usl];
            }
        } else {
            QVERIFY2(seen.isEmpty(), where + " said " + (seen.isEmpty() ? QByteArray() : seen[0].text.toUtf8()));
        }
        if (passes) {
            m_applied = read;
            m_limitsShown = limitsOnPass.value_or(m_limitsShown);
            m_funnel = 16;
        }
        // Apply starts the charts afresh on any scale; the check box and
        // Close only when the centre or half-width changed.
        const bool chartsRestart = passes && (control == QStringLiteral("scaleapplybutton") || newScale);
        checkBoard(where, boundsBefore, chartsRestart, newRun ? 0 : rowsBefore);
    }

    void applyButton(QWidget *dialog, QStringList &boxes, bool limitsChecked)
    {
        act(dialog, QStringLiteral("scaleapplybutton"), boxes, limitsChecked, true);
    }

    void limitsCheckBox(QWidget *dialog, QStringList &boxes, bool &limitsChecked)
    {
        limitsChecked = !limitsChecked;
        act(dialog, QStringLiteral("speclimitscheck"), boxes, limitsChecked, true, limitsChecked);
        QCOMPARE(child<QCheckBox>(dialog, QStringLiteral("speclimitscheck"))->isChecked(), limitsChecked);
    }

    // Close sets the decimals from the boxes as they are, and applies them
    // only while the limits are shown.
    void closeButton(QWidget *dialog, QStringList &boxes, bool limitsChecked)
    {
        m_decimals = decimalPlaces(boxes, m_separator);
        act(dialog, QStringLiteral("scalepanelclosebutton"), boxes, limitsChecked, m_limitsShown, limitsChecked);
    }

    void setDefault(QWidget *dialog, QStringList &boxes, bool &limitsChecked)
    {
        const int rowsBefore = shownRows();
        const bool newRun = float(m_applied.halfWidth) != Values().halfWidth;
        const QList<SeenMessage> seen = answerMessages([&] { testsupport::click(dialog, QStringLiteral("cmdDefault")); });
        QVERIFY(seen.isEmpty());
        boxes = QStringList{"16", "15", "1", "31"};
        m_applied = Values();
        m_limitsShown = limitsChecked = false;
        m_decimals = 2;
        m_funnel = 16;
        QCOMPARE(boxTexts(dialog), boxes);
        QVERIFY(!child<QCheckBox>(dialog, QStringLiteral("speclimitscheck"))->isChecked());
        checkBoard("Set Default", shared().bounds, true, newRun ? 0 : rowsBefore);
    }

    // ---- What the main window must show ----

    int shownRows() { return child<QTableWidget>(m_main, QStringLiteral("grdScaled"))->rowCount(); }

    void checkBoard(const QByteArray &where, const ChartBounds &boundsBefore, bool chartsRestart, int rows)
    {
        const Scale &scale = shared().scale;
        QVERIFY2(scale.center == float(m_applied.center) && scale.halfWidth == float(m_applied.halfWidth)
                     && scale.lsl == float(m_applied.lsl) && scale.usl == float(m_applied.usl),
                 where);
        QVERIFY2(scale.showSpecLimits == m_limitsShown, where);
        QCOMPARE(shared().formats.reading, readingFormat(m_decimals));
        QCOMPARE(m_main->run().funnelPosition, m_funnel);
        const QString centre = formatNumber(scale.valueOf(m_funnel), readingFormat(m_decimals));
        QCOMPARE(child<QLabel>(m_main, QStringLiteral("processcenteredatlabel"))->text(), centre);

        const ChartBounds &bounds = shared().bounds;
        if (chartsRestart) {
            QCOMPARE(bounds.maxX, float(m_applied.center + m_applied.halfWidth));
            QCOMPARE(bounds.minX, float(m_applied.center - m_applied.halfWidth));
        } else {
            QVERIFY2(bounds.maxX == boundsBefore.maxX && bounds.minX == boundsBefore.minX, where);
        }
        QVERIFY2(shownRows() == rows, where);
        if (rows == 0)
            QCOMPARE(child<QLabel>(m_main, QStringLiteral("subgroupstatuslabel"))->text(), QStringLiteral("Sub Group 0"));
        checkLimitLines();
    }

    // A USL or LSL line stands over its value while the limits are shown and on the board.
    void checkLimitLines()
    {
        const DrawingSurface *board = m_main->board().picture();
        const double low = m_applied.center - m_applied.halfWidth;
        const double high = m_applied.center + m_applied.halfWidth;
        const QList<QPair<QString, double>> limits = {{QStringLiteral("usl"), float(m_applied.usl)},
                                                      {QStringLiteral("lsl"), float(m_applied.lsl)}};
        for (const auto &[name, limit] : limits) {
            const auto *line = board->findChild<OverlayLine *>(name);
            const auto *label = board->findChild<QLabel *>(name + QStringLiteral("label"));
            const bool shown = m_limitsShown && low <= limit && limit <= high;
            QCOMPARE(line->isVisible(), shown);
            QCOMPARE(!label->isHidden(), shown);
            if (shown) {
                // Slot 1's centre is the low end; 30 slots of 2.5 units span the board.
                const double x = m_main->run().slotX[0] + (limit - low) * 75.0 / (2.0 * m_applied.halfWidth);
                QVERIFY2(std::abs(line->x1() - x) < 1e-6, qPrintable(name));
            }
        }
    }

    // ---- Sessions ----

    /// A limit standing exactly on an end of the applied board (whole numbers,
    /// as the centre and half-width boxes take digits only).
    QString boardEnd()
    {
        const double end = m_applied.center + (m_maker->chance(50) ? 1 : -1) * m_applied.halfWidth;
        return QString::number(qint64(end));
    }

    /// Entries into the dialog's boxes until Close, Esc or the last entry.
    void scaleSession(QWidget *dialog)
    {
        QStringList boxes = appliedTexts();
        bool limitsChecked = m_limitsShown;
        QCOMPARE(boxTexts(dialog), boxes);
        QCOMPARE(child<QCheckBox>(dialog, QStringLiteral("speclimitscheck"))->isChecked(), limitsChecked);
        while (!QTest::currentTestFailed()) {
            const int box = m_maker->below(4);
            const Input input = anyInput();
            const QString entry = m_maker->chance(10) ? boardEnd() : m_maker->next();
            enter(child<QLineEdit>(dialog, scaleBoxes[box]), input, entry);
            boxes[box] = afterInput(box <= HalfWidth ? Filter::Digits : Filter::Number, input, entry, m_separator);
            QVERIFY2(boxTexts(dialog) == boxes, qPrintable(context(QStringLiteral("entered ") + entry, boxTexts(dialog))
                                                           + QStringLiteral(" instead of ") + listed(boxes)));

            const int action = m_entriesLeft <= 0 ? 99 : m_maker->below(100);
            if (action < 30) {
                applyButton(dialog, boxes, limitsChecked);
            } else if (action < 36) {
                limitsCheckBox(dialog, boxes, limitsChecked);
            } else if (action < 37) {
                setDefault(dialog, boxes, limitsChecked);
            } else if (action < 38) {
                QTest::keyClick(dialog, Qt::Key_Escape); // closes without Close's steps
                QVERIFY(!dialog->isVisible());
                checkBoard("Esc", shared().bounds, false, shownRows());
                return;
            } else if (action >= 92) {
                closeButton(dialog, boxes, limitsChecked);
                QVERIFY(!dialog->isVisible());
                return;
            }
            QVERIFY2(boxTexts(dialog) == boxes, qPrintable(context(QStringLiteral("after action"), boxTexts(dialog))));
        }
    }

    /// The dialog built directly, most of the time; now and then the modal
    /// one behind Change Scale.
    void openScaleDialog()
    {
        if (m_maker->chance(85)) {
            ScaleDialog dialog(*m_main);
            dialog.show();
            dialog.activateWindow();
            QCoreApplication::processEvents();
            scaleSession(&dialog);
            return;
        }
        bool opened = false;
        QTimer::singleShot(0, m_main, [this, &opened] {
            QWidget *dialog = QApplication::activeModalWidget();
            opened = dialog && dialog->objectName() == QStringLiteral("frmScale");
            if (!opened)
                return;
            scaleSession(dialog);
            if (dialog->isVisible()) // a failed check left it open
                static_cast<QDialog *>(dialog)->reject();
        });
        testsupport::click(m_main, QStringLiteral("scalequincunxbutton"));
        QVERIFY(opened);
    }

    /// An entry into the drop count, then the focus moves on: what is not a
    /// number becomes 10 without a word, the rest a plain whole number.
    void dropCountEntry()
    {
        auto *box = child<QLineEdit>(m_main, QStringLiteral("howmanytext"));
        const Input input = anyInput();
        const QString entry = m_maker->next();
        const QList<SeenMessage> seen = answerMessages([&] {
            enter(box, input, entry);
            child<QWidget>(m_main, QStringLiteral("dropbutton"))->setFocus();
        });
        const QString typed = afterInput(Filter::DropCount, input, entry, m_separator);
        const QString expected = typed.isEmpty() ? QStringLiteral("10") : QString::number(typed.toInt());
        QVERIFY2(seen.isEmpty(), qPrintable(entry));
        QVERIFY2(box->text() == expected, qPrintable(entry + QStringLiteral(" gave ") + box->text()));
    }

    /// The settings only their spinners change refuse every entry, without a word.
    void lockedSettingEntry()
    {
        static const QStringList names = {QStringLiteral("rowstext"), QStringLiteral("subgrouptext"),
                                          QStringLiteral("climitstext")};
        auto *box = child<QLineEdit>(m_main, names[m_maker->below(int(names.size()))]);
        const QString before = box->text();
        const Input input = anyInput();
        const QString entry = m_maker->next();
        const QList<SeenMessage> seen = answerMessages([&] { enter(box, input, entry, false); });
        QVERIFY2(seen.isEmpty(), qPrintable(entry));
        QVERIFY2(box->text() == before, qPrintable(entry + QStringLiteral(" gave ") + box->text()));
    }

    /// One subgroup on the applied scale: its readings are the balls' slots
    /// mapped through that scale, in the applied number of decimals.
    void runOneSubgroup()
    {
        child<QLineEdit>(m_main, QStringLiteral("howmanytext"))->setText(QStringLiteral("1"));
        const int rows = shownRows();
        QVERIFY(answerMessages([this] { testsupport::click(m_main, QStringLiteral("dropbutton")); }).isEmpty());
        QCOMPARE(shownRows(), rows + 1);
        const auto *table = child<QTableWidget>(m_main, QStringLiteral("grdScaled"));
        const TextTable &slotTable = m_main->slotTable();
        Scale scale;
        scale.center = float(m_applied.center);
        scale.halfWidth = float(m_applied.halfWidth);
        for (int ball = 1; ball <= 5; ++ball) {
            const float slot = readSingle(slotTable.text(rows + 1, ball));
            QCOMPARE(table->item(rows, ball)->text(), formatNumber(scale.scaleValue(slot), readingFormat(m_decimals)));
        }
    }

    /// Between dialogs: entries into the drop count and the locked settings,
    /// a step of the funnel, now and then a Run.
    void betweenDialogs()
    {
        m_main->activateWindow();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), m_main);
        for (int i = m_maker->below(4); i > 0 && m_entriesLeft > 0 && !QTest::currentTestFailed(); --i) {
            if (m_maker->chance(60))
                dropCountEntry();
            else
                lockedSettingEntry();
        }
        if (m_maker->chance(10)) {
            const bool left = m_funnel > 16 || (m_funnel == 16 && m_maker->chance(50));
            testsupport::click(m_main, left ? QStringLiteral("funnelleftbutton") : QStringLiteral("funnelrightbutton"));
            m_funnel += left ? -1 : 1;
            checkBoard("funnel", shared().bounds, false, shownRows());
        }
        if (m_maker->chance(8))
            runOneSubgroup();
    }

private slots:
    void entriesFollowTheRules_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<std::uint32_t>("seed");
        QTest::addColumn<int>("entries");
        QTest::newRow("decimal point") << QLocale(QLocale::English, QLocale::UnitedStates) << 20240601u << 2500;
        QTest::newRow("decimal comma") << QLocale(QLocale::German, QLocale::Germany) << 20240602u << 2500;
    }
    void entriesFollowTheRules()
    {
        QFETCH(QLocale, locale);
        QFETCH(std::uint32_t, seed);
        QFETCH(int, entries);
        QLocale::setDefault(locale);
        m_main = qobject_cast<QuincunxForm *>(testsupport::startProgram());
        QVERIFY(m_main);
        m_separator = locale.decimalPoint().front();
        m_maker.emplace(seed);
        m_entriesLeft = entries;
        m_applied = Values();
        m_limitsShown = false;
        m_decimals = 2;
        m_funnel = 16;

        while (m_entriesLeft > 0 && !QTest::currentTestFailed()) {
            openScaleDialog();
            if (!QTest::currentTestFailed())
                betweenDialogs();
        }
    }
};

QTEST_MAIN(TestFuzz)
#include "tst_fuzz.moc"
