#include "ViewFile.h"

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
    headerWritten_ = false;
    elements_ = 0;
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
    // The viewer refuses an element line once it holds the most elements.
    if (headerWritten_ && failure_.isEmpty()) {
        if (elements_ == viewfile::kMostElements)
            failure_ = ReportTooLongText(QStringLiteral("it needs more than %1 texts and boxes, the most the viewer "
                                                        "holds of one report")
                                             .arg(CountText(viewfile::kMostElements)));
        ++elements_;
    }
    headerWritten_ = true;
    pending_ += "\r\n";
    if (pending_.size() >= kBlockSize)
        flush();
}

void ViewFile::flush()
{
    if (failure_.isEmpty() && !pending_.empty()) {
        const qint64 size = static_cast<qint64>(pending_.size());
        if (file_.write(pending_.data(), size) != size)
            fail(file_.errorString());
    }
    pending_.clear();
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
