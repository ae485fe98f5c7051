// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of random entries, from a fixed seed, typed and pasted into the
// scale dialog's four boxes and the drop-count box, with Apply, the limits
// check box, Set Default, Close and Esc in between. A model of the rules,
// written here apart from the program's own checks, says what every box must
// hold, which message a rejected entry gets, and what scale the board shows.

#include "testsupport.h"

#include "common/sharedstore.h"
#include "core/numberformat.h"
#include "windows/quincunxform.h"
#include "windows/scaledialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include <cstdlib>
#include <optional>
#include <random>

using namespace kelvara;
using testsupport::child;

namespace {

const QStringList scaleBoxes = {"scalecentretext", "scalehalfwidthtext", "lsltext", "usltext"};
enum Box { Centre, HalfWidth, Lsl, Usl };
enum class Filter { Digits, Number, DropCount };
enum class Input { Typed, Pasted, CtrlV };

// ---- The model: what a user is promised, independent of the program's code ----

/// Whether a key reaches a box holding `before`. The whole-number boxes take
/// digits and the characters with the arrow keys' codes (% & ' (); the
/// limits also '-' and one decimal separator; the drop count digits only.
bool keyPasses(Filter filter, const QString &before, QChar key, QChar separator)
{
    return (key >= u'0' && key <= u'9')
           || (filter != Filter::DropCount
               && ((key.unicode() >= 37 && key.unicode() <= 40) || (filter == Filter::Number && (key == u'-' || (key == separator && !before.contains(separator))))));
}

/// The text an empty box holds after the entry. Typing and Ctrl+V in the
/// scale boxes go key by key; a paste from the menu, and Ctrl+V in the drop
/// count, inserts what fits the box whole or not at all.
QString afterInput(Filter filter, Input input, const QString &entry, QChar separator)
{
    const int length = filter == Filter::DropCount ? 2 : 6;
    const auto keyByKey = [&](const QString &keys) {
        QString text;
        for (const QChar key : keys)
            if (text.size() < length && keyPasses(filter, text, key, separator))
                text += key;
        return text;
    };
    if (input == Input::Typed || (input == Input::CtrlV && filter != Filter::DropCount))
        return keyByKey(entry);
    const QString fitting = entry.left(length);
    return keyByKey(fitting) == fitting ? fitting : QString();
}

/// A box's number: an optional leading minus, digits, at most one separator,
/// at least one digit; kept as a 32-bit float. Empty otherwise.
std::optional<float> numberIn(QString text, QChar separator)
{
    static const QRegularExpression shape(QStringLiteral("^-?[0-9]*(?:S[0-9]*)?$"));
    text.replace(separator, u'S');
    if (!shape.match(text).hasMatch() || !text.contains(QRegularExpression(QStringLiteral("[0-9]"))))
        return std::nullopt;
    return std::strtof(text.replace(u'S', u'.').toLatin1().constData(), nullptr);
}

/// The reading format for the most decimals among the texts: per text its
/// length less the position just after its separator (the whole length without one).
QString readingFormat(const QStringList &texts, QChar separator)
{
    qsizetype places = 2;
    for (const QString &text : texts)
        places = std::max(places, text.contains(separator) ? text.size() - text.indexOf(separator) - 1 : text.size());
    return QStringLiteral("00.") + QString(places, u'0');
}

/// What the program must say about the entries ("title, icon: text", empty when
/// they pass) and which boxes then go back to the applied values.
struct Verdict { QStringList messages; QList<int> reset; };

Verdict verdictOn(const QStringList &texts, bool limitsShown, QChar separator, QList<float> &read)
{
    const QString subjects[] = {"Scale Center", "Scale Half-Width", "Lower Specification Limit (LSL)", "Upper Specification Limit (USL)"};
    const auto info = [](const QString &text) { return QStringLiteral("Kelvara, %1: %2").arg(int(QMessageBox::Information)).arg(text); };
    for (int box = Centre; box <= Usl; ++box) {
        const std::optional<float> value = numberIn(texts[box], separator);
        if (!value)
            return {{info(QStringLiteral("Please enter a valid value for %1.").arg(subjects[box]))}, {}};
        read << *value;
    }
    if (read[HalfWidth] <= 0)
        return {{info(QStringLiteral("Scale Half-Width must be a Positive Non-zero number."))}, {HalfWidth}};
    if (!limitsShown)
        return {};
    if (read[Lsl] > read[Usl])
        return {{info(QStringLiteral("LSL cannot be greater than USL."))}, {Lsl, Usl}};
    if (read[Lsl] < double(read[Centre]) - read[HalfWidth] || read[Usl] > double(read[Centre]) + read[HalfWidth])
        return {{QStringLiteral("Kelvara, %1: Spec Limits are set outside the Quincunx Board.").arg(int(QMessageBox::Warning))}, {}};
    return {};
}

struct EntryMaker {
    std::mt19937 random;
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    bool chance(int percent) { return below(100) < percent; }
    QString text(int length, const QString &alphabet)
    {
        QString made;
        for (int i = 0; i < length; ++i)
            made += alphabet[below(int(alphabet.size()))];
        return made;
    }
    QString next()
    {
        static const QStringList extremes = {"", "", "999999", "-99999", "0.0001", "0,0001", "000000", "0", "-0", "-", "."};
        static const QString any = QStringLiteral("0123456789012345-.,abzXYe%&'( "), digits = QStringLiteral("0123456789");
        const int kind = below(10);
        if (kind <= 1)
            return kind == 0 ? extremes[below(int(extremes.size()))] : text(7 + below(400), any);
        if (kind <= 4)
            return text(1 + below(7), digits);
        if (kind <= 6)
            return text(chance(40), QStringLiteral("-")) + text(below(4), digits) + text(1, QStringLiteral(".,")) + text(below(4), digits);
        return text(1 + below(12), any);
    }
};

} // namespace

class TestFuzz : public QObject {
    Q_OBJECT

    QuincunxForm *m_main = nullptr;
    std::optional<EntryMaker> m_maker;
    QChar m_separator;
    int m_entriesLeft = 0;
    // What the user last applied, as the model has it.
    struct Model {
        QList<float> applied = {16, 15, 1, 31};
        bool limitsShown = false;
        QString reading = QStringLiteral("00.00");
    } m;

    // One entry, typed, pasted from the menu or with Ctrl+V; `afresh` empties the box first.
    void enter(QLineEdit *box, Input input, const QString &entry, bool afresh = true)
    {
        box->setFocus();
        QCoreApplication::processEvents(); // the selection a box makes on focus
        if (afresh)
            box->clear();
        QGuiApplication::clipboard()->setText(entry);
        input == Input::Typed ? QTest::keyClicks(box, entry)
        : input == Input::Pasted ? box->paste() : QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        --m_entriesLeft;
    }

    static QStringList boxTexts(QWidget *dialog)
    {
        QStringList list;
        for (const QString &name : scaleBoxes)
            list << child<QLineEdit>(dialog, name)->text();
        return list;
    }

    /// What pressing `control` made the program say: "title, icon: text" per message.
    static QStringList said(QWidget *window, const QString &control)
    {
        QStringList texts;
        for (const auto &seen : testsupport::answerMessages([&] { testsupport::click(window, control); }))
            texts << QStringLiteral("%1, %2: %3").arg(seen.title).arg(int(seen.icon)).arg(seen.text);
        return texts;
    }

    /// Presses a control of the dialog and compares what it said with the
    /// model. With `validates`, entries that pass become the applied values,
    /// and whether the limits are shown becomes `limitsOnPass`.
    void act(QWidget *dialog, const QString &control, QStringList &boxes, bool limitsChecked, bool validates, bool limitsOnPass)
    {
        QList<float> read;
        const Verdict verdict = validates ? verdictOn(boxes, limitsChecked, m_separator, read) : Verdict();
        const QStringList seen = said(dialog, control);
        QVERIFY2(seen == verdict.messages, qPrintable(control + boxes.join(u'|') + QStringLiteral(" said ") + seen.join(u'/')));
        for (int box : verdict.reset)
            boxes[box] = entryText(m.applied[box]);
        if (validates && verdict.messages.isEmpty()) {
            m.applied = read;
            m.limitsShown = limitsOnPass;
        }
        checkBoard(control + boxes.join(u'|'));
    }

    /// The scale the main window works with, and its process centre, are the ones last applied.
    void checkBoard(const QString &context)
    {
        const Scale &scale = sharedStore().state().scale;
        QVERIFY2((QList<float>{scale.center, scale.halfWidth, scale.lsl, scale.usl}) == m.applied
                     && scale.showSpecLimits == m.limitsShown, qPrintable(context));
        QCOMPARE(sharedStore().state().formats.reading, m.reading);
        QCOMPARE(child<QLabel>(m_main, QStringLiteral("processcenteredatlabel"))->text(), formatNumber(m.applied[Centre], m.reading));
    }

    /// Entries into the dialog's boxes until Close, Esc or the last entry.
    void scaleSession(QWidget *dialog)
    {
        QStringList boxes;
        for (float value : m.applied)
            boxes << entryText(value);
        bool limitsChecked = m.limitsShown;
        auto *limitsCheck = child<QCheckBox>(dialog, QStringLiteral("speclimitscheck"));
        while (!QTest::currentTestFailed()) {
            const int box = m_maker->below(4);
            const auto input = Input(m_maker->below(3));
            // Now and then a limit exactly on an end of the applied board.
            const qint64 boardEnd = m.applied[Centre] + (m_maker->chance(50) ? 1 : -1) * m.applied[HalfWidth];
            const QString entry = m_maker->chance(10) ? QString::number(boardEnd) : m_maker->next();
            enter(child<QLineEdit>(dialog, scaleBoxes[box]), input, entry);
            boxes[box] = afterInput(box <= HalfWidth ? Filter::Digits : Filter::Number, input, entry, m_separator);
            QVERIFY2(boxTexts(dialog) == boxes, qPrintable(entry + QStringLiteral(" gave ") + boxTexts(dialog).join(u'|')));

            const int action = m_entriesLeft <= 0 ? 99 : m_maker->below(100);
            if (action < 30) {
                act(dialog, QStringLiteral("scaleapplybutton"), boxes, limitsChecked, true, m.limitsShown);
            } else if (action < 36) {
                limitsChecked = !limitsChecked;
                act(dialog, QStringLiteral("speclimitscheck"), boxes, limitsChecked, true, limitsChecked);
            } else if (action < 37) {
                QVERIFY(said(dialog, QStringLiteral("cmdDefault")).isEmpty());
                boxes = QStringList{"16", "15", "1", "31"};
                m = Model();
                limitsChecked = false;
                checkBoard("Set Default");
            } else if (action < 38) {
                QTest::keyClick(dialog, Qt::Key_Escape); // closes without Close's steps
                QVERIFY(!dialog->isVisible());
                return checkBoard("Esc");
            } else if (action >= 92) {
                // Close sets the decimals from the boxes as they are, and applies them only while the limits are shown.
                m.reading = readingFormat(boxes, m_separator);
                act(dialog, QStringLiteral("scalepanelclosebutton"), boxes, limitsChecked, m.limitsShown, limitsChecked);
                QVERIFY(!dialog->isVisible());
                return;
            }
            // The check box stays as clicked even when the entries are refused.
            QVERIFY2(boxTexts(dialog) == boxes && limitsCheck->isChecked() == limitsChecked, qPrintable(boxTexts(dialog).join(u'|')));
        }
    }

    /// Each session in the modal dialog behind Change Scale.
    void openScaleDialog()
    {
        bool opened = false;
        QTimer::singleShot(0, m_main, [this, &opened] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            opened = dialog && dialog->objectName() == QStringLiteral("frmScale");
            if (opened)
                scaleSession(dialog);
            if (opened && dialog->isVisible()) // a failed check left it open
                dialog->reject();
        });
        testsupport::click(m_main, QStringLiteral("scalequincunxbutton"));
        QVERIFY(opened);
    }

    /// Between dialogs: entries into the drop count, where what is not a number
    /// becomes 10 without a word and the rest a plain whole number once the
    /// focus moves on; and into the settings only their spinners change, which
    /// refuse every entry without a word.
    void betweenDialogs()
    {
        m_main->activateWindow();
        QCoreApplication::processEvents();
        for (int i = m_maker->below(4); i > 0 && m_entriesLeft > 0 && !QTest::currentTestFailed(); --i) {
            const bool dropCount = m_maker->chance(60);
            auto *box = child<QLineEdit>(m_main, dropCount ? QStringLiteral("howmanytext") : QStringList{"rowstext", "subgrouptext", "climitstext"}[m_maker->below(3)]);
            const QString before = box->text();
            const auto input = Input(m_maker->below(3));
            const QString entry = m_maker->next();
            const auto seen = testsupport::answerMessages([&] {
                enter(box, input, entry, dropCount);
                child<QWidget>(m_main, QStringLiteral("dropbutton"))->setFocus();
            });
            const QString typed = afterInput(Filter::DropCount, input, entry, m_separator);
            const QString expected = !dropCount ? before : typed.isEmpty() ? QStringLiteral("10") : QString::number(typed.toInt());
            QVERIFY2(seen.isEmpty() && box->text() == expected, qPrintable(entry + QStringLiteral(" gave ") + box->text()));
        }
    }

private slots:
    void entriesFollowTheRules_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("decimal point") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("decimal comma") << QLocale(QLocale::German, QLocale::Germany);
    }
    void entriesFollowTheRules() // 2,500 entries per locale
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        QVERIFY((m_main = qobject_cast<QuincunxForm *>(testsupport::startProgram())));
        m_separator = locale.decimalPoint().front();
        m_maker.emplace(EntryMaker{std::mt19937(20240601u)});
        m_entriesLeft = 2500;
        m = Model();
        while (m_entriesLeft > 0 && !QTest::currentTestFailed()) {
            openScaleDialog();
            if (!QTest::currentTestFailed())
                betweenDialogs();
        }
    }
};

QTEST_MAIN(TestFuzz)
#include "tst_fuzz.moc"
