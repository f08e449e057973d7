// Writes a generated word book of the given size into a data folder, as the program writes it:
//   make-word-book <folder> <words>
#include "support/WordBookGenerator.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    bool counted = false;
    const int count = arguments.value(2).toInt(&counted);
    if (arguments.size() != 3 || !counted || count < 0) {
        std::fprintf(stderr, "usage: make-word-book <folder> <words>\n");
        return 2;
    }
    QDir().mkpath(arguments[1]);
    const glossivo::AppPaths paths(arguments[1]);
    glossivo::DocumentFile file(paths.words());
    if (!file.write(glossivo::bench::encodeWords(glossivo::bench::generateWords(count)))) {
        std::fprintf(stderr, "make-word-book: %s\n", qPrintable(file.lastError()));
        return 1;
    }
    return 0;
}
