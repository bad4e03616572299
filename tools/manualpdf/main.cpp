// manualpdf: renders the Markdown user manual into one PDF file.
#include "tools/manualpdf/manual_renderer.h"

#include <QStringList>

#include <cstdio>
#include <cstring>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: manualpdf [--title TEXT] [--version TEXT] -o OUTPUT.pdf CHAPTER.md...\n"
                         "Chapters are UTF-8 Markdown, laid out in the order given; pictures are\n"
                         "looked up beside the chapter that shows them.\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QString title = QStringLiteral("ZQEditor"), version, output;
    QStringList chapters;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--title") == 0 && hasValue)
            title = QString::fromUtf8(argv[++i]);
        else if (std::strcmp(argv[i], "--version") == 0 && hasValue)
            version = QString::fromUtf8(argv[++i]);
        else if (std::strcmp(argv[i], "-o") == 0 && hasValue)
            output = QString::fromLocal8Bit(argv[++i]);
        else if (argv[i][0] == '-')
            return Usage();
        else
            chapters << QString::fromLocal8Bit(argv[i]);
    }
    if (output.isEmpty() || chapters.isEmpty())
        return Usage();
    QString error;
    if (!CManualRenderer(title, version).Render(chapters, output, error)) {
        std::fprintf(stderr, "manualpdf: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
