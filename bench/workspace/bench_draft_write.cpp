// Cost of keeping the draft file crash-safe: the model's draft write (encode,
// temporary file, fsync, rename, directory fsync) against the bare minimum of
// write + fsync + rename of the same bytes, and against the same bare calls
// plus the folder fsync. Prints both ratios.
#include "workflow/CheckoutModel.h"
#include "records/Uuid.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <string>

#include <fcntl.h>
#include <unistd.h>

using namespace vantrel;

namespace {

QString benchDirectory()
{
    // On the disk the workspace would live on (not a tmpfs), so fsync is real.
    static QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-draft-XXXXXX"));
    return dir.path();
}

Draft twentyLineDraft()
{
    Draft draft = Draft::make();
    draft.customer = Customer{QStringLiteral("3960000000123456"), QStringLiteral("Jordan Example"),
                              QStringLiteral("jordan@example.com"), QStringLiteral("+1 555 0100"),
                              QStringLiteral("3960000000654321")};
    draft.notes = QStringLiteral("Deliver to the loading dock after 2 pm.");
    for (int k = 0; k < 20; ++k) {
        QuoteLine line;
        line.id = newUuidString();
        line.itemId = QStringLiteral("39600000001%1").arg(k, 5, 10, QLatin1Char('0'));
        line.sku = QStringLiteral("SKU-%1").arg(k);
        line.name = QStringLiteral("Ergonomic task chair, model %1").arg(k);
        line.description = QStringLiteral("Mesh back, adjustable arms, black");
        line.quantity = QString::number(k % 4 + 1);
        line.rate = QStringLiteral("249.50");
        line.discount = QStringLiteral("0");
        line.taxId = QStringLiteral("39600000000099");
        draft.lines.append(line);
    }
    return draft;
}

void modelDraftWrite(benchmark::State &state)
{
    CheckoutModelServices services;
    services.build = CheckoutBuildConfiguration{false, QStringLiteral("https://bench.example"),
                                                QStringLiteral("https://bench.example"),
                                                QStringLiteral("vantrelcheckout")};
    CheckoutModel model(services, benchDirectory());
    model.adoptSession(Session{QStringLiteral("t"), QStringLiteral("bench"), false});
    const Draft draft = twentyLineDraft();
    for (auto _ : state) model.persistDraft(draft);
    state.SetBytesProcessed(state.iterations() * encode(draft, KeyStyle::Storage).size());
}

// The bare syscalls; withDirectorySync adds the fsync of the folder that
// makes the rename itself survive a power cut.
void bareWrite(benchmark::State &state, bool withDirectorySync)
{
    const QByteArray bytes = encode(twentyLineDraft(), KeyStyle::Storage);
    const QByteArray target = QFile::encodeName(benchDirectory() + QStringLiteral("/bare.json"));
    const QByteArray temporary = target + ".tmp";
    for (auto _ : state) {
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() ||
            ::fsync(fd) != 0) {
            state.SkipWithError("write failed");
            break;
        }
        ::close(fd);
        ::rename(temporary.constData(), target.constData());
        if (withDirectorySync) {
            const int dirFd = ::open(QFile::encodeName(benchDirectory()).constData(), O_RDONLY | O_DIRECTORY);
            ::fsync(dirFd);
            ::close(dirFd);
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void bareWriteFsyncRename(benchmark::State &state) { bareWrite(state, false); }
void bareWriteFsyncRenameDirSync(benchmark::State &state) { bareWrite(state, true); }

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                perIteration[run.run_name.function_name] = run.real_accumulated_time / double(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> perIteration;
};

} // namespace

BENCHMARK(bareWriteFsyncRename)->MinTime(2.0)->UseRealTime();
BENCHMARK(bareWriteFsyncRenameDirSync)->MinTime(2.0)->UseRealTime();
BENCHMARK(modelDraftWrite)->MinTime(2.0)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double bare = reporter.perIteration["bareWriteFsyncRename"];
    const double bareDir = reporter.perIteration["bareWriteFsyncRenameDirSync"];
    const double model = reporter.perIteration["modelDraftWrite"];
    if (bare > 0 && model > 0)
        std::printf("draft write / bare write+fsync+rename: %.2fx (%.1f us vs %.1f us; goal <= 1.3x)\n",
                    model / bare, model * 1e6, bare * 1e6);
    if (bareDir > 0 && model > 0)
        std::printf("draft write / bare write+fsync+rename+folder fsync: %.2fx (%.1f us vs %.1f us)\n",
                    model / bareDir, model * 1e6, bareDir * 1e6);
    benchmark::Shutdown();
    return 0;
}
