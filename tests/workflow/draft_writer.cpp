// Rewrites one draft file as fast as it can until it is killed. Each draft is
// self-describing ("draft-N" in the notes and in every line) so that a reader
// can tell a whole draft from a mix of two. Given a stored draft as a third
// argument, it says "storing", writes that draft once, as the app first stores
// a request it is about to send, and waits to be killed.
#include "workflow/AtomicFile.h"
#include "records/Codec.h"
#include "records/Workspace.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <thread>

using namespace vantrel;

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: draft_writer <file> <first number> [stored draft]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (argc == 4) {
        QFile file(QString::fromLocal8Bit(argv[3]));
        const QByteArray stored = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (!tryDecode<Draft>(stored, KeyStyle::Storage)) return 2;
        std::printf("storing\n");
        std::fflush(stdout);
        AtomicFile::write(path, stored);
        for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
    }
    for (long n = std::atol(argv[2]);; ++n) {
        Draft draft = Draft::make();
        draft.notes = QStringLiteral("draft-%1").arg(n);
        for (int k = 0; k < 20; ++k) {
            QuoteLine line;
            line.id = QStringLiteral("draft-%1-line-%2").arg(n).arg(k);
            line.name = QStringLiteral("Product with a longer name %1").arg(k);
            line.quantity = QString::number(k + 1);
            line.rate = QStringLiteral("19.99");
            line.discount = QStringLiteral("0");
            draft.lines.append(line);
        }
        AtomicFile::write(path, encode(draft, KeyStyle::Storage));
        std::printf("%ld\n", n);
        std::fflush(stdout);
    }
}
