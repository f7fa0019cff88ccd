#include "ViewFileReport.h"

#include "ApoyoLorimand.h"
#include "Recordset.h"
#include "ViewFile.h"
#include "ViewFileLimits.h"
#include "ViewerCommandLine.h"

namespace {

constexpr float kPageStart = 1.25f;

// Pages that count records need at least: as many records to a page as the shortest blocks
// let fit below the lowest page start, with the arithmetic of the walk.
qint64 leastPages(qint32 count, float bottom, const ReportBody& body)
{
    const float shortest = body.shortestRecordHeight();
    float y = kPageStart + body.pageStartHeight() + shortest;
    qint64 perPage = 1;  // a page holds one record, however tall
    for (; shortest > 0 && !(bottom < y + shortest) && perPage < count; ++perPage)
        y = y + shortest;
    return (count + perPage - 1) / perPage;
}

QString tooManyPages(qint32 count, qint64 pages)
{
    return ReportTooLongText(QStringLiteral("its %1 rows need at least %2 pages, and the viewer shows at most %3 "
                                            "pages of one report")
                                 .arg(CountText(count), CountText(pages), CountText(viewfile::kMostPages)));
}

}  // namespace

bool ReportBody::readRecord(const Recordset&, QString&)
{
    return true;
}

bool WriteReport(Recordset& records, const ReportPage& page, ReportBody& body, QString& error)
{
    const qint32 count = records.RecordCount();
    if (count < 1)
        return true;
    const float bottom = page.height - 1.0f;
    const qint64 pagesAtLeast = leastPages(count, bottom, body);
    if (pagesAtLeast > viewfile::kMostPages) {
        error = tooManyPages(count, pagesAtLeast);
        return false;
    }

    ViewFile file;
    if (!file.open(page.filePath, error))
        return false;
    WriteViewFileHeader(file, page.width, page.height);

    const float separatorY = bottom + 0.5f;
    const float separatorWidth = page.width - 0.9f;
    float y = 0;
    qint16 pageNumber = 0;
    bool newPage = true;
    for (qint32 position = 1; position <= count && !file.failed(); ++position) {
        records.SetAbsolutePosition(position);
        if (!body.readRecord(records, error))
            return false;
        if (bottom < y + body.recordHeight())
            newPage = true;
        if (newPage) {
            if (pageNumber == viewfile::kMostPages) {
                error = ReportTooLongText(QStringLiteral("it needs more than %1 pages, the most the viewer shows of "
                                                         "one report")
                                              .arg(CountText(viewfile::kMostPages)));
                return false;
            }
            if (pageNumber > 0)
                WriteViewSeparator(file, pageNumber, separatorY, separatorWidth);
            ++pageNumber;
            y = kPageStart;
            WriteViewPageHeader(file, page.heading, page.title, page.subtitle, pageNumber, y);
            body.startPage(file, pageNumber, y);
            newPage = false;
        }
        body.writeRecord(file, records, position, pageNumber, y);
    }
    WriteViewSeparator(file, pageNumber, separatorY, separatorWidth);

    if (!file.commit(error))
        return false;
    return StartViewer(page.filePath, error);
}
