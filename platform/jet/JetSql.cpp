#include "JetSql.h"

#include <optional>

namespace jet {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isWordChar(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool startsWithWord(std::string_view text, std::size_t at, std::string_view word)
{
    if (text.size() - at < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        char c = text[at + i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != word[i])
            return false;
    }
    return at + word.size() == text.size() || !isWordChar(text[at + word.size()]);
}

// Reads 1 to maxDigits digits (exactly maxDigits when exact) into value.
bool readNumber(std::string_view text, std::size_t& at, int maxDigits, bool exact, int& value)
{
    const std::size_t start = at;
    value = 0;
    while (at < text.size() && isDigit(text[at]) && int(at - start) < maxDigits)
        value = value * 10 + (text[at++] - '0');
    const int digits = int(at - start);
    return exact ? digits == maxDigits : digits > 0;
}

// Characters that may start something to translate or to pass over whole.
bool isSpecial(char c) { return c == '\'' || c == '"' || c == '[' || c == '#' || c == '@'; }

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

struct Date {
    int year, month, day;
};
struct Time {
    int hour, minute, second;
};

// yyyy/mm/dd, mm/dd/yyyy or yyyy-m-d; month and day with or without a leading zero.
std::optional<Date> readDate(std::string_view text, std::size_t& at)
{
    int first = 0, second = 0, third = 0;
    const std::size_t start = at;
    if (!readNumber(text, at, 4, false, first) || at >= text.size())
        return std::nullopt;
    const bool yearFirst = at - start == 4;
    const char separator = text[at];
    if (separator != '/' && separator != '-')
        return std::nullopt;
    if (!yearFirst && separator != '/')
        return std::nullopt;
    ++at;
    if (!readNumber(text, at, 2, false, second) || at >= text.size() || text[at] != separator)
        return std::nullopt;
    ++at;
    if (!readNumber(text, at, yearFirst ? 2 : 4, !yearFirst, third))
        return std::nullopt;

    const Date date = yearFirst ? Date{first, second, third} : Date{third, first, second};
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > daysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

// h:M:s, each field with or without a leading zero, 24-hour.
std::optional<Time> readTime(std::string_view text, std::size_t& at)
{
    Time time{};
    if (!readNumber(text, at, 2, false, time.hour) || at >= text.size() || text[at++] != ':' ||
        !readNumber(text, at, 2, false, time.minute) || at >= text.size() || text[at++] != ':' ||
        !readNumber(text, at, 2, false, time.second))
        return std::nullopt;
    if (time.hour > 23 || time.minute > 59 || time.second > 59)
        return std::nullopt;
    return time;
}

struct Literal {
    std::optional<Date> date;
    std::optional<Time> time;
};

// The date and time between two "#", or nothing when the text is neither.
std::optional<Literal> dateTimeLiteral(std::string_view inside)
{
    std::size_t at = 0;
    const std::optional<Date> date = readDate(inside, at);
    std::optional<Time> time;
    if (date && at < inside.size() && inside[at] == ' ') {
        ++at;
        time = readTime(inside, at);
        if (!time)
            return std::nullopt;
    } else if (!date) {
        at = 0;
        time = readTime(inside, at);
        if (!time)
            return std::nullopt;
    }
    if (at != inside.size())
        return std::nullopt;
    return Literal{date, time};
}

void appendDigits(std::string& sql, int value, int width)
{
    char digits[4];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = char('0' + value % 10);
    sql.append(digits, std::size_t(width));
}

// 'YYYY-MM-DD', 'HH:MM:SS' or 'YYYY-MM-DD HH:MM:SS', as the database stores them.
void appendIsoLiteral(std::string& sql, const Literal& literal)
{
    sql += '\'';
    if (literal.date) {
        appendDigits(sql, literal.date->year, 4);
        sql += '-';
        appendDigits(sql, literal.date->month, 2);
        sql += '-';
        appendDigits(sql, literal.date->day, 2);
        if (literal.time)
            sql += ' ';
    }
    if (literal.time) {
        appendDigits(sql, literal.time->hour, 2);
        sql += ':';
        appendDigits(sql, literal.time->minute, 2);
        sql += ':';
        appendDigits(sql, literal.time->second, 2);
    }
    sql += '\'';
}

// Where a quoted text or [name] starting at `at` ends (one past its closing mark).
std::size_t endOfQuoted(std::string_view sql, std::size_t at)
{
    const char close = sql[at] == '[' ? ']' : sql[at];
    std::size_t pos = at + 1;
    while (pos < sql.size()) {
        if (sql[pos] != close) {
            ++pos;
            continue;
        }
        // A doubled quote stands for one quote inside the text.
        if (close != ']' && pos + 1 < sql.size() && sql[pos + 1] == close) {
            pos += 2;
            continue;
        }
        return pos + 1;
    }
    return sql.size();
}

// "SELECT TOP n" at the start: where the text after "SELECT" resumes (past n) and n itself.
struct TopClause {
    std::size_t selectEnd = 0;
    std::size_t resumeAt = 0;
    std::string_view count;
};

std::optional<TopClause> leadingTop(std::string_view sql)
{
    std::size_t at = 0;
    while (at < sql.size() && isSpace(sql[at]))
        ++at;
    if (!startsWithWord(sql, at, "SELECT"))
        return std::nullopt;
    TopClause top;
    top.selectEnd = at + 6;
    at = top.selectEnd;
    while (at < sql.size() && isSpace(sql[at]))
        ++at;
    if (at == top.selectEnd || !startsWithWord(sql, at, "TOP"))
        return std::nullopt;
    at += 3;
    const std::size_t afterTop = at;
    while (at < sql.size() && isSpace(sql[at]))
        ++at;
    const std::size_t countStart = at;
    while (at < sql.size() && isDigit(sql[at]))
        ++at;
    if (at == afterTop || at == countStart || (at < sql.size() && isWordChar(sql[at])))
        return std::nullopt;
    top.count = sql.substr(countStart, at - countStart);
    top.resumeAt = at;
    // TOP n PERCENT has no SQLite form: leave it for the database to refuse.
    std::size_t next = at;
    while (next < sql.size() && isSpace(sql[next]))
        ++next;
    if (startsWithWord(sql, next, "PERCENT"))
        return std::nullopt;
    return top;
}

}  // namespace

void translateJetSql(std::string_view jetSql, std::string& sql)
{
    static constexpr std::string_view kIdentity = "@@IDENTITY";
    sql.clear();
    sql.reserve(jetSql.size() + 16);

    const std::optional<TopClause> top = leadingTop(jetSql);
    std::size_t pos = 0;
    if (top) {
        sql.append(jetSql.substr(0, top->selectEnd));
        pos = top->resumeAt;
    }

    while (pos < jetSql.size()) {
        std::size_t special = pos;
        while (special < jetSql.size() && !isSpecial(jetSql[special]))
            ++special;
        sql.append(jetSql.substr(pos, special - pos));
        pos = special;
        if (pos == jetSql.size())
            break;
        const char c = jetSql[pos];
        if (c == '\'' || c == '"' || c == '[') {
            const std::size_t end = endOfQuoted(jetSql, pos);
            sql.append(jetSql.substr(pos, end - pos));
            pos = end;
        } else if (c == '#') {
            const std::size_t close = jetSql.find('#', pos + 1);
            const std::optional<Literal> literal =
                close == std::string_view::npos ? std::nullopt
                                                : dateTimeLiteral(jetSql.substr(pos + 1, close - pos - 1));
            if (literal) {
                appendIsoLiteral(sql, *literal);
                pos = close + 1;
            } else {
                sql += '#';
                ++pos;
            }
        } else if (startsWithWord(jetSql, pos, kIdentity)) {
            sql.append("last_insert_rowid()");
            pos += kIdentity.size();
        } else {
            sql += c;
            ++pos;
        }
    }

    if (top) {
        // LIMIT closes the statement: after ORDER BY, before a final ";" and blanks.
        std::size_t end = sql.size();
        while (end > 0 && (isSpace(sql[end - 1]) || sql[end - 1] == ';'))
            --end;
        const std::string tail = sql.substr(end);
        sql.resize(end);
        sql.append(" LIMIT ").append(top->count).append(tail);
    }
}

std::optional<std::string> isoDateTimeText(std::string_view literalInside)
{
    const std::optional<Literal> literal = dateTimeLiteral(literalInside);
    if (!literal)
        return std::nullopt;
    std::string quoted;
    appendIsoLiteral(quoted, *literal);
    return quoted.substr(1, quoted.size() - 2);
}

std::string translateJetSql(std::string_view jetSql)
{
    std::string sql;
    translateJetSql(jetSql, sql);
    return sql;
}

}  // namespace jet
