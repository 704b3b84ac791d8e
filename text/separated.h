// Lines of separated fields as spreadsheets and scripts write them: fields
// apart by blanks, or by commas, semicolons or tabs, each field perhaps in
// double quotes.
//
//  - detectSeparator(line): the separator of one line, looked for outside
//    quotes: a tab makes it tab-separated; else semicolons or commas,
//    whichever there are more of (semicolons on a tie: a spreadsheet that
//    writes decimal commas separates by semicolons); else blanks.
//  - SeparatedLine::split(line, separator): the fields of the line.
//    Blank-separated: runs of blanks (spaces, tabs) part the fields, and
//    there are no empty fields. Otherwise every separator parts two fields
//    ("a,,b" has three, "a," two), and blanks around a field are dropped.
//    A field that starts with a double quote runs to the closing quote, may
//    hold separators and blanks, and loses its quotes; "" inside stands for
//    one quote; what follows the closing quote up to the next separator is
//    kept after it. A quote that is never closed runs to the end of the
//    line. A CR at the end of the line is no part of it.
//  - quoteField(text, separator): the field as written back: in double
//    quotes (inner quotes doubled) when it holds the separator, a quote, a
//    line end, or blanks at its ends, or is empty in a blank-separated
//    line; else as it is.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw::text {

enum class Separator { Blanks, Comma, Semicolon, Tab };

[[nodiscard]] Separator detectSeparator(std::string_view line);

// The character of a separator (' ' for blanks).
[[nodiscard]] char separatorChar(Separator separator);

class SeparatedLine {
public:
    void split(std::string_view line, Separator separator);

    [[nodiscard]] std::size_t size() const { return spans_.size(); }
    [[nodiscard]] bool empty() const { return spans_.empty(); }
    [[nodiscard]] std::string_view operator[](std::size_t i) const {
        return std::string_view(text_).substr(spans_[i].first, spans_[i].second);
    }

private:
    // The fields' texts one after another, and where each stands in it.
    std::string text_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans_;
};

[[nodiscard]] std::string quoteField(std::string_view text, Separator separator);

} // namespace tw::text
