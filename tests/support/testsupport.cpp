// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include "app/startup.h"
#include "app/testing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace testsupport {

void freshConfiguration()
{
    static QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
}

QWidget *topLevel(const QString &name)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name)
            return widget;
    return nullptr;
}

QWidget *startProgram(std::uint32_t seed)
{
    kelvara::testing::setTimeScale(0);
    kelvara::testing::seedRandom(seed);
    if (!kelvara::startUp())
        return nullptr;
    return topLevel(QStringLiteral("quincunxform"));
}

kelvara::QuincunxForm *startMainWindow(std::uint32_t seed)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return static_cast<kelvara::QuincunxForm *>(startProgram(seed));
}

void click(QWidget *window, const QString &name)
{
    if (auto *button = child<QAbstractButton>(window, name))
        button->click();
}

void chooseCopyChartInNextMenu()
{
    QTimer::singleShot(0, [] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(menu->objectName() + u'/' + menu->actions().first()->text(), "mnuCP/Copy Chart");
    });
}

void chooseInNextMenu(const QString &text)
{
    QTimer::singleShot(0, [text] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction *item = nullptr;
        for (QAction *action : menu->actions())
            if (action->text() == text)
                item = action;
        QVERIFY2(item, qPrintable(text));
        menu->setActiveAction(item);
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

QList<SeenMessage> answerMessages(const std::function<void()> &action)
{
    QList<SeenMessage> seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen.append({box->windowTitle(), box->text(), box->icon()});
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->accept();
    });
    poll.start();
    action();
    poll.stop();
    return seen;
}

void typeDropCount(QWidget *window, int count)
{
    child<QLineEdit>(window, QStringLiteral("howmanytext"))->setText(QString::number(count));
}

QList<SeenMessage> runSubgroups(QWidget *window, int count)
{
    typeDropCount(window, count);
    return answerMessages([window] { click(window, QStringLiteral("dropbutton")); });
}

} // namespace testsupport
