// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include "app/startup.h"
#include "app/testing.h"
#include "common/sharedstore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace testsupport {

void freshConfiguration()
{
    static QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
}

bool useOffscreenScreen(int width, int height)
{
    static QTemporaryDir folder;
    QFile screen(folder.filePath(QStringLiteral("screen.json")));
    if (!screen.open(QIODevice::WriteOnly))
        return false;
    screen.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,
                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                     .arg(width)
                     .arg(height)
                     .toUtf8());
    screen.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    return true;
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

void scaleBoard(float halfWidth, float center, float lsl, float usl)
{
    kelvara::Scale scale = kelvara::sharedStore().state().scale;
    scale.halfWidth = halfWidth;
    scale.center = center;
    scale.lsl = lsl;
    scale.usl = usl;
    kelvara::sharedStore().applySpecLimitSwitch(scale);
}

void showSpecLimits(bool shown)
{
    kelvara::Scale scale = kelvara::sharedStore().state().scale;
    scale.showSpecLimits = shown;
    kelvara::sharedStore().applySpecLimitSwitch(scale);
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

QList<SeenMessage> answerMessages(const std::function<void()> &action, QMessageBox::StandardButton questionAnswer)
{
    QList<SeenMessage> seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&seen, questionAnswer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                     box->standardButton(box->defaultButton())});
        QAbstractButton *answer = box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok) : box->button(questionAnswer);
        answer ? answer->click() : QTest::keyClick(box, Qt::Key_Escape);
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

DialogVisit useSaveDialog(const std::function<void()> &action, const QString &path, int filter,
                          QList<QMessageBox::StandardButton> answers)
{
    DialogVisit visit;
    bool typed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *question = qobject_cast<QMessageBox *>(modal); question && typed) {
            visit.questions << question->text();
            question->button(answers.isEmpty() ? QMessageBox::No : answers.takeFirst())->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (visit.folder.isEmpty()) {
                visit.folder = dialog->directory().absolutePath();
                visit.name = dialog->objectName();
                visit.filters = dialog->nameFilters();
                visit.title = dialog->windowTitle();
                visit.saving = dialog->acceptMode() == QFileDialog::AcceptSave;
            }
            if (path.isEmpty() || typed)
                return dialog->reject();
            typed = true;
            dialog->setDirectory(QFileInfo(path).path());
            dialog->selectNameFilter(dialog->nameFilters().at(filter));
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QTest::keyClicks(edit, QFileInfo(path).fileName());
            // Enter opens the question, which this poll answers, so it is pressed outside the poll.
            QTimer::singleShot(0, edit, [edit] {
                if (QWidget *completions = QApplication::activePopupWidget())
                    completions->hide();
                QTest::keyClick(edit, Qt::Key_Return);
            });
        }
    });
    poll.start(5);
    action();
    return visit;
}

} // namespace testsupport
