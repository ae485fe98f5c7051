// SPDX-License-Identifier: GPL-3.0-or-later
// The manual: every control it names exists with that caption, every link
// resolves, and F1 opens the page of the window it is pressed in, also from
// a modal dialog, whose manual can then still be used.

#include "testsupport.h"

#include "reports/controlchartswindow.h"
#include "windows/aboutwindow.h"
#include "windows/funnelruleswindow.h"
#include "windows/helpwindow.h"
#include "windows/scaledialog.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QWindow>

using namespace kelvara;
using testsupport::child;

namespace {

QString pageText(const QString &file)
{
    QFile page(QStringLiteral(":/kelvara/manual/") + file);
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

QStringList pageFiles()
{
    QStringList files;
    for (const HelpWindow::Entry &entry : HelpWindow::contents())
        files << entry.file;
    return files;
}

// What the user reads on a control: the name given for a screen reader where
// the control shows a picture, else its caption.
QString caption(const QObject *control)
{
    if (const auto *action = qobject_cast<const QAction *>(control))
        return action->text();
    const auto *widget = qobject_cast<const QWidget *>(control);
    if (!widget)
        return {};
    if (!widget->accessibleName().isEmpty())
        return widget->accessibleName();
    if (widget->isWindow())
        return widget->windowTitle();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return QString(button->text()).remove(u'&');
    if (const auto *group = qobject_cast<const QGroupBox *>(widget))
        return group->title();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    return {};
}

QString currentPage(HelpWindow *help)
{
    const QUrl source = help->browser()->source();
    return source.fileName() + (source.hasFragment() ? u'#' + source.fragment() : QString());
}

// Presses F1 in the modal dialog `open` shows, and clicks the manual's "Glossary"
// entry as a user would, through the window system: the pages shown after each.
QStringList pressF1InDialog(QuincunxForm *form, const QString &dialogName, const std::function<void()> &open)
{
    QStringList pages;
    QTimer::singleShot(0, [=, &pages] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog && dialog->objectName() == dialogName);
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        QTest::keyClick(dialog, Qt::Key_F1);
        HelpWindow *help = form->manual();
        QVERIFY(help && help->isVisible());
        pages << currentPage(help);
        auto *contents = child<QListWidget>(help, "helpcontents");
        const int glossary = int(pageFiles().indexOf(QStringLiteral("glossary.html")));
        const QRect item = contents->visualItemRect(contents->item(glossary));
        const QPoint inWindow = contents->viewport()->mapTo(help, item.center());
        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, inWindow);
        pages << currentPage(help);
        dialog->close();
    });
    open();
    return pages;
}

// Keys reach a window's shortcuts while it is the active one, as a user's
// do: the manual, open from before, is put aside first unless it is the window. The page then shown,
// none when the manual stayed hidden.
QString pressF1In(QWidget *window, HelpWindow *manual)
{
    if (window != manual)
        manual->hide();
    window->activateWindow();
    if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000))
        return QStringLiteral("not active");
    QTest::keyClick(window, Qt::Key_F1);
    return manual->isVisible() ? currentPage(manual) : QString();
}

} // namespace

class TestManual : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::freshConfiguration();
        m_main = testsupport::startMainWindow();
        QVERIFY(m_main);
    }

    void everyNamedControlExistsWithItsCaption()
    {
        m_main->showManual(QStringLiteral("index.html"));
        ScaleDialog scale(m_main);
        AboutWindow about(m_main);
        FunnelRulesWindow funnelRules;
        m_main->openRunLengthLab();
        const QMap<QString, QWidget *> windows = {
            {QStringLiteral("frmFunnelRules"), &funnelRules},
            {QStringLiteral("frmRunLength"), testsupport::topLevel(QStringLiteral("frmRunLength"))},
            {QStringLiteral("quincunxform"), m_main}, {QStringLiteral("frmCtrlChrt"), m_main->chartsWindow()},
            {QStringLiteral("frmScale"), &scale}, {QStringLiteral("frmAbout"), &about},
            {QStringLiteral("helpWindow"), m_main->manual()}};
        static const QRegularExpression named(QStringLiteral("<b data-control=\"([^\"/]+)/([^\"]+)\">([^<]+)</b>"));
        int checked = 0;
        for (const QString &file : pageFiles()) {
            for (const QRegularExpressionMatch &match : named.globalMatch(pageText(file))) {
                const QString where = file + u' ' + match.captured(0);
                QWidget *window = windows.value(match.captured(1));
                QVERIFY2(window, qPrintable(where));
                const QString name = match.captured(2);
                const QObject *control = name == window->objectName() ? window : window->findChild<QObject *>(name);
                QVERIFY2(control, qPrintable(where));
                QCOMPARE(caption(control), QTextDocumentFragment::fromHtml(match.captured(3)).toPlainText());
                ++checked;
            }
        }
        QVERIFY(checked > 50);
        testsupport::topLevel(QStringLiteral("frmRunLength"))->close();
    }

    void everyLinkResolves()
    {
        static const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
        for (const QString &file : pageFiles()) {
            const QString text = pageText(file);
            QVERIFY2(text.contains(QStringLiteral("<h1>")), qPrintable(file));
            for (const QRegularExpressionMatch &match : link.globalMatch(text)) {
                const QUrl target(match.captured(1));
                const QString where = file + u' ' + match.captured(1);
                QVERIFY2(target.isRelative() && !target.path().isEmpty(), qPrintable(where));
                const QString targetText = pageText(target.path());
                QVERIFY2(!targetText.isEmpty(), qPrintable(where));
                if (target.hasFragment())
                    QVERIFY2(targetText.contains(QStringLiteral("name=\"%1\"").arg(target.fragment())), qPrintable(where));
            }
        }
    }

    void helpShowsThePageOfWhatIsOnShow()
    {
        testsupport::click(m_main, QStringLiteral("cmdHelp"));
        QCOMPARE(currentPage(m_main->manual()), QStringLiteral("mainwindow.html"));
        QVERIFY(m_main->manual()->browser()->toPlainText().startsWith(QStringLiteral("The main window")));
        testsupport::click(m_main, QStringLiteral("dropbutton"));
        testsupport::click(m_main, QStringLiteral("histbutton"));
        QCOMPARE(pressF1In(m_main, m_main->manual()), QStringLiteral("histograms.html"));
        testsupport::click(m_main, QStringLiteral("histbackbutton"));
        testsupport::click(m_main, QStringLiteral("contchrbutton"));
        QCOMPARE(pressF1In(m_main->chartsWindow(), m_main->manual()), QStringLiteral("controlcharts.html"));
        m_main->openRunLengthLab();
        QWidget *lab = testsupport::topLevel(QStringLiteral("frmRunLength"));
        QCOMPARE(pressF1In(lab, m_main->manual()), QStringLiteral("runlength.html"));
        lab->close();
        testsupport::click(m_main->manual(), QStringLiteral("helpbackbutton"));
        // Back retraces the pages read; F1 in the manual leads to its first page.
        testsupport::click(m_main->manual(), QStringLiteral("helpbackbutton"));
        QCOMPARE(currentPage(m_main->manual()), QStringLiteral("histograms.html"));
        QCOMPARE(pressF1In(m_main->manual(), m_main->manual()), QStringLiteral("index.html"));
        m_main->chartsWindow()->hide();
    }

    void f1InAModalDialogOpensAManualThatStaysUsable_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("page");
        QTest::newRow("scale dialog") << "frmScale" << "scalequincunxbutton" << "scale.html";
        QTest::newRow("about window") << "frmAbout" << "aboutbutton" << "mainwindow.html#about";
    }
    void f1InAModalDialogOpensAManualThatStaysUsable()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, button);
        QFETCH(QString, page);
        if (m_main->manual())
            m_main->manual()->hide();
        QCOMPARE(pressF1InDialog(m_main, dialog, [&] { testsupport::click(m_main, button); }), QStringList({page, "glossary.html"}));
    }

private:
    QuincunxForm *m_main = nullptr;
};

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
