// Any bytes as a view file: the load must end, never crash, and leave a document that the
// drawing code can walk.
#include "Badges.h"
#include "BadgesElement.h"

#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

QString scratchPath() {
    const char* folder = std::getenv("TMPDIR");
    return QStringLiteral("%1/lorimand-fuzz-%2.lrm")
        .arg(QString::fromLocal8Bit(folder && *folder ? folder : "/tmp"))
        .arg(::getpid());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path = scratchPath();
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    Badges::LoadViewFile(path);
    for (int page = 1; page <= Badges::TotalPages(); ++page) {
        const Badges::ViewPageRecord& range = Badges::ViewPage[page];
        if (range.firstItem < 1 || range.lastItem >= static_cast<int>(Badges::ViewItem.size())) std::abort();
        for (int item = range.firstItem; item <= range.lastItem; ++item) {
            if (Badges::ViewItem[item].variables == 1) Badges::SubstituteVariables(Badges::ItemText(Badges::ViewItem[item]));
        }
    }
    return 0;
}
