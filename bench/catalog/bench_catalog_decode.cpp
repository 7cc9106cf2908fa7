// Decoding a 10,000-product catalog with the generic record codec, against a
// hand-written simdjson walk that builds the same QStrings. Prints the ratio.
#include "records/Reference.h"

#include <benchmark/benchmark.h>

#include <QJsonArray>
#include <QRandomGenerator>

#include <cstdio>
#include <map>
#include <string>

using namespace vantrel;

namespace {

QByteArray makeCatalog(int count)
{
    QRandomGenerator random(42);
    const char *finishes[] = {"WS", "WO", "GS"};
    const char *categories[] = {"Base", "Wall", "Vanity", "Accessories"};
    QJsonArray products;
    for (int i = 0; i < count; ++i) {
        const int size = 9 + 3 * int(random.bounded(12));
        const QString finish = QString::fromLatin1(finishes[i % 3]);
        QJsonObject p;
        p.insert("id", QString::number(4'100'000'000LL + i));
        p.insert("name", QStringLiteral("White Shaker %1 Base Cabinet, %2 finish").arg(size).arg(finish));
        p.insert("sku", QStringLiteral("B%1-%2%3").arg(size).arg(finish).arg(i % 7 == 0 ? "X" : ""));
        p.insert(
            "description",
            QStringLiteral(
                "Full-overlay shaker door, soft-close hinges, dovetail drawer box, "
                "plywood box with a %1 inch width; assembled in the warehouse on order, ships in 3-5 days.")
                .arg(size));
        p.insert("rate", QString::number(99 + int(random.bounded(900))) +
                             QStringLiteral(".%1").arg(i % 100, 2, 10, QLatin1Char('0')));
        if (i % 5) p.insert("stock", QString::number(int(random.bounded(40))) + QStringLiteral(".0"));
        p.insert("composite", i % 4 == 0);
        p.insert("stock_source", i % 4 == 0 ? QStringLiteral("components") : QStringLiteral("warehouse"));
        p.insert("tax_id", QStringLiteral("4100000000000%1").arg(i % 3));
        p.insert("category", QString::fromLatin1(categories[i % 4]));
        if (i % 9) {
            p.insert("image_path", QStringLiteral("/api/items/%1/image").arg(4'100'000'000LL + i));
            p.insert("image_version",
                     QStringLiteral("2026-11-%1T10:00:00Z").arg(1 + i % 28, 2, 10, QLatin1Char('0')));
        }
        products.append(p);
    }
    QJsonObject catalog;
    catalog.insert("at", 1796000000.25);
    catalog.insert("products", products);
    return QJsonDocument(catalog).toJson(QJsonDocument::Compact);
}

const QByteArray &catalogBytes()
{
    static const QByteArray bytes = makeCatalog(10'000);
    return bytes;
}

// The baseline: the keys are known, no strictness bookkeeping, no key
// conversion; only the strings are built.
Catalog bareWalk(const QByteArray &json)
{
    static simdjson::ondemand::parser parser;
    simdjson::padded_string padded(json.constData(), size_t(json.size()));
    auto doc = parser.iterate(padded);
    Catalog catalog;
    auto text = [](simdjson::ondemand::value &v) {
        std::string_view s = v.get_string();
        return QString::fromUtf8(s.data(), qsizetype(s.size()));
    };
    for (auto field : doc.get_object()) {
        std::string_view key = field.unescaped_key();
        if (key == "at") {
            catalog.at = double(field.value());
        } else if (key == "products") {
            for (auto element : field.value().get_array()) {
                Product p;
                for (auto f : element.get_object()) {
                    std::string_view k = f.unescaped_key();
                    simdjson::ondemand::value v = f.value();
                    if (k == "id")
                        p.id = text(v);
                    else if (k == "name")
                        p.name = text(v);
                    else if (k == "sku")
                        p.sku = text(v);
                    else if (k == "description")
                        p.description = text(v);
                    else if (k == "rate")
                        p.rate = text(v);
                    else if (k == "stock")
                        p.stock = text(v);
                    else if (k == "composite")
                        p.composite = bool(v);
                    else if (k == "stock_source")
                        p.stockSource = text(v);
                    else if (k == "tax_id")
                        p.taxId = text(v);
                    else if (k == "category")
                        p.category = text(v);
                    else if (k == "image_path")
                        p.imagePath = text(v);
                    else if (k == "image_version")
                        p.imageVersion = text(v);
                }
                catalog.products.append(std::move(p));
            }
        }
    }
    return catalog;
}

void BM_BareSimdjsonWalk(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(bareWalk(catalogBytes()));
    state.SetBytesProcessed(int64_t(state.iterations()) * catalogBytes().size());
}
BENCHMARK(BM_BareSimdjsonWalk)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CodecDecode(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(decode<Catalog>(catalogBytes(), KeyStyle::Wire));
    state.SetBytesProcessed(int64_t(state.iterations()) * catalogBytes().size());
}
BENCHMARK(BM_CodecDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps each benchmark's mean time per iteration so the ratio can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
            cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
    std::map<std::string, double> cpuTimes;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const Catalog check = decode<Catalog>(catalogBytes(), KeyStyle::Wire);
    if (check.products != bareWalk(catalogBytes()).products) {
        std::fprintf(stderr, "the two decoders disagree\n");
        return 1;
    }
    std::printf("catalog: %d products, %.2f MB\n", int(check.products.size()), catalogBytes().size() / 1e6);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double bare = reporter.times["BM_BareSimdjsonWalk/min_time:2.000"];
    const double codec = reporter.times["BM_CodecDecode/min_time:2.000"];
    const double bareCpu = reporter.cpuTimes["BM_BareSimdjsonWalk/min_time:2.000"];
    const double codecCpu = reporter.cpuTimes["BM_CodecDecode/min_time:2.000"];
    if (bare > 0 && codec > 0)
        std::printf("ratio codec / bare walk: %.2f wall, %.2f cpu (bar: <= 1.50)\n", codec / bare,
                    codecCpu / bareCpu);
    return 0;
}
