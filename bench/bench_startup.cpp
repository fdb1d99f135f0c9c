#include "BenchRecordFile.h"
#include "data/DatabaseStartup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

// Start-up compaction and opening of a record file of 10,000 residents with three assessments.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int residents = argc > 1 ? QString(argv[1]).toInt() : 10000;
    QTemporaryDir folder;
    const QString path = folder.filePath(orv::DatabaseStartup::DatabaseName);

    QElapsedTimer timer;
    timer.start();
    if (!orv::bench::buildRecordFile(path, residents, 3))
        return 1;
    std::printf("record file: %d residents x 3 assessments: %.1f MB, built in %lld ms\n", residents,
                QFileInfo(path).size() / 1048576.0, timer.elapsed());

    for (int run = 1; run <= 3; ++run) {
        QString error;
        timer.restart();
        auto db = orv::DatabaseStartup(folder.path()).run(&error);
        const qint64 elapsed = timer.elapsed();
        if (!db) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("start-up %d: compaction and open %lld ms\n", run, elapsed);
    }
    return 0;
}
