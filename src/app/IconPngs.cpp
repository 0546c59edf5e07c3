// tandemx-icon-pngs DIR SIZE...: writes the application icon, drawn as the program draws it, as
// DIR/<SIZE>x<SIZE>/apps/tandemx.png for each size: the PNG sizes of the desktop's icon theme.
#include "forms/Icons.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv)
{
    // Drawing needs the GUI side of Qt, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fputs("usage: tandemx-icon-pngs DIR SIZE...\n", stderr);
        return 2;
    }
    for (const QString& sizeText : args.mid(1)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            std::fprintf(stderr, "tandemx-icon-pngs: not a size: %s\n", qPrintable(sizeText));
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args.first()).arg(size);
        const QString file = dir + QStringLiteral("/tandemx.png");
        if (!QDir().mkpath(dir) || !tandemx::appIconPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "tandemx-icon-pngs: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
