#include "tavlofile/imageinfo.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

namespace {

constexpr qsizetype inputSize = 64 * 1024 * 1024;

// Pseudo-random bytes standing in for compressed picture data: 0xFF turns up about every
// 255 bytes, FF D8 FF never does, so the JPEG start search crosses the whole input. Byte 0
// never occurs, which gives the plain memchr a value to look for over the whole buffer.
const QByteArray& input()
{
    static const QByteArray bytes = [] {
        QByteArray out(inputSize, Qt::Uninitialized);
        std::mt19937 random(20240601);
        std::uniform_int_distribution<int> nonZero(1, 255);
        for (char& c : out)
            c = static_cast<char>(nonZero(random));
        for (qsizetype i = 0; i + 1 < out.size(); ++i) {
            if (out[i] == '\xFF' && out[i + 1] == '\xD8')
                out[i + 1] = '\xD7';
        }
        out[0] = '\x01'; // not the start of a PNG, GIF or BMP header
        return out;
    }();
    return bytes;
}

const QString& inputFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString name = dir.filePath("nojpeg.bin");
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(input()) != input().size())
            qFatal("cannot write %s", qPrintable(name));
        return name;
    }();
    return path;
}

void readImageInfoFile(benchmark::State& state)
{
    const QString& path = inputFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavlo::readImageInfo(path));
    state.SetBytesProcessed(state.iterations() * inputSize);
}

void readImageInfoBytes(benchmark::State& state)
{
    const QByteArrayView bytes(input());
    for (auto _ : state)
        benchmark::DoNotOptimize(tavlo::readImageInfo(bytes));
    state.SetBytesProcessed(state.iterations() * inputSize);
}

void plainMemchr(benchmark::State& state)
{
    const QByteArray& bytes = input();
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(bytes.constData(), 0, bytes.size()));
    state.SetBytesProcessed(state.iterations() * inputSize);
}

// A sparse file of range(0) GiB that holds no picture: only its head is read, so the time
// is the same for 1 and for 10 GiB.
void readImageInfoSparse(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sparse.bin");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(state.range(0) << 30))
        qFatal("cannot make %s", qPrintable(path));
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavlo::readImageInfo(path));
}

} // namespace

BENCHMARK(readImageInfoSparse)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(readImageInfoFile)->Unit(benchmark::kMillisecond);
BENCHMARK(readImageInfoBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(plainMemchr)->Unit(benchmark::kMillisecond);
