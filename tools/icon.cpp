// SPDX-License-Identifier: GPL-3.0-or-later
// Renders Kelvara's icon from the program's own painter into the hicolor
// layout the desktop expects, so the committed icon files can be regenerated
// whenever the painting changes.
//   kelvara_icon OUTPUT_FOLDER   (writes OUTPUT_FOLDER/hicolor/<n>x<n>/apps/kelvara.png)

#include "windows/applicationiconpainter.h"

#include <QDir>
#include <QSaveFile>
#include <QString>

#include <cstdio>

namespace {

bool saveIcon(const QDir &folder, int size)
{
    const QString relative = QStringLiteral("hicolor/%1x%1/apps").arg(size);
    if (!folder.mkpath(relative))
        return false;
    QSaveFile file(folder.filePath(relative + QStringLiteral("/kelvara.png")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return kelvara::applicationIconImage(size).save(&file, "PNG") && file.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    for (const int size : {48, 256}) {
        if (!saveIcon(folder, size)) {
            std::fprintf(stderr, "could not write the %d px icon under %s\n", size, qPrintable(folder.path()));
            return 1;
        }
    }
    return 0;
}
