// The structure diagram of the largest mechanisms: the records made into the diagram's model, its
// grid and paths, and the drawing painted into an image of the diagram panel's size, as the panel
// does after every answer.

#include "diagram/diagrammodel.h"
#include "diagram/diagrampainter.h"
#include "model/session.h"
#include "tests/support/mechanismbuilder.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// The panel's own size (DiagramPanel) less its frame and the findings list below the drawing.
const QSize kPanelView(540, 400);

// Every array full: 64 link records with 32 points each, 64 groups, pairs to a frame never named.
const QString kRecordsFull = QStringLiteral("@largest");
// 64 pairs in a ring of 64 links, one group named: 61 links in no group, all drawn with their pairs.
const QString kRing = QStringLiteral(
    "new; session GroupCount=0; repeat 64 pair + Name=P%1 ParaType=r Zveno1=%1 Zveno2=%2; repeat 64 link + Name=%1; "
    "link 1 IsFrame=1; link 2 IsDriving=1; group + Name=1 Zveno1Index=3 Zveno2Index=4 GType=1");

// Argument 0: painted into an image of the panel's view; 1: into one of the whole drawing, as the
// PNG export does.
void drawn(benchmark::State& state, const QString& description)
{
    const Session s = mechanism(description);
    const QSize whole = layoutGeometry(buildDiagram(s), QRectF(QPointF(), QSizeF(kPanelView))).size.toSize();
    QImage image(state.range(0) == 0 ? kPanelView : whole, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const DiagramModel model = buildDiagram(s);
        // The widget is as large as the drawing needs, at least the view; the view shows its corner.
        const QSizeF need = layoutGeometry(model, QRectF()).size;
        const QRectF area(QPointF(), QSizeF(std::max<qreal>(need.width(), kPanelView.width()),
                                            std::max<qreal>(need.height(), kPanelView.height())));
        QPainter painter(&image);
        paintDiagram(painter, model, area);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["links"] = double(buildDiagram(s).nodes.size());
}

void BM_DiagramRecordsFull(benchmark::State& state)
{
    drawn(state, kRecordsFull);
}

void BM_DiagramRing(benchmark::State& state)
{
    drawn(state, kRing);
}

} // namespace

BENCHMARK(BM_DiagramRecordsFull)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiagramRing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Text needs a font database, so a Gui application (on the offscreen platform: no display).
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
