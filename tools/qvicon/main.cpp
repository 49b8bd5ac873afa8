// qvicon OUTDIR: draws the program's icon in the sizes desktops use, as
// OUTDIR/hicolor/<n>x<n>/apps/com.varnholt.quorvane.png. The build runs it; `cmake --install` copies
// the result.
#include "about/ProductPicture.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qvicon OUTDIR\n");
        return 2;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps")
                                   .arg(QString::fromLocal8Bit(argv[1]), QString::number(size));
        const QString file = folder + QStringLiteral("/com.varnholt.quorvane.png");
        if (!QDir().mkpath(folder) || !ProductPicture(QSize(size, size), true).save(file, "PNG")) {
            std::fprintf(stderr, "qvicon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
