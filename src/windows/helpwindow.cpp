// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/helpwindow.h"

#include "common/windowplacement.h"
#include "common/zoom.h"
#include "windows/buttonicons.h"
#include "windows/shortcutkeys.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace kelvara {
namespace {

QToolButton *historyButton(const QString &name, const QString &caption, const QString &hint, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_contents(new QListWidget(this)), m_browser(new QTextBrowser(this)),
      m_back(historyButton(QStringLiteral("helpbackbutton"), QStringLiteral("Back"), QStringLiteral("Back to the page before (Alt+Left)"), this)),
      m_forward(historyButton(QStringLiteral("helpforwardbutton"), QStringLiteral("Forward"), QStringLiteral("Forward again (Alt+Right)"), this)),
      m_home(historyButton(QStringLiteral("helpcontentsbutton"), QStringLiteral("Contents"), QStringLiteral("The manual's first page"), this))
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Kelvara Manual"));
    setWindowIcon(applicationIcon());
    m_contents->setObjectName(QStringLiteral("helpcontents"));
    m_contents->setAccessibleName(QStringLiteral("Contents"));
    m_browser->setObjectName(QStringLiteral("helpbrowser"));
    m_browser->setAccessibleName(QStringLiteral("Manual page"));
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(true);
    for (const Entry &entry : contents())
        m_contents->addItem(entry.title);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(m_home);
    buttons->addStretch(1);
    auto *pages = new QHBoxLayout;
    pages->addWidget(m_contents);
    pages->addWidget(m_browser, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(pages, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this] { showPage(contents().first().file); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::followPage);
    connect(m_contents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < contents().size() && m_browser->source().fileName() != contents()[row].file)
            m_browser->setSource(QUrl(pageFolder() + contents()[row].file));
    });
    connect(&zoom::notifier(), &zoom::Notifier::changed, this, &HelpWindow::fitContents);
    // F1 in the manual itself leads to its first page.
    connect(new QShortcut(keys::help, this), &QShortcut::activated, m_home, &QToolButton::click);
    fitOnScreen(this, QSize(900, 640));
}

// The contents list is as wide as its longest title at the text size of now.
void HelpWindow::fitContents()
{
    m_contents->setFixedWidth(m_contents->sizeHintForColumn(0) + 2 * m_contents->frameWidth() + 8);
}

const QList<HelpWindow::Entry> &HelpWindow::contents()
{
    static const QList<Entry> entries = {
        {QStringLiteral("index.html"), QStringLiteral("Welcome")},
        {QStringLiteral("mainwindow.html"), QStringLiteral("The main window")},
        {QStringLiteral("controlcharts.html"), QStringLiteral("Control charts")},
        {QStringLiteral("histograms.html"), QStringLiteral("Histograms")},
        {QStringLiteral("scale.html"), QStringLiteral("Scale dialog")},
        {QStringLiteral("demonstration.html"), QStringLiteral("Demonstration")},
        {QStringLiteral("funnelrules.html"), QStringLiteral("The funnel rules")},
        {QStringLiteral("runlength.html"), QStringLiteral("Run Length Lab")},
        {QStringLiteral("lesson1.html"), QStringLiteral("Lesson 1: Common-cause variation")},
        {QStringLiteral("lesson2.html"), QStringLiteral("Lesson 2: A special cause")},
        {QStringLiteral("lesson3.html"), QStringLiteral("Lesson 3: Capability")},
        {QStringLiteral("lesson4.html"), QStringLiteral("Lesson 4: Tampering: the funnel rules")},
        {QStringLiteral("lessonrunlength.html"), QStringLiteral("Lesson 5: How long until we notice?")},
        {QStringLiteral("keys.html"), QStringLiteral("Keys, zoom and screen readers")},
        {QStringLiteral("glossary.html"), QStringLiteral("Glossary")},
    };
    return entries;
}

QString HelpWindow::pageFolder()
{
    return QStringLiteral("qrc:/kelvara/manual/");
}

void HelpWindow::showPage(const QString &page, QWidget *asker)
{
    const QUrl url(pageFolder() + page);
    if (m_browser->source() != url)
        m_browser->setSource(url);
    stayAbove(asker);
    fitContents();
    show();
    raise();
    activateWindow();
}

// A modal dialog blocks every window but the ones that belong to it, so the
// manual asked for from a dialog is shown as the dialog's own window.
void HelpWindow::stayAbove(QWidget *asker)
{
    QWidget *owner = asker && asker->window()->isModal() ? asker->window() : parentWidget();
    if (!owner || !owner->windowHandle())
        return;
    create();
    windowHandle()->setTransientParent(owner->windowHandle());
}

void HelpWindow::followPage(const QUrl &url)
{
    for (int row = 0; row < contents().size(); ++row) {
        if (contents()[row].file == url.fileName()) {
            const QSignalBlocker quiet(m_contents);
            m_contents->setCurrentRow(row);
        }
    }
}

void HelpWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace kelvara
