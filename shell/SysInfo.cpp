#include "SysInfo.h"

#include "Messages.h"
#include "Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kBufferSize = 1024;

bool startProgram(const QString& path)
{
    return QProcess::startDetached(path, {});
}

}  // namespace

bool GetKeyValue(RegistryRoot, const QString& keyName, const QString& valueName, QString& value)
{
    value.clear();
    registry::Key key;
    if (registry::openKey(keyName.toStdString(), key) != registry::kSuccess)
        return false;
    std::vector<std::uint8_t> buffer(kBufferSize, 0);
    std::uint32_t type = 0;
    std::uint32_t size = kBufferSize;
    if (registry::queryValue(key, valueName.toStdString(), &type, buffer.data(), &size) != registry::kSuccess)
        return false;
    if (type == registry::kTypeDword && size >= 4) {
        value = "&h";
        for (int byte = 3; byte >= 0; --byte)
            value += QStringLiteral("%1").arg(buffer[std::size_t(byte)], 2, 16, QChar(u'0')).toUpper();
        return true;
    }
    std::size_t length = 0;
    while (length < size && buffer[length] != 0)
        ++length;
    value = QString::fromUtf8(reinterpret_cast<const char*>(buffer.data()), qsizetype(length));
    return true;
}

void StartSysInfo()
{
    QString path;
    QString folder;
    bool started = false;
    if (GetKeyValue(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) {
        started = startProgram(path);
    } else if (GetKeyValue(RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                           folder)) {
        const QString program = QDir(folder).filePath("MSINFO32.EXE");
        started = QFileInfo(program).isFile() && startProgram(program);
    }
    if (!started)
        ShowMessage("La información del sistema no está disponible en este momento", MessageButtons::Ok);
}
