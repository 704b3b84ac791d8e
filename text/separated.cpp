#include "text/separated.h"

namespace tw::text {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

Separator detectSeparator(std::string_view line) {
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            if (c == '\t') {
                return Separator::Tab;
            }
            commas += c == ',' ? 1 : 0;
            semicolons += c == ';' ? 1 : 0;
        }
    }
    if (semicolons > 0 && semicolons >= commas) {
        return Separator::Semicolon;
    }
    return commas > 0 ? Separator::Comma : Separator::Blanks;
}

char separatorChar(Separator separator) {
    switch (separator) {
    case Separator::Comma:
        return ',';
    case Separator::Semicolon:
        return ';';
    case Separator::Tab:
        return '\t';
    case Separator::Blanks:
        break;
    }
    return ' ';
}

void SeparatedLine::split(std::string_view line, Separator separator) {
    text_.clear();
    spans_.clear();
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    const bool blanks = separator == Separator::Blanks;
    const char sep = separatorChar(separator);
    const auto isSeparator = [&](char c) { return blanks ? isBlank(c) : c == sep; };
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        // Blanks before the field (a tab is a separator, not a blank, in a
        // tab-separated line).
        while (i < n && isBlank(line[i]) && !(separator == Separator::Tab && line[i] == '\t')) {
            ++i;
        }
        if (blanks && i >= n) {
            break;
        }
        const auto start = static_cast<std::uint32_t>(text_.size());
        if (i < n && line[i] == '"') {
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        text_ += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text_ += line[i++];
            }
            // What follows the closing quote belongs to the field (but for
            // the blanks before the separator).
            const std::size_t quoted = text_.size();
            while (i < n && !isSeparator(line[i])) {
                text_ += line[i++];
            }
            if (!blanks) {
                while (text_.size() > quoted && isBlank(text_.back())) {
                    text_.pop_back();
                }
            }
        } else {
            const std::size_t from = i;
            while (i < n && !isSeparator(line[i])) {
                ++i;
            }
            std::size_t to = i;
            while (to > from && isBlank(line[to - 1])) {
                --to;
            }
            text_.append(line.data() + from, to - from);
        }
        spans_.emplace_back(start, static_cast<std::uint32_t>(text_.size()) - start);
        if (i >= n) {
            break;
        }
        // The separator (in a blank-separated line, the run of blanks).
        ++i;
        if (blanks) {
            while (i < n && isBlank(line[i])) {
                ++i;
            }
            if (i >= n) {
                break;
            }
        }
    }
}

std::string quoteField(std::string_view text, Separator separator) {
    const char sep = separatorChar(separator);
    bool quote = text.empty() ? separator == Separator::Blanks
                              : isBlank(text.front()) || isBlank(text.back());
    for (const char c : text) {
        if (c == '"' || c == '\n' || c == '\r' || c == sep
            || (separator == Separator::Blanks && isBlank(c))) {
            quote = true;
            break;
        }
    }
    if (!quote) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

} // namespace tw::text
