// Time to play a map WMF of 20,000 coloured polylines (the picture reader's
// whole route from bytes to image: the records read, each call counted and
// drawn), beside a plain reference in the same run: the same polylines drawn
// with one QPainter on a white image of the same size.
#include "bench/redraw.h"
#include "platform/ui/metafile.h"
#include "tests/support/metafile_records.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kSide = 2000;
constexpr int kLines = 20000;
constexpr int kPoints = 28;

struct Map {
    QList<QList<QPoint>> lines;
    QList<quint32> colours; // COLORREF
};

// Contour-like lines: short steps from a random start, each line in its own colour.
const Map& map()
{
    static const Map m = [] {
        Map out;
        std::mt19937 random(20261209); // a fixed seed: every run draws the same map
        const auto next = [&random](int below) { return int(random() % unsigned(below)); };
        for (int i = 0; i < kLines; ++i) {
            QList<QPoint> line;
            QPoint p(next(kSide), next(kSide));
            for (int k = 0; k < kPoints; ++k) {
                line << p;
                p = QPoint(std::clamp(p.x() + next(21) - 10, 0, kSide - 1), std::clamp(p.y() + next(21) - 10, 0, kSide - 1));
            }
            out.lines << line;
            out.colours << kv::test::colorRef(next(256), next(256), next(256));
        }
        return out;
    }();
    return m;
}

// A pen for each line, made, selected, used and deleted, as map makers write them.
const QByteArray& mapWmf()
{
    static const QByteArray file = [] {
        using namespace kv::test;
        QByteArray records;
        for (qsizetype i = 0; i < map().lines.size(); ++i)
            records += wmf::createPenIndirect(gdi::psSolid, 0, map().colours[i]) + wmf::selectObject(0)
                       + wmf::polyline(map().lines[i]) + wmf::deleteObject(0);
        return wmf::placeableHeader(0, 0, kSide, kSide, 96) + wmf::metafile(records, 1);
    }();
    return file;
}

double plainSeconds()
{
    QImage image(kSide, kSide, QImage::Format_RGB32);
    const double start = kv::bench::seconds();
    image.fill(Qt::white);
    QPainter painter(&image);
    for (qsizetype i = 0; i < map().lines.size(); ++i) {
        const quint32 c = map().colours[i];
        QPen pen(QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)), 0);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawPolyline(QPolygon(map().lines[i]));
    }
    painter.end();
    return kv::bench::seconds() - start;
}

void BM_MetafileMapOf20000Polylines(benchmark::State& state)
{
    double played = 0, plain = 0;
    int n = 0;
    for (auto _ : state) {
        const double start = kv::bench::seconds();
        const kv::MetafileRead read = kv::renderMetafile(mapWmf());
        played += kv::bench::seconds() - start;
        benchmark::DoNotOptimize(read.image.constBits());
        if (read.fault != kv::MetafileFault::None)
            state.SkipWithError("the map was not drawn");
        plain += plainSeconds();
        ++n;
    }
    kv::bench::reportAgainst(state, "play", played / n, plain / n);
}
BENCHMARK(BM_MetafileMapOf20000Polylines)->Unit(benchmark::kMillisecond);

} // namespace
