// CGATS text files, the exchange format of measuring instruments and
// colour-management tools (".cgats", ".ti3", ".txt", ".it8"): a file
// identifier line, keyword lines, then the names of the fields between
// BEGIN_DATA_FORMAT and END_DATA_FORMAT and the sets of values between
// BEGIN_DATA and END_DATA. A file may hold several such tables, each after
// its own identifier line (or keyword lines) following the previous
// END_DATA.
//
// Reading (readCgats):
//  - "#" starts a comment to the end of the line, outside quotes; blank and
//    comment lines count for the line numbers only;
//  - a token is a run of non-blank characters or a double-quoted string
//    (quotes removed, "" inside for one quote);
//  - the first line of a table is its identifier when its first token is no
//    keyword the reader knows; a keyword line is the keyword and its value,
//    the rest of the line's tokens joined by one blank (KEYWORD "X" lines,
//    which declare keywords, are kept like any other);
//  - the field names and the values may run over several lines; the values
//    are grouped into sets of as many as there are fields, each set with
//    the line number of its first value;
//  - refused, with the line number: data before its format, a format with
//    no field or a field named twice, values that do not fill their last
//    set, a table whose NUMBER_OF_SETS or NUMBER_OF_FIELDS says otherwise
//    than it holds, a missing END_DATA_FORMAT or END_DATA, an unclosed
//    quote, a file with no data.
//  - looksLikeCgats(line): the first line of a file is a CGATS identifier
//    ("CGATS.17", "CTI3", "IT8.7/2": one word of three or more letters,
//    digits and . / _ - that starts with a letter and holds a digit, or any
//    word starting "CGATS") or a keyword line the reader knows
//    (ORIGINATOR, NUMBER_OF_FIELDS, ...).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw::text {

struct CgatsSet {
    std::size_t line = 0;
    std::vector<std::string> values;
};

struct CgatsTable {
    std::string identifier;
    std::vector<std::pair<std::string, std::string>> keywords;
    std::vector<std::string> fields;
    std::vector<CgatsSet> sets;

    // The value of a keyword (the last given), or nullptr.
    [[nodiscard]] const std::string *keyword(std::string_view name) const;
    // The index of a field by name (case-insensitive), or -1.
    [[nodiscard]] int field(std::string_view name) const;
};

[[nodiscard]] bool readCgats(std::string_view text, std::vector<CgatsTable> &tables,
    std::string &error, std::size_t &errorLine);

[[nodiscard]] bool looksLikeCgats(std::string_view firstLine);

} // namespace tw::text
