// Runs a fuzz target over saved inputs without libFuzzer: every file of the
// directories given (the seed corpus and the kept crashes), and every file
// given by name (one finding, for its full sanitizer report), one call each.
// A failing property aborts, which fails the test that runs this.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int inputs = 0;
    for (const QString& arg : app.arguments().mid(1)) {
        const QFileInfo given(arg);
        const QFileInfoList files =
            given.isDir() ? QDir(arg).entryInfoList(QDir::Files, QDir::Name) : QFileInfoList{given};
        for (const QFileInfo& info : files) {
            QFile file(info.filePath());
            if (!file.open(QIODevice::ReadOnly)) {
                QTextStream(stderr) << "cannot read " << info.filePath() << '\n';
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
            ++inputs;
        }
    }
    QTextStream(stdout) << inputs << " inputs replayed\n";
    return inputs > 0 ? 0 : 1;
}
