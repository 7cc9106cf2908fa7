// Rewrites one draft file as fast as it can until it is killed. Each draft is
// self-describing ("draft-N" in the notes and in every line) so that a reader
// can tell a whole draft from a mix of two.
#include "workflow/AtomicFile.h"
#include "records/Codec.h"
#include "records/Workspace.h"

#include <cstdio>
#include <cstdlib>

using namespace vantrel;

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: draft_writer <file> <first number>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
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
