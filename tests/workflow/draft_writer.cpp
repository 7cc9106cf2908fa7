// Rewrites one draft file as fast as it can until it is killed. Each draft is
// self-describing ("draft-N" in the notes and in every line) so that a reader
// can tell a whole draft from a mix of two. Given a stored draft as a third
// argument, it rewrites that draft instead, numbered only in its notes, as the
// app rewrites a draft that carries a pending request.
#include "workflow/AtomicFile.h"
#include "records/Codec.h"
#include "records/Workspace.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

using namespace vantrel;

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: draft_writer <file> <first number> [stored draft]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    std::optional<Draft> stored;
    if (argc == 4) {
        QFile file(QString::fromLocal8Bit(argv[3]));
        if (file.open(QIODevice::ReadOnly)) stored = tryDecode<Draft>(file.readAll(), KeyStyle::Storage);
        if (!stored) return 2;
    }
    for (long n = std::atol(argv[2]);; ++n) {
        Draft draft = stored.value_or(Draft::make());
        draft.notes = QStringLiteral("draft-%1").arg(n);
        for (int k = 0; k < 20 && !stored; ++k) {
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
