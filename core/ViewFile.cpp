#include "ViewFile.h"

#include <QFile>

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
