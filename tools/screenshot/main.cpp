// quenlark-screenshot WINDOW-ID OUTPUT.png: saves what an X window shows (the window's own
// pixels, read from the X server) as a PNG and prints how many distinct colours it holds.
// quenlark-screenshot --colours FILE.png: prints that number for a saved picture.
// A tool of scripts/screenshots.sh, never installed.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSet>

#include <cstdio>

namespace {

qsizetype distinctColours(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            colours.insert(line[x]);
    }
    return colours.size();
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--colours")) {
        const QImage image(args.at(2));
        if (image.isNull()) {
            std::fprintf(stderr, "quenlark-screenshot: cannot read %s\n", qPrintable(args.at(2)));
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(distinctColours(image)));
        return 0;
    }
    bool idOk = false;
    const WId id = args.size() == 3 ? args.at(1).toULongLong(&idOk, 0) : 0;
    if (!idOk || id == 0) {
        std::fputs("usage: quenlark-screenshot WINDOW-ID OUTPUT.png | --colours FILE.png\n",
                   stderr);
        return 2;
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(id);
    if (shot.isNull() || !shot.save(args.at(2), "PNG", 9)) {
        std::fprintf(stderr, "quenlark-screenshot: cannot save window %s as %s\n",
                     qPrintable(args.at(1)), qPrintable(args.at(2)));
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(distinctColours(shot.toImage())));
    return 0;
}
