// Replays every file in the folders given on the command line through a fuzz target, so the normal
// build checks the seeds and every crash file found so far.
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const QDir dir(QString::fromLocal8Bit(argv[i]));
        for (const QFileInfo& info : dir.entryInfoList(QDir::Files, QDir::Name)) {
            QFile f(info.filePath());
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(info.filePath()));
                return 1;
            }
            const QByteArray bytes = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            ++files;
        }
    }
    std::printf("replayed %d files\n", files);
    return files > 0 ? 0 : 1;
}
