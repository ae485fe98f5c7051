#include "testsupport.h"
#include "windows/applicationiconpainter.h"

#include <QtTest>

#include <cstdlib>

// The program's icon: compiled into the library, shown by every window, and
// the very picture its painter draws, so the installed icon matches too.

namespace {

const int iconSizes[] = {48, 256};

QString resourcePath(int size)
{
    return QStringLiteral(":/kelvara/icons/hicolor/%1x%1/apps/kelvara.png").arg(size);
}

QImage comparable(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage resourceImage(int size)
{
    return comparable(QImage(resourcePath(size)));
}

// The largest difference of any channel of any pixel of two same-sized images.
int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q), qAlpha(p) - qAlpha(q)})
                largest = std::max(largest, std::abs(d));
        }
    return largest;
}

// The mean difference over all channels of all pixels.
double meanDifference(const QImage &a, const QImage &b)
{
    double total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q))
                + std::abs(qAlpha(p) - qAlpha(q));
        }
    return total / (4.0 * a.width() * a.height());
}

} // namespace

class TestIcon : public QObject {
    Q_OBJECT

    QWidget *m_main = nullptr;

    // The icon of the about window, opened from the main window's About button.
    QIcon aboutWindowIcon()
    {
        QIcon icon;
        QTimer::singleShot(0, [&icon] {
            auto *about = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!about)
                return;
            if (about->objectName() == QStringLiteral("frmAbout"))
                icon = about->windowIcon();
            about->reject();
        });
        testsupport::click(m_main, QStringLiteral("aboutbutton"));
        return icon;
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_main = testsupport::startProgram();
        QVERIFY(m_main);
    }

    void resourceLoadsWithTransparentCorners_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("48 px") << 48;
        QTest::newRow("256 px") << 256;
    }
    // A test executable only links the static library: the icon must still be there.
    void resourceLoadsWithTransparentCorners()
    {
        QFETCH(int, size);
        const QImage image = resourceImage(size);
        QVERIFY2(!image.isNull(), qPrintable(resourcePath(size)));
        QCOMPARE(image.size(), QSize(size, size));
        // A rounded square on a transparent ground sits on any desktop colour.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(size - 1, size - 1)), 0);
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }

    void windowsShowTheResourceIcon_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << QStringLiteral("quincunxform");
        QTest::newRow("about window") << QStringLiteral("frmAbout");
        QTest::newRow("application, for every other window") << QString();
    }
    void windowsShowTheResourceIcon()
    {
        QFETCH(QString, window);
        const QIcon icon = window == QStringLiteral("quincunxform") ? m_main->windowIcon()
            : window == QStringLiteral("frmAbout")                  ? aboutWindowIcon()
                                                                    : QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        for (const int size : iconSizes) {
            QCOMPARE(icon.actualSize(QSize(size, size)), QSize(size, size));
            QVERIFY2(comparable(icon.pixmap(size).toImage()) == resourceImage(size),
                     qPrintable(QStringLiteral("%1 px").arg(size)));
        }
    }

    void iconFilesAreWhatThePainterDraws_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("48 px") << 48;
        QTest::newRow("256 px") << 256;
    }
    // The committed files are generated; after a change to the painter they
    // must be regenerated with scripts/icon.sh. Two levels allow for another
    // Qt version's antialiasing.
    void iconFilesAreWhatThePainterDraws()
    {
        QFETCH(int, size);
        const QImage painted = comparable(kelvara::applicationIconImage(size));
        QCOMPARE(painted.size(), QSize(size, size));
        QVERIFY2(largestDifference(painted, resourceImage(size)) <= 2, "run scripts/icon.sh");
    }

    // Painted large and scaled down, the icon is the picture painted small:
    // the painter works in its own units, not in pixels.
    void paintingScalesWithTheSize()
    {
        const QImage small = comparable(kelvara::applicationIconImage(48));
        const QImage large = comparable(
            kelvara::applicationIconImage(256).scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        const double mean = meanDifference(small, large);
        QVERIFY2(mean < 6, qPrintable(QString::number(mean)));
    }
};

QTEST_MAIN(TestIcon)
#include "tst_icon.moc"
