#include "Workgroup.h"

#include "Sha256.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace jet {
namespace {

// File layout: the header line, then one line per account:
// user id, iteration count, salt and hash (both hex), separated by tabs.
constexpr const char* kHeader = "Vantora workgroup file 1";
constexpr int kHashIterations = 4096;
constexpr std::size_t kSaltBytes = 16;

std::string toHex(std::string_view bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0x0f];
    }
    return hex;
}

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

std::string randomSalt()
{
    std::random_device device;
    std::string salt(kSaltBytes, '\0');
    for (char& byte : salt)
        byte = char(device() & 0xff);
    return salt;
}

// The salted hash, strengthened by repetition so that a stolen file is slow to guess at.
std::string passwordHash(const std::string& salt, const std::string& password, int iterations)
{
    Sha256Digest digest = sha256(salt + password);
    for (int i = 1; i < iterations; ++i) {
        std::string input(digest.begin(), digest.end());
        input += salt;
        digest = sha256(input);
    }
    return toHex(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()));
}

bool sameTextInConstantTime(const std::string& left, const std::string& right)
{
    if (left.size() != right.size())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < left.size(); ++i)
        difference |= static_cast<unsigned char>(left[i] ^ right[i]);
    return difference == 0;
}

std::string accountLine(const WorkgroupAccount& account)
{
    const std::string salt = randomSalt();
    std::ostringstream line;
    line << account.userId << '\t' << kHashIterations << '\t' << toHex(salt) << '\t'
         << passwordHash(salt, account.password, kHashIterations) << '\n';
    return line.str();
}

bool validUserId(const std::string& userId)
{
    return !userId.empty() && userId.find_first_of("\t\r\n") == std::string::npos;
}

struct StoredAccount {
    std::string userId;
    int iterations = 0;
    std::string salt;
    std::string hashHex;
};

bool fromHex(const std::string& hex, std::string& bytes)
{
    if (hex.size() % 2 != 0)
        return false;
    bytes.clear();
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        for (int j = 0; j < 2; ++j) {
            const char c = hex[i + j];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= unsigned(c - 'a' + 10);
            else
                return false;
        }
        bytes += char(value);
    }
    return true;
}

bool parseAccountLine(const std::string& line, StoredAccount& account)
{
    std::istringstream fields(line);
    std::string iterations, saltHex;
    if (!std::getline(fields, account.userId, '\t') || !std::getline(fields, iterations, '\t') ||
        !std::getline(fields, saltHex, '\t') || !std::getline(fields, account.hashHex))
        return false;
    const auto [end, failure] =
        std::from_chars(iterations.data(), iterations.data() + iterations.size(), account.iterations);
    return failure == std::errc() && end == iterations.data() + iterations.size() &&
           account.iterations > 0 && fromHex(saltHex, account.salt) && account.hashHex.size() == 64;
}

}  // namespace

bool writeWorkgroupFile(const std::string& path, const std::vector<WorkgroupAccount>& accounts,
                        std::string& error)
{
    std::string contents = std::string(kHeader) + "\n";
    std::vector<std::string> seen;
    for (const WorkgroupAccount& account : accounts) {
        if (!validUserId(account.userId)) {
            error = "Invalid user id for the workgroup file: \"" + account.userId + "\"";
            return false;
        }
        const std::string key = lowerAscii(account.userId);
        for (const std::string& other : seen)
            if (other == key) {
                error = "Account \"" + account.userId + "\" appears twice";
                return false;
            }
        seen.push_back(key);
        contents += accountLine(account);
    }

    // "x": never replace an existing workgroup file.
    std::FILE* file = std::fopen(path.c_str(), "wx");
    if (!file) {
        error = std::filesystem::exists(path) ? "Workgroup file already exists: " + path
                                              : "Cannot create the workgroup file: " + path;
        return false;
    }
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(path.c_str());
        error = "Cannot write the workgroup file: " + path;
        return false;
    }
    return true;
}

bool checkWorkgroupAccount(const std::string& path, const std::string& userId,
                           const std::string& password, std::string& error)
{
    std::error_code ignored;
    if (path.empty() || !std::filesystem::exists(path, ignored)) {
        error = "Workgroup file not found: " + path;
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    std::string line;
    if (!file || !std::getline(file, line)) {
        error = "Cannot read the workgroup file: " + path;
        return false;
    }
    if (line != kHeader) {
        error = "Not a workgroup file: " + path;
        return false;
    }

    const std::string wanted = lowerAscii(userId);
    while (std::getline(file, line)) {
        StoredAccount account;
        if (!parseAccountLine(line, account)) {
            error = "Damaged workgroup file: " + path;
            return false;
        }
        if (lowerAscii(account.userId) != wanted)
            continue;
        if (!sameTextInConstantTime(passwordHash(account.salt, password, account.iterations),
                                    account.hashHex)) {
            error = "Wrong password for account \"" + userId + "\"";
            return false;
        }
        return true;
    }
    error = "Unknown account \"" + userId + "\" in the workgroup file " + path;
    return false;
}

std::string workgroupPathFor(const std::string& databasePath)
{
    if (databasePath.empty())
        return {};
    // The last character, not the last byte: drop a whole UTF-8 sequence.
    std::size_t last = databasePath.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(databasePath[last]) & 0xc0) == 0x80)
        --last;
    return databasePath.substr(0, last) + "w";
}

}  // namespace jet
