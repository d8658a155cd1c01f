// vantrel-splashart OUT.cpp: draws the splash picture once, when the program is built, and writes
// its pixels as a C++ source, so that the start shows them without drawing.
#include "gui/shell/artwork.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: vantrel-splashart OUT.cpp\n", stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QImage image = artwork::splashImage(1.0);
    std::FILE *out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fputs("// Made by vantrel-splashart when the program was built.\n"
               "#include \"prebuiltsplash.h\"\n\n"
               "alignas(4) extern const unsigned char PrebuiltSplashPixels[] = {",
               out);
    for (qsizetype i = 0; i < image.sizeInBytes(); ++i)
        std::fprintf(out, "%s%u", i == 0 ? "\n" : i % 32 ? "," : ",\n", image.constBits()[i]);
    std::fputs("};\n", out);
    return std::fclose(out) == 0 && image.format() == QImage::Format_RGB32 ? 0 : 1;
}
