#include "ViewFile.h"

#include "ViewFileFormat.h"
#include "ViewFileLimits.h"

#include <QFile>
#include <QLocale>

#include <filesystem>
#include <system_error>

namespace {
// Lines are handed to the file in blocks of about this size.
constexpr std::size_t kBlockSize = 64 * 1024;

std::filesystem::path nativePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}
}  // namespace

bool ViewFile::open(const QString& path, QString& error)
{
    path_ = path;
    pending_.clear();
    pending_.reserve(kBlockSize + 1024);
    lineStart_ = 0;
    headerWritten_ = false;
    elements_ = 0;
    textBytes_ = 0;
    failure_.clear();
    file_.setFileTemplate(path + QStringLiteral(".XXXXXX"));
    if (!file_.open()) {
        fail(file_.errorString());
        error = failure_;
        return false;
    }
    return true;
}

void ViewFile::endLine()
{
    // The viewer refuses an element line once it holds the most elements, or when the
    // texts before it and the line itself would pass the most text.
    if (headerWritten_ && failure_.isEmpty()) {
        if (elements_ == viewfile::kMostElements)
            failure_ = ReportTooLongText(QStringLiteral("it needs more than %1 texts and boxes, the most the viewer "
                                                        "holds of one report")
                                             .arg(CountText(viewfile::kMostElements)));
        else if (textBytes_ + (pending_.size() - lineStart_) > viewfile::kMostTextBytes)
            failure_ = ReportTooLongText(QStringLiteral("its texts need more than %1 MB, the most the viewer holds "
                                                        "of one report")
                                             .arg(viewfile::kMostTextBytes >> 20));
        ++elements_;
    }
    headerWritten_ = true;
    pending_ += "\r\n";
    lineStart_ = pending_.size();
    if (pending_.size() >= kBlockSize)
        flush();
}

void ViewFile::endLineWithText(QStringView text)
{
    const std::size_t textStart = pending_.size();
    AppendWindows1252Line(pending_, text);
    const std::size_t lineEnd = pending_.size();
    endLine();
    textBytes_ += lineEnd - textStart;
}

void ViewFile::flush()
{
    if (failure_.isEmpty() && !pending_.empty()) {
        const qint64 size = static_cast<qint64>(pending_.size());
        if (file_.write(pending_.data(), size) != size)
            fail(file_.errorString());
    }
    pending_.clear();
    lineStart_ = 0;
}

void ViewFile::fail(const QString& reason)
{
    if (failure_.isEmpty())
        failure_ = QStringLiteral("The report file \"%1\" could not be written: %2").arg(path_, reason);
}

bool ViewFile::commit(QString& error)
{
    flush();
    if (failure_.isEmpty() && !file_.flush())
        fail(file_.errorString());
    file_.close();
    if (failure_.isEmpty()) {
        std::error_code renameError;
        std::filesystem::rename(nativePath(file_.fileName()), nativePath(path_), renameError);
        if (renameError)
            fail(QString::fromStdString(renameError.message()));
        else
            file_.setAutoRemove(false);
    }
    if (!failure_.isEmpty()) {
        file_.remove();
        error = failure_;
        return false;
    }
    return true;
}

QString ReportTooLongText(const QString& why)
{
    return QStringLiteral("The report is too long for one file: %1. Narrow the list, for example to a shorter "
                          "range of dates, and print again.")
        .arg(why);
}

QString CountText(qint64 count)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(count);
}
