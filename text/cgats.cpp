#include "text/cgats.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tw::text {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x))
            == std::toupper(static_cast<unsigned char>(y));
    });
}

// The keywords that mark a CGATS line whatever comes first in the file.
constexpr std::string_view knownKeywords[]
    = { "ORIGINATOR", "DESCRIPTOR", "CREATED", "MANUFACTURER", "PROD_DATE", "SERIAL", "MATERIAL",
          "INSTRUMENTATION", "MEASUREMENT_SOURCE", "PRINT_CONDITIONS", "KEYWORD",
          "NUMBER_OF_FIELDS", "NUMBER_OF_SETS", "BEGIN_DATA_FORMAT", "BEGIN_DATA", "ILLUMINANT",
          "WHITE_POINT", "FILE_DESCRIPTOR", "LGOROWLENGTH", "DEVICE_CLASS", "COLOR_REP" };

bool isKnownKeyword(std::string_view word) {
    return std::any_of(std::begin(knownKeywords), std::end(knownKeywords),
        [&](std::string_view k) { return sameName(k, word); });
}

struct Token {
    std::string text;
    bool quoted = false;
};

// The tokens of one line, its comment dropped; false for an unclosed quote.
bool tokenize(std::string_view line, std::vector<Token> &out) {
    out.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        if (i >= line.size() || line[i] == '#') {
            break;
        }
        Token t;
        if (line[i] == '"') {
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        t.text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                t.text += line[i++];
            }
            if (!closed) {
                return false;
            }
        } else {
            while (i < line.size() && !isBlank(line[i]) && line[i] != '#') {
                t.text += line[i++];
            }
        }
        out.push_back(std::move(t));
    }
    return true;
}

bool readCount(const std::string &text, std::size_t &out) {
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

} // namespace

const std::string *CgatsTable::keyword(std::string_view name) const {
    for (auto it = keywords.rbegin(); it != keywords.rend(); ++it) {
        if (sameName(it->first, name)) {
            return &it->second;
        }
    }
    return nullptr;
}

int CgatsTable::field(std::string_view name) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (sameName(fields[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool looksLikeCgats(std::string_view line) {
    if (line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xEF
        && static_cast<unsigned char>(line[1]) == 0xBB
        && static_cast<unsigned char>(line[2]) == 0xBF) {
        line.remove_prefix(3);
    }
    std::vector<Token> tokens;
    if (!tokenize(line, tokens) || tokens.empty()) {
        return false;
    }
    const std::string &first = tokens.front().text;
    if (isKnownKeyword(first)) {
        return true;
    }
    if (tokens.size() != 1) {
        return false;
    }
    if (first.size() >= 5 && sameName(std::string_view(first).substr(0, 5), "CGATS")) {
        return true;
    }
    bool letter = false;
    bool digit = false;
    for (const char c : first) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u) != 0) {
            letter = true;
        } else if (std::isdigit(u) != 0) {
            digit = true;
        } else if (c != '.' && c != '/' && c != '_' && c != '-') {
            return false;
        }
    }
    return letter && digit && first.size() >= 3
        && std::isalpha(static_cast<unsigned char>(first.front())) != 0;
}

bool readCgats(std::string_view text, std::vector<CgatsTable> &tables, std::string &error,
    std::size_t &errorLine) {
    tables.clear();
    enum class State { Header, Format, Data, After } state = State::After;
    CgatsTable table;
    std::vector<Token> tokens;
    std::size_t lineNumber = 0;
    std::size_t formatLine = 0;
    std::size_t dataLine = 0;
    std::vector<std::string> pending; // values of the set being read
    std::size_t pendingLine = 0;
    const auto fail = [&](std::string why, std::size_t line) {
        error = std::move(why);
        errorLine = line;
        return false;
    };
    // Ends a table at END_DATA: the counts it states must be what it holds.
    const auto finish = [&]() {
        if (!pending.empty()) {
            return fail("the last set holds " + std::to_string(pending.size()) + " of its "
                    + std::to_string(table.fields.size()) + " values",
                pendingLine);
        }
        std::size_t stated = 0;
        if (const std::string *n = table.keyword("NUMBER_OF_SETS");
            n != nullptr && readCount(*n, stated) && stated != table.sets.size()) {
            return fail("NUMBER_OF_SETS says " + *n + ", the table holds "
                    + std::to_string(table.sets.size()),
                lineNumber);
        }
        if (const std::string *n = table.keyword("NUMBER_OF_FIELDS");
            n != nullptr && readCount(*n, stated) && stated != table.fields.size()) {
            return fail("NUMBER_OF_FIELDS says " + *n + ", the format names "
                    + std::to_string(table.fields.size()),
                formatLine);
        }
        tables.push_back(std::move(table));
        table = CgatsTable {};
        return true;
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (lineNumber == 1 && line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xEF
            && static_cast<unsigned char>(line[1]) == 0xBB
            && static_cast<unsigned char>(line[2]) == 0xBF) {
            line.remove_prefix(3);
        }
        if (!tokenize(line, tokens)) {
            return fail("a quote that is never closed", lineNumber);
        }
        if (tokens.empty()) {
            if (end == text.size()) {
                break;
            }
            continue;
        }
        for (std::size_t k = 0; k < tokens.size(); ++k) {
            const Token &t = tokens[k];
            const bool word = !t.quoted;
            switch (state) {
            case State::After:
            case State::Header:
                if (word && sameName(t.text, "BEGIN_DATA_FORMAT")) {
                    if (!table.fields.empty()) {
                        return fail("a second data format in one table", lineNumber);
                    }
                    state = State::Format;
                    formatLine = lineNumber;
                    continue;
                }
                if (word && sameName(t.text, "BEGIN_DATA")) {
                    if (table.fields.empty()) {
                        return fail("data before its format (BEGIN_DATA_FORMAT)", lineNumber);
                    }
                    state = State::Data;
                    dataLine = lineNumber;
                    continue;
                }
                if (state == State::After && k == 0 && !isKnownKeyword(t.text)
                    && tokens.size() == 1) {
                    // A table's identifier.
                    table.identifier = t.text;
                    state = State::Header;
                    k = tokens.size();
                    continue;
                }
                {
                    // A keyword line: the keyword and the rest as its value.
                    std::string value;
                    for (std::size_t v = k + 1; v < tokens.size(); ++v) {
                        value += (value.empty() ? "" : " ") + tokens[v].text;
                    }
                    table.keywords.emplace_back(t.text, value);
                    state = State::Header;
                    k = tokens.size();
                }
                continue;
            case State::Format:
                if (word && sameName(t.text, "END_DATA_FORMAT")) {
                    if (table.fields.empty()) {
                        return fail("a data format that names no field", lineNumber);
                    }
                    state = State::Header;
                    continue;
                }
                if (table.field(t.text) >= 0) {
                    return fail("the field " + t.text + " is named twice", lineNumber);
                }
                table.fields.push_back(t.text);
                continue;
            case State::Data:
                if (word && sameName(t.text, "END_DATA")) {
                    if (!finish()) {
                        return false;
                    }
                    state = State::After;
                    continue;
                }
                if (pending.empty()) {
                    pendingLine = lineNumber;
                }
                pending.push_back(t.text);
                if (pending.size() == table.fields.size()) {
                    table.sets.push_back({ pendingLine, std::move(pending) });
                    pending.clear();
                }
                continue;
            }
        }
        if (end == text.size()) {
            break;
        }
    }
    if (state == State::Format) {
        return fail("no END_DATA_FORMAT after BEGIN_DATA_FORMAT", formatLine);
    }
    if (state == State::Data) {
        return fail("no END_DATA after BEGIN_DATA", dataLine);
    }
    if (tables.empty()) {
        return fail("no data (BEGIN_DATA_FORMAT ... BEGIN_DATA ... END_DATA)", lineNumber);
    }
    return true;
}

} // namespace tw::text
