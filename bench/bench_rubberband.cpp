// One mouse move of a rubber band on a big picture against a small one: the
// exclusive-or painting plus the repaint it triggers, on the offscreen platform.
#include "editor/frmmap.h"
#include "editor/mapee.h"
#include "tests/support/fixedscreen.h"

#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tavlo;

static void rubberBandMove(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.jpg"));
    QImage picture(side, side, QImage::Format_RGB32);
    picture.fill(QColor(40, 110, 160));
    picture.save(path, "JPG");

    test::FixedScreen screen(QSize(1280, 1024));
    frmMap window(MapEnvironment{nullptr, nullptr, nullptr, &screen});
    window.show();
    if (!window.imgSpecs(path))
        state.SkipWithError("picture not loaded");
    QApplication::processEvents();

    Mapee* canvas = window.mapee();
    const auto send = [canvas](QEvent::Type type, QPointF pos, Qt::MouseButtons buttons) {
        QMouseEvent event(type, pos, canvas->mapToGlobal(pos), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(canvas, &event);
    };
    send(QEvent::MouseButtonPress, QPointF(100, 100), Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        const QPointF to(300 + (i * 7) % 200, 250 + (i * 13) % 150);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        // The repaint the move asked for.
        QApplication::processEvents();
        ++i;
    }
    send(QEvent::MouseButtonRelease, QPointF(100, 100), Qt::NoButton);
}
BENCHMARK(rubberBandMove)->Arg(800)->Arg(8000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QImageReader::setAllocationLimit(1024);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
