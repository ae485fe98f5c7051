// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/savedialog.h"
#include "reports/dataexport.h"
#include "rundriver.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace kelvara;
using namespace testsupport;

static QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

class TestExport : public QObject {
    Q_OBJECT
    QWidget *m_window = nullptr;
    auto exportVia(QString button = "cmdOutput") { return answerMessages([this, button] { click(m_window, button); }); }
    bool run(int n, int subgroups) { rundriver::startRun(m_window, n); return rundriver::dropSubgroups(m_window, subgroups); }

private slots:
    void initTestCase()
    {
        freshConfiguration();
        QVERIFY(m_window = startProgram());
    }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // No data: a warning and no file dialog. Then the real dialog: both types, saving, in the
    // program's folder; cancelling it writes nothing.
    void dialogOnlyWithDataAndCancelWritesNothing()
    {
        rundriver::startRun(m_window, 5);
        QList<SeenMessage> seen;
        QVERIFY(useSaveDialog([&] { seen = exportVia(); }).name.isEmpty());
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title + u'|' + seen.first().text, QStringLiteral("Kelvara|No data to output!"));
        QCOMPARE(seen.first().icon, QMessageBox::Warning);

        QVERIFY(rundriver::dropSubgroups(m_window, 2));
        const QDir programFolder(QCoreApplication::applicationDirPath());
        const QStringList before = programFolder.entryList();
        const DialogVisit visit = useSaveDialog([this] { QVERIFY(exportVia().isEmpty()); });
        QCOMPARE(QStringList({visit.name, visit.title, visit.folder}) + visit.filters,
                 QStringList({"dlgOutput", "Output Data", programFolder.absolutePath(),
                              "Comma Separated Values (CSV) For Excel(*.csv)", "Tab-Delimited Text File (*.txt)"}));
        QVERIFY(visit.saving);
        QCOMPARE(programFolder.entryList(), before);
    }

    // With a decimal comma, CSV fields are split by ";": every line has n + 3 of them, the table's
    // cells as shown. A second, shorter export, here from the histograms, replaces the file.
    void decimalCommaFileHoldsTheTableAndIsReplaced()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QTemporaryDir folder;
        QVERIFY(run(3, 12));
        testing::answerNextExportDialog(folder.filePath("run.csv"), ExportType::CommaSeparated);
        QVERIFY(exportVia().isEmpty());
        QVERIFY(run(2, 3));
        answerMessages([this] { click(m_window, "histbutton"); });
        testing::answerNextExportDialog(folder.filePath("run.csv"), ExportType::CommaSeparated);
        QVERIFY(exportVia("cmdHistoOutput").isEmpty());
        click(m_window, "histbackbutton");

        auto *table = child<QTableWidget>(m_window, "grdScaled");
        QStringList lines{"SG No;Reading 1;Reading 2;Average;Range"};
        for (int row = 0; row < table->rowCount(); ++row) {
            lines << QString::number(row + 1);
            for (int column = 1; column < table->columnCount(); ++column)
                lines.last() += u';' + table->item(row, column)->text();
            QCOMPARE(lines.last().split(u';').size(), 5);
        }
        QCOMPARE(QString::fromUtf8(contentsOf(folder.filePath("run.csv"))), lines.join("\r\n") + "\r\n");
        QVERIFY(lines.at(1).contains(u','));
    }

    // A file cannot be written where its folder is a regular file: that file stays as it was.
    void failedWriteIsReportedAndKeepsTheOldFile()
    {
        const QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath("old.csv"), "previous\r\n"));
        QVERIFY(run(2, 3));
        testing::answerNextExportDialog(folder.filePath("old.csv/new.csv"), ExportType::CommaSeparated);
        const auto seen = exportVia();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title + u'|' + seen.first().text.section("\r\n", 0, 0),
                 QStringLiteral("Kelvara : ERROR !|Error saving data!"));
        QCOMPARE(seen.first().icon, QMessageBox::Critical);
        QCOMPARE(contentsOf(folder.filePath("old.csv")), QByteArray("previous\r\n"));
    }

    // The dialog adds the type's extension before it looks for the file, so "lesson1" asks about
    // lesson1.csv: No keeps it and returns to the dialog, Yes replaces it. A new name asks nothing.
    void typedNameIsCheckedWithItsExtension_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("writtenFile");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<int>("questions");
        QTest::newRow("No keeps the file") << 0 << QMessageBox::No << "lesson1.csv" << "old" << 1;
        QTest::newRow("Yes replaces it") << 0 << QMessageBox::Yes << "lesson1.csv" << "SG No,Reading 1,Reading 2,Average,Range" << 1;
        QTest::newRow("new name, other type") << 1 << QMessageBox::No << "lesson1.txt" << "SG No\tReading 1\tReading 2\tAverage\tRange" << 0;
    }
    void typedNameIsCheckedWithItsExtension()
    {
        QFETCH(int, filter);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, writtenFile);
        QFETCH(QString, firstLine);
        QFETCH(int, questions);
        const QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath("lesson1.csv"), "old\r\n"));
        QVERIFY(run(2, 3));
        const DialogVisit visit =
            useSaveDialog([this] { QVERIFY(exportVia().isEmpty()); }, folder.filePath("lesson1"), filter, {answer});
        QCOMPARE(visit.questions.size(), questions);
        if (questions > 0)
            QVERIFY2(visit.questions.first().startsWith("lesson1.csv already exists"), qPrintable(visit.questions.first()));
        QCOMPARE(QString::fromUtf8(contentsOf(folder.filePath(writtenFile))).section("\r\n", 0, 0), firstLine);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), filter + 1);
    }

    // A save dialog opens in the program's folder only while that can be written; after a save, in
    // the folder saved to, until that folder is gone.
    void saveDialogOpensWhereASaveCanGo()
    {
        const QTemporaryDir programFolder, documents;
        const QString userDirs = qEnvironmentVariable("XDG_CONFIG_HOME") + "/user-dirs.dirs";
        QVERIFY(writeFile(userDirs, "XDG_DOCUMENTS_DIR=\"" + documents.path().toUtf8() + "\"\n"));
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), documents.path());
        const QString unwritable = programFolder.filePath("program.csv/bin"); // its parent is a file
        QVERIFY(writeFile(programFolder.filePath("program.csv"), "x"));
        QVERIFY(run(2, 1));
        const auto openedIn = [this](const QString &program) {
            testing::setProgramFolder(program);
            return useSaveDialog([this] { exportVia(); }).folder;
        };
        auto savedTo = std::make_unique<QTemporaryDir>();
        testing::setProgramFolder(unwritable);
        useSaveDialog([this] { exportVia(); }, savedTo->filePath("saved"));
        QVERIFY(QFile::exists(savedTo->filePath("saved.csv")));
        QCOMPARE(openedIn(programFolder.path()), savedTo->path());
        savedTo.reset();
        QCOMPARE(openedIn(programFolder.path()), programFolder.path());
        QCOMPARE(openedIn(unwritable), documents.path());
        testing::setProgramFolder({});
        QFile::remove(userDirs);
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
