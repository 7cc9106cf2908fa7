// A 12-megapixel JPEG to its 640-pixel thumbnail through the image store's
// decoder, against decoding the whole image and scaling it, and to a catalog
// card's box. Prints the ratios.
#include "media/ProductImageStore.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <map>
#include <string>

using namespace vantrel;

namespace {

// 4000 x 3000 with gradients and detail, so the encoder cannot shrink it to
// almost nothing and the decoder does real work.
const QByteArray &photo()
{
    static const QByteArray bytes = [] {
        QImage image(4000, 3000, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 4000, 3000);
        gradient.setColorAt(0, QColor(240, 236, 228));
        gradient.setColorAt(1, QColor(60, 72, 88));
        painter.fillRect(image.rect(), gradient);
        for (int i = 0; i < 400; ++i) {
            painter.setPen(QPen(QColor::fromHsv((i * 37) % 360, 120, 200), 3));
            painter.drawLine((i * 97) % 4000, 0, (i * 53) % 4000, 3000);
        }
        painter.end();
        QByteArray encoded;
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(90);
        writer.write(image);
        return encoded;
    }();
    return bytes;
}

void thumbnail(benchmark::State &state)
{
    for (auto _ : state) {
        QImage image = ProductImageStore::thumbnail(photo());
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(thumbnail)->Unit(benchmark::kMillisecond);

// The same photo for a catalog card's box (189 x 136 points at twice the pixels).
const QSize cardBox(378, 272);

void thumbnailForCard(benchmark::State &state)
{
    for (auto _ : state) {
        QImage image = ProductImageStore::thumbnail(photo(), cardBox);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(thumbnailForCard)->Unit(benchmark::kMillisecond);

void decodeWholeAndScale(benchmark::State &state)
{
    for (auto _ : state) {
        QImage image =
            QImage::fromData(photo()).scaled(640, 640, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(decodeWholeAndScale)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's mean time per iteration so the ratio can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.iterations > 0) times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const QImage check = ProductImageStore::thumbnail(photo());
    if (check.size() != QSize(640, 480)) {
        std::fprintf(stderr, "unexpected thumbnail size %dx%d\n", check.width(), check.height());
        return 1;
    }
    const QImage forCard = ProductImageStore::thumbnail(photo(), cardBox);
    std::printf("card thumbnail: %dx%d\n", forCard.width(), forCard.height());
    std::printf("photo: 4000x3000 JPEG, %.2f MB\n", photo().size() / 1e6);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double fast = reporter.times["thumbnail"];
    const double slow = reporter.times["decodeWholeAndScale"];
    if (fast > 0 && slow > 0) {
        std::printf("ratio whole decode and scale / thumbnail: %.2f (bar: >= 4.00)\n", slow / fast);
    }
    const double card = reporter.times["thumbnailForCard"];
    if (fast > 0 && card > 0) std::printf("ratio thumbnail / card's thumbnail: %.2f\n", fast / card);
    return 0;
}
