#include "JetConnection.h"

namespace jet {
namespace {

constexpr std::string_view kProvider = "Microsoft.Jet.OLEDB.4.0";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool sameWithoutCase(std::string_view left, std::string_view right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(left[i]) != lower(right[i]))
            return false;
    }
    return true;
}

}  // namespace

bool parseConnectionString(std::string_view connectionString, ConnectionSettings& settings,
                           std::string& error)
{
    ConnectionSettings parsed;
    std::string provider;
    bool providerGiven = false;

    std::size_t start = 0;
    while (start <= connectionString.size()) {
        std::size_t end = connectionString.find(';', start);
        if (end == std::string_view::npos)
            end = connectionString.size();
        const std::string_view entry = connectionString.substr(start, end - start);
        start = end + 1;
        if (trimmed(entry).empty())
            continue;

        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            error = "Connection string entry without a value: " + std::string(trimmed(entry));
            return false;
        }
        const std::string_view key = trimmed(entry.substr(0, equals));
        const std::string value(trimmed(entry.substr(equals + 1)));
        if (sameWithoutCase(key, "Provider")) {
            provider = value;
            providerGiven = true;
        } else if (sameWithoutCase(key, "Data Source")) {
            parsed.databasePath = value;
        } else if (sameWithoutCase(key, "Jet OLEDB:System database")) {
            parsed.workgroupPath = value;
        } else if (sameWithoutCase(key, "User Id")) {
            parsed.userId = value;
        } else if (sameWithoutCase(key, "Password")) {
            parsed.password = value;
        }
        // Other keys (cursor and security options of the provider) change nothing here.
    }

    if (!providerGiven) {
        error = "The connection string names no provider";
        return false;
    }
    if (!sameWithoutCase(provider, kProvider)) {
        error = "Provider cannot be found: " + provider;
        return false;
    }
    if (parsed.databasePath.empty()) {
        error = "The connection string names no data source";
        return false;
    }
    settings = std::move(parsed);
    return true;
}

}  // namespace jet
