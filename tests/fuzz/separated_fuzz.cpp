// Separated-field lines over any bytes: a line splits into fields without
// fault, whichever separator; the fields written back with quoteField and
// split again with the same separator are the same fields.
#include "fuzz_check.h"
#include "text/separated.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char *>(data), size);
    using tw::text::Separator;
    const Separator found = tw::text::detectSeparator(line);
    for (const Separator sep :
        { found, Separator::Blanks, Separator::Comma, Separator::Semicolon, Separator::Tab }) {
        tw::text::SeparatedLine fields;
        fields.split(line, sep);
        std::vector<std::string> first;
        std::size_t length = 0;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            first.emplace_back(fields[i]);
            length += fields[i].size();
        }
        FUZZ_CHECK(length <= size);
        // Written back: fields without line ends read again as they were.
        bool lineEnds = false;
        std::string again;
        for (std::size_t i = 0; i < first.size(); ++i) {
            lineEnds = lineEnds || first[i].find_first_of("\r\n") != std::string::npos;
            if (i > 0) {
                again += tw::text::separatorChar(sep);
            }
            again += tw::text::quoteField(first[i], sep);
        }
        if (lineEnds || first.empty()) {
            continue;
        }
        tw::text::SeparatedLine second;
        second.split(again, sep);
        FUZZ_CHECK(second.size() == first.size());
        for (std::size_t i = 0; i < first.size(); ++i) {
            FUZZ_CHECK(second[i] == first[i]);
        }
    }
    return 0;
}
