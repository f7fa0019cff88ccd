#include "ApoyoRegistry.h"

#include <vector>

namespace {

constexpr qint32 kUnsupportedType = -1;

}  // namespace

qint32 GetRegSetting(const QString& keyPath, const QString& valueName, QVariant& value)
{
    registry::Key key;
    long result = registry::openKey(keyPath.toStdString(), key);
    if (result != registry::kSuccess)
        return static_cast<qint32>(result);
    return ReadRegValue(key, valueName, value);
}

qint32 ReadRegValue(const registry::Key& key, const QString& valueName, QVariant& value)
{
    const std::string name = valueName.toStdString();
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    long result = registry::queryValue(key, name, &type, nullptr, &size);
    if (result != registry::kSuccess)
        return static_cast<qint32>(result);

    if (type == registry::kTypeString) {
        std::vector<std::uint8_t> buffer(size, 0);
        result = registry::queryValue(key, name, &type, buffer.data(), &size);
        if (result != registry::kSuccess) {
            value = QVariant();
            return static_cast<qint32>(result);
        }
        // Only the terminating NUL goes; a string stored without one keeps its last character.
        qsizetype length = (size > 0 && buffer[size - 1] == 0) ? size - 1 : size;
        value = QString::fromUtf8(reinterpret_cast<const char*>(buffer.data()), length);
        return 0;
    }
    if (type == registry::kTypeDword) {
        std::uint8_t number[4] = {0, 0, 0, 0};
        size = sizeof number;
        result = registry::queryValue(key, name, &type, number, &size);
        if (result != registry::kSuccess)
            return static_cast<qint32>(result);
        quint32 bits = number[0] | number[1] << 8 | number[2] << 16 | static_cast<quint32>(number[3]) << 24;
        value = static_cast<qint32>(bits);
        return 0;
    }
    return kUnsupportedType;
}
