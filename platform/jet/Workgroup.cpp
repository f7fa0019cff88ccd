#include "Workgroup.h"

#include "PosixFile.h"
#include "Sha256.h"

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace jet {
namespace {

// File layout: the header line; the id line ("id", tab, the id); then one line per account:
// user id, iteration count, salt and hash (both hex), separated by tabs. Files of the first
// layout have no id line.
constexpr std::string_view kHeader = "Vantora workgroup file 2";
constexpr std::string_view kHeaderWithoutId = "Vantora workgroup file 1";
constexpr std::string_view kIdField = "id";
constexpr int kHashIterations = 4096;
constexpr std::size_t kSaltBytes = 16;
constexpr std::size_t kIdBytes = 16;

// What a reader accepts: anything beyond is a damaged file, refused before any work is done
// with it (a huge iteration count would otherwise hold the connection for minutes).
constexpr int kMaxHashIterations = 65536;
constexpr std::size_t kMaxSaltBytes = 64;
constexpr std::size_t kHashHexDigits = 64;
constexpr std::size_t kMaxFileBytes = 64 * 1024;

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

std::string randomBytes(std::size_t count)
{
    std::random_device device;
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = char(device() & 0xff);
    return bytes;
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
    const std::string salt = randomBytes(kSaltBytes);
    std::ostringstream line;
    line << account.userId << '\t' << kHashIterations << '\t' << toHex(salt) << '\t'
         << passwordHash(salt, account.password, kHashIterations) << '\n';
    return line.str();
}

bool validUserId(const std::string& userId)
{
    return !userId.empty() && userId.find_first_of("\t\r\n") == std::string::npos;
}

bool fromHex(std::string_view hex, std::string& bytes)
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

bool validId(std::string_view id)
{
    std::string bytes;
    return id.size() == kIdBytes * 2 && fromHex(id, bytes);
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    while (true) {
        const std::size_t end = text.find(separator);
        pieces.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return pieces;
        text.remove_prefix(end + 1);
    }
}

struct StoredAccount {
    std::string userId;
    int iterations = 0;
    std::string salt;
    std::string hashHex;
};

bool parseAccountLine(std::string_view line, StoredAccount& account)
{
    const std::vector<std::string_view> fields = split(line, '\t');
    if (fields.size() != 4 || fields[0].empty())
        return false;
    account.userId = fields[0];
    const std::string_view iterations = fields[1];
    const auto [end, failure] =
        std::from_chars(iterations.data(), iterations.data() + iterations.size(), account.iterations);
    std::string hashBytes;
    account.hashHex = fields[3];
    return failure == std::errc() && end == iterations.data() + iterations.size() && account.iterations > 0 &&
           account.iterations <= kMaxHashIterations && fields[2].size() <= kMaxSaltBytes * 2 &&
           fromHex(fields[2], account.salt) && !account.salt.empty() && account.hashHex.size() == kHashHexDigits &&
           fromHex(account.hashHex, hashBytes);
}

enum class Parsed { Sound, NotWorkgroup, Damaged };

struct StoredWorkgroup {
    std::string id;
    std::vector<StoredAccount> accounts;
};

// The whole file is checked before any account is: a damaged line anywhere refuses it.
Parsed parseWorkgroup(std::string_view text, StoredWorkgroup& workgroup)
{
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    std::vector<std::string_view> lines = split(text, '\n');
    std::size_t first = 1;
    if (lines.front() == kHeader) {
        if (lines.size() < 2)
            return Parsed::Damaged;
        const std::vector<std::string_view> id = split(lines[1], '\t');
        if (id.size() != 2 || id[0] != kIdField || !validId(id[1]))
            return Parsed::Damaged;
        workgroup.id = id[1];
        first = 2;
    } else if (lines.front() != kHeaderWithoutId) {
        return Parsed::NotWorkgroup;
    }
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (!parseAccountLine(lines[i], workgroup.accounts.emplace_back()))
            return Parsed::Damaged;
    }
    return Parsed::Sound;
}

// The file's bytes, up to one more than a workgroup file may hold.
bool readBounded(const std::string& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    text.assign(kMaxFileBytes + 1, '\0');
    file.read(text.data(), std::streamsize(text.size()));
    if (file.bad())
        return false;
    text.resize(std::size_t(file.gcount()));
    return true;
}

}  // namespace

std::string newWorkgroupId() { return toHex(randomBytes(kIdBytes)); }

bool writeWorkgroupFile(const std::string& path, const std::vector<WorkgroupAccount>& accounts,
                        std::string& error, const std::string& workgroupId)
{
    if (!validId(workgroupId)) {
        error = "Invalid id for the workgroup file: \"" + workgroupId + "\"";
        return false;
    }
    std::string contents = std::string(kHeader) + "\n" + std::string(kIdField) + "\t" + workgroupId + "\n";
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

    // O_EXCL: never replace an existing workgroup file. Owner-only from the start: it guards
    // the patients' data.
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0) {
        error = errno == EEXIST ? "Workgroup file already exists: " + path
                                : "Cannot create the workgroup file: " + path;
        return false;
    }
    const bool written = posixfile::writeAll(file, contents);
    const bool closed = ::close(file) == 0;
    if (!written || !closed) {
        ::unlink(path.c_str());
        error = "Cannot write the workgroup file: " + path;
        return false;
    }
    return true;
}

bool checkWorkgroupAccount(const std::string& path, const std::string& userId, const std::string& password,
                           std::string& workgroupId, std::string& error, WorkgroupRefusal* refusal)
{
    WorkgroupRefusal ignoredRefusal;
    WorkgroupRefusal& why = refusal ? *refusal : ignoredRefusal;
    why = WorkgroupRefusal::File;
    std::error_code ignored;
    if (path.empty() || !std::filesystem::exists(path, ignored)) {
        error = "The workgroup file " + path + " was not found.";
        return false;
    }
    std::string text;
    if (!readBounded(path, text)) {
        error = "The workgroup file " + path + " cannot be read.";
        return false;
    }
    StoredWorkgroup workgroup;
    switch (text.size() > kMaxFileBytes ? Parsed::Damaged : parseWorkgroup(text, workgroup)) {
    case Parsed::NotWorkgroup:
        error = "The file " + path + " is not a workgroup file.";
        return false;
    case Parsed::Damaged:
        error = "The workgroup file " + path + " is damaged.";
        return false;
    case Parsed::Sound:
        break;
    }

    why = WorkgroupRefusal::Account;
    const std::string wanted = lowerAscii(userId);
    for (const StoredAccount& account : workgroup.accounts) {
        if (lowerAscii(account.userId) != wanted)
            continue;
        if (!sameTextInConstantTime(passwordHash(account.salt, password, account.iterations), account.hashHex)) {
            error = "Wrong password for account \"" + userId + "\"";
            return false;
        }
        workgroupId = workgroup.id;
        return true;
    }
    error = "Unknown account \"" + userId + "\" in the workgroup file " + path;
    return false;
}

bool checkWorkgroupAccount(const std::string& path, const std::string& userId, const std::string& password,
                           std::string& error)
{
    std::string ignored;
    return checkWorkgroupAccount(path, userId, password, ignored, error);
}

std::string workgroupBindingSql(const std::string& workgroupId)
{
    const std::string table = kWorkgroupBindingTable;
    return "CREATE TABLE " + table + " (WorkgroupId TEXT NOT NULL); INSERT INTO " + table + " VALUES ('" +
           workgroupId + "');";
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
