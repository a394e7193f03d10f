// Painting the images of a busy layout: 200 call points, half round and half
// square, some showing a service name, as when a layout is chosen in the main window.
#include "layout/ui/PointDrawing.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

TLayOutPoints BusyLayout()
{
    TLayOutPoints points(200);
    for (int i = 0; i < 200; ++i) {
        TLayOutPoint& p = points[i];
        p.Name = QStringLiteral("T%1").arg(i + 1);
        p.Shape = static_cast<uint8_t>(i % 2);
        p.Width = 60;
        p.Height = 48;
        p.TxtPos = static_cast<uint8_t>(i % 3);
        p.DrawnKey = (i % 4 == 0) ? 12 : 0;
    }
    return points;
}

void BM_DrawTwoHundredCallPoints(benchmark::State& state)
{
    const TConfig cfg;
    const TLayOutPoints points = BusyLayout();
    for (auto _ : state) {
        for (const TLayOutPoint& p : points)
            benchmark::DoNotOptimize(DrawCallPoint(p, cfg));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}
BENCHMARK(BM_DrawTwoHundredCallPoints)->Unit(benchmark::kMillisecond);

void BM_DrawLargestRoundFace(benchmark::State& state)
{
    QImage surface(400, 400, QImage::Format_RGB32);
    for (auto _ : state)
        DrawButtonFace(surface, 0xF0CAA6, TFaceStyle::Round);
}
BENCHMARK(BM_DrawLargestRoundFace)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // The images are painted off screen; the tooltip font needs an application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
