#include "text/palette_line.h"

#include "text/numbers.h"
#include "text/textfile.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <utility>

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

std::string tolerancePaletteLineText(const TolerancePaletteLine &line) {
    std::string out = line.date + "," + line.time + "," + std::to_string(line.patch);
    for (const std::string &t : line.munsell) {
        out += "," + t;
    }
    for (int i = 0; i < 9; ++i) {
        out += ",0";
    }
    for (int channel : line.rgb) {
        out += "," + printNumber(static_cast<float>(channel));
    }
    return out + ",end\r\n";
}

namespace {

// The text without the blanks and line ends it ends with.
std::string withoutTrailingSpace(std::string s) {
    const std::size_t keep = s.find_last_not_of(" \t\r\n");
    s.erase(keep == std::string::npos ? 0 : keep + 1);
    return s;
}

} // namespace

PaletteReader::PaletteReader(std::string fileText)
    : in_(withoutTrailingSpace(std::move(fileText))) { }

bool PaletteReader::atEnd() const {
    return in_.atEnd();
}

bool PaletteReader::next(PaletteRow &row) {
    row = PaletteRow {};
    std::string *const fields[] = { nullptr, nullptr, &row.tag, &row.hue, &row.value, &row.chroma };
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        if (i > 0 && in_.atEnd()) {
            return false;
        }
        std::string field = in_.readField();
        if (fields[i] != nullptr) {
            *fields[i] = std::move(field);
        }
    }
    if (!in_.atLineStart()) {
        (void)in_.readLine();
    }
    return true;
}

std::string withCsvExtension(const std::string &name) {
    std::string last = name.size() >= 4 ? name.substr(name.size() - 4) : name;
    std::transform(last.begin(), last.end(), last.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return last == ".csv" ? name : name + ".csv";
}

} // namespace tw::text
