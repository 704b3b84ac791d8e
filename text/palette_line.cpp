#include "text/palette_line.h"

#include "text/textfile.h"

#include <algorithm>
#include <cctype>

namespace tw::text {

namespace {

// A double quote inside a field would end the quoted field early and shift
// every later field for a reader: it is written as a single quote.
std::string unquoted(std::string s) {
    std::replace(s.begin(), s.end(), '"', '\'');
    return s;
}

} // namespace

std::string paletteLineText(const PaletteLine &line) {
    TextWriter out;
    const auto box = [&out](const std::string &s) { out.writeText(s.empty() ? " " : unquoted(s)); };
    out.writeText(unquoted(line.date));
    out.writeText(unquoted(line.time));
    out.writeText(unquoted(line.tag));
    for (const auto &s : line.munsell) {
        box(s);
    }
    for (const auto &s : line.xyz) {
        box(s);
    }
    for (const auto &s : line.lab) {
        box(s);
    }
    for (float v : line.linear) {
        out.writeNumber(v);
    }
    for (const auto &s : line.rgb) {
        box(s);
    }
    for (const auto &s : line.cmyk) {
        box(s);
    }
    out.endLine();
    return out.str();
}

std::string withCsvExtension(const std::string &name) {
    std::string last = name.size() >= 4 ? name.substr(name.size() - 4) : name;
    std::transform(last.begin(), last.end(), last.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return last == ".csv" ? name : name + ".csv";
}

} // namespace tw::text
