#include "platform/CodeDbCompare.h"

#include "platform/CodeDbText.h"

#include <QChar>
#include <QString>

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace codedbcompare {
namespace {

char32_t Fold(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

// The letter a folded character is written on ("e" for "é"): Jet sorts accented letters beside
// their plain letter, and tells them apart only when all else is equal.
char32_t BaseLetter(char32_t folded)
{
    if (folded < 0xC0)
        return folded;
    static const std::vector<char32_t> table = [] {
        std::vector<char32_t> t(0x250);
        for (char32_t c = 0; c < t.size(); ++c) {
            t[c] = c;
            if (QChar::decompositionTag(c) == QChar::Canonical) {
                const QString d = QChar::decomposition(c);
                if (!d.isEmpty() && d.at(0).unicode() < 0x80)
                    t[c] = d.at(0).unicode();
            }
        }
        return t;
    }();
    return folded < table.size() ? table[folded] : folded;
}

std::u32string FoldedText(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();)
        out += Fold(codedbtext::NextChar(text, pos));
    return out;
}

} // namespace

int CompareNoCase(std::string_view a, std::string_view b)
{
    // Codes are ASCII: compare them in place while they are.
    size_t i = 0;
    const size_t common = std::min(a.size(), b.size());
    for (; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x >= 0x80 || y >= 0x80)
            break;
        const char32_t fx = Fold(x), fy = Fold(y);
        if (fx != fy)
            return fx < fy ? -1 : 1;
    }
    // Equal as far as the shorter goes: the shorter comes first, whatever the longer holds after.
    if (i == common)
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    // Letter by letter, folded as they come (a value of any length is never copied): accented
    // letters beside their plain letter; the accents decide only when all else is equal.
    int accents = 0;
    size_t pa = i, pb = i;
    while (pa < a.size() && pb < b.size()) {
        const char32_t x = Fold(codedbtext::NextChar(a, pa));
        const char32_t y = Fold(codedbtext::NextChar(b, pb));
        const char32_t bx = BaseLetter(x), by = BaseLetter(y);
        if (bx != by)
            return bx < by ? -1 : 1;
        if (!accents && x != y)
            accents = x < y ? -1 : 1;
    }
    if (pa < a.size() || pb < b.size())
        return pa < a.size() ? 1 : -1;
    return accents;
}

namespace {

int NoCaseCollation(void*, int na, const void* a, int nb, const void* b)
{
    return CompareNoCase(std::string_view(static_cast<const char*>(a), static_cast<size_t>(na)),
                         std::string_view(static_cast<const char*>(b), static_cast<size_t>(nb)));
}

// A LIKE pattern: '%' any run, '_' one character, all else itself (folded), the escape character
// making the next one plain.
struct LikePattern {
    enum Kind : char32_t { Literal = 0, One = 1, Run = 2 };
    std::vector<std::pair<Kind, char32_t>> items;
    size_t literals = 0;
};

LikePattern* ParsePattern(std::string_view text, char32_t escape, bool hasEscape)
{
    auto* p = new LikePattern;
    const std::u32string folded = FoldedText(text);
    for (size_t i = 0; i < folded.size(); ++i) {
        const char32_t c = folded[i];
        if (hasEscape && c == escape && i + 1 < folded.size()) {
            p->items.emplace_back(LikePattern::Literal, folded[++i]);
        } else if (c == '%') {
            if (p->items.empty() || p->items.back().first != LikePattern::Run)
                p->items.emplace_back(LikePattern::Run, 0);
        } else if (c == '_') {
            p->items.emplace_back(LikePattern::One, 0);
        } else {
            p->items.emplace_back(LikePattern::Literal, c);
        }
        if (p->items.back().first != LikePattern::Run)
            ++p->literals;
    }
    return p;
}

// Greedy match with one point to fall back to: time in proportion to pattern times text at worst,
// whatever the pattern (a pasted value of any length is simply not found). The text is folded a
// letter at a time as it is read, so a value of any size costs no memory.
bool LikeMatch(const LikePattern& pattern, std::string_view text)
{
    if (pattern.literals > text.size()) // a letter takes at least a byte
        return false;
    const auto& items = pattern.items;
    size_t p = 0, t = 0;
    size_t runP = SIZE_MAX, runT = 0;
    while (t < text.size()) {
        if (p < items.size() && items[p].first == LikePattern::Run) {
            runP = ++p;
            runT = t;
            continue;
        }
        size_t next = t;
        const char32_t c = Fold(codedbtext::NextChar(text, next));
        if (p < items.size() && (items[p].first == LikePattern::One || items[p].second == c)) {
            ++p;
            t = next;
            continue;
        }
        if (runP == SIZE_MAX)
            return false;
        p = runP;
        codedbtext::NextChar(text, runT);
        t = runT;
    }
    while (p < items.size() && items[p].first == LikePattern::Run)
        ++p;
    return p == items.size();
}

void LikeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return; // NULL
    char32_t escape = 0;
    const bool hasEscape = argc == 3;
    if (hasEscape) {
        const auto* e = reinterpret_cast<const char*>(sqlite3_value_text(argv[2]));
        const std::string_view es(e ? e : "", static_cast<size_t>(sqlite3_value_bytes(argv[2])));
        size_t pos = 0;
        if (!es.empty())
            escape = Fold(codedbtext::NextChar(es, pos));
        if (es.empty() || pos != es.size()) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
    }
    auto* pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern) {
        const auto* raw = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
        const int bytes = sqlite3_value_bytes(argv[0]);
        // A pattern longer than the connection allows (a pasted value of any length) is not
        // unfolded into memory: it matches nothing, as no code is that long.
        if (bytes > sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1)) {
            sqlite3_result_int(ctx, 0);
            return;
        }
        pattern = ParsePattern(std::string_view(raw ? raw : "", static_cast<size_t>(bytes)), escape, hasEscape);
        sqlite3_set_auxdata(ctx, 0, pattern, [](void* p) { delete static_cast<LikePattern*>(p); });
        pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(ctx, 0));
        if (!pattern) { // SQLite could not keep it and has freed it
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    const auto* raw = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const std::string_view text(raw ? raw : "", static_cast<size_t>(sqlite3_value_bytes(argv[1])));
    sqlite3_result_int(ctx, LikeMatch(*pattern, text) ? 1 : 0);
}

} // namespace

void Install(sqlite3* db)
{
    sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, NoCaseCollation);
    for (int args = 2; args <= 3; ++args)
        sqlite3_create_function(db, "like", args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, LikeFunction, nullptr,
                                nullptr);
}

} // namespace codedbcompare
