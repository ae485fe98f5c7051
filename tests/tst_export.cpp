#include "reports/dataexport.h"
#include "rundriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace kelvara;

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// While it lives, answers the export's file dialog as soon as it is open.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(const std::function<void(QFileDialog *)> &answer)
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this, answer] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                m_poll.stop();
                answer(dialog);
            }
        });
        m_poll.start(5);
    }

private:
    QTimer m_poll;
};

} // namespace

class TestExport : public QObject {
    Q_OBJECT

    QWidget *m_window = nullptr;
    QTemporaryDir m_folder;

    QList<testsupport::SeenMessage> exportWith(const QString &button = QStringLiteral("cmdOutput"))
    {
        return testsupport::answerMessages([this, button] { testsupport::click(m_window, button); });
    }
    QList<testsupport::SeenMessage> exportTo(const QString &fileName, ExportType type)
    {
        testing::answerNextExportDialog(fileName, type);
        return exportWith();
    }
    // The lines of the file as the table shows them: subgroup number, then columns 1..n + 2.
    QStringList shownLines(const QString &separator) const
    {
        auto *table = testsupport::child<QTableWidget>(m_window, QStringLiteral("grdScaled"));
        QStringList lines;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList fields{QString::number(row + 1)};
            for (int column = 1; column < table->columnCount(); ++column)
                fields << table->item(row, column)->text();
            lines << fields.join(separator);
        }
        return lines;
    }

private slots:
    void initTestCase() { QVERIFY(m_folder.isValid() && (m_window = testsupport::startProgram())); }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void nothingToExportWarnsWithoutDialog()
    {
        rundriver::startRun(m_window, 5);
        bool dialogShown = false;
        const FileDialogAnswer answer([&dialogShown](QFileDialog *dialog) {
            dialogShown = true;
            dialog->reject();
        });
        const auto seen = exportWith();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("Kelvara"));
        QCOMPARE(seen.first().text, QStringLiteral("No data to output!"));
        QCOMPARE(seen.first().icon, QMessageBox::Warning);
        QVERIFY(!dialogShown);
    }

    void dialogOffersBothTypesAndCancelWritesNothing()
    {
        rundriver::startRun(m_window, 2);
        QVERIFY(rundriver::dropSubgroups(m_window, 2));
        const QDir programFolder(QCoreApplication::applicationDirPath());
        const QStringList before = programFolder.entryList();
        QStringList seen;
        const FileDialogAnswer answer([&seen](QFileDialog *dialog) {
            seen << dialog->objectName() << dialog->windowTitle() << dialog->nameFilters()
                 << QString::number(dialog->acceptMode()) << dialog->directory().absolutePath();
            dialog->reject();
        });
        QVERIFY(exportWith().isEmpty());
        QCOMPARE(seen, QStringList({"dlgOutput", "Output Data", "Comma Separated Values (CSV) For Excel(*.csv)",
                                    "Tab-Delimited Text File (*.txt)", QString::number(QFileDialog::AcceptSave),
                                    programFolder.absolutePath()}));
        QCOMPARE(programFolder.entryList(), before);
    }

    void dialogsTextTypeGivesTabsAndItsExtension()
    {
        rundriver::startRun(m_window, 2);
        QVERIFY(rundriver::dropSubgroups(m_window, 2));
        const FileDialogAnswer answer([this](QFileDialog *dialog) {
            dialog->selectNameFilter(QStringLiteral("Tab-Delimited Text File (*.txt)"));
            dialog->selectFile(m_folder.filePath(QStringLiteral("chosen")));
            static_cast<QDialog *>(dialog)->accept();
        });
        QVERIFY(exportWith().isEmpty());
        const QByteArray file = contentsOf(m_folder.filePath(QStringLiteral("chosen.txt")));
        QVERIFY(file.startsWith("SG No\tReading 1\tReading 2\tAverage\tRange\r\n"));
        QCOMPARE(file.count("\r\n"), 3);
    }

    void decimalCommaFileHoldsTheTableAsShown()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        rundriver::startRun(m_window, 3);
        QVERIFY(rundriver::dropSubgroups(m_window, 12));
        const QString file = m_folder.filePath(QStringLiteral("run.csv"));
        QVERIFY(exportTo(file, ExportType::CommaSeparated).isEmpty());

        const QStringList lines = QString::fromUtf8(contentsOf(file)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 14); // the last line ends with CR LF too
        QCOMPARE(lines.first(), QStringLiteral("SG No;Reading 1;Reading 2;Reading 3;Average;Range"));
        QCOMPARE(lines.mid(1, 12), shownLines(QStringLiteral(";")));
        for (const QString &line : lines.mid(1, 12))
            QCOMPARE(line.split(u';').size(), 6);
        QVERIFY(lines.at(1).contains(u','));
    }

    void secondExportReplacesTheFile()
    {
        const QString file = m_folder.filePath(QStringLiteral("twice.txt"));
        rundriver::startRun(m_window, 2);
        QVERIFY(rundriver::dropSubgroups(m_window, 20));
        QVERIFY(exportTo(file, ExportType::TabDelimited).isEmpty());
        rundriver::startRun(m_window, 2);
        QVERIFY(rundriver::dropSubgroups(m_window, 3));
        testsupport::answerMessages([this] { testsupport::click(m_window, QStringLiteral("histbutton")); });
        testing::answerNextExportDialog(file, ExportType::TabDelimited);
        QVERIFY(exportWith(QStringLiteral("cmdHistoOutput")).isEmpty());
        testsupport::click(m_window, QStringLiteral("histbackbutton"));
        QCOMPARE(QString::fromUtf8(contentsOf(file)),
                 "SG No\tReading 1\tReading 2\tAverage\tRange\r\n" + shownLines("\t").join("\r\n") + "\r\n");
    }

    void failedWriteIsReportedAndKeepsOldFiles_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("its folder is a regular file") << "old.csv/new.csv";
        QTest::newRow("the name is a folder's") << "";
    }

    void failedWriteIsReportedAndKeepsOldFiles()
    {
        QFETCH(QString, target);
        QTemporaryDir folder;
        QFile old(folder.filePath(QStringLiteral("old.csv")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("previous\r\n") == 10);
        old.close();
        rundriver::startRun(m_window, 2);
        QVERIFY(rundriver::dropSubgroups(m_window, 3));

        const auto seen = exportTo(folder.filePath(target), ExportType::CommaSeparated);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().title, QStringLiteral("Kelvara : ERROR !"));
        QCOMPARE(seen.first().icon, QMessageBox::Critical);
        QVERIFY2(seen.first().text.startsWith(QStringLiteral("Error saving data!\r\n")),
                 qPrintable(seen.first().text));
        QCOMPARE(contentsOf(old.fileName()), QByteArray("previous\r\n"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"old.csv"});
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
