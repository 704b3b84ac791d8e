// CGATS files over any bytes: read or refused with a reason and a line
// within the text; a table read has as many values in every set as fields,
// and each set's line lies within the text. The file through to-munsell
// gives every sample a row, converted or with its reason.
#include "app/convert_cgats.h"
#include "fuzz_check.h"
#include "fuzz_table.h"
#include "text/cgats.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tw::fuzz::table;

class Rows : public tw::app::CgatsRows {
public:
    void table(const std::vector<std::string> &idNames) override {
        FUZZ_CHECK(!idNames.empty());
        ids = idNames.size();
    }
    void sample(const std::vector<std::string> &sampleIds, bool converted,
        const tw::app::Columns &columns, const std::string &why, std::size_t line) override {
        FUZZ_CHECK(sampleIds.size() == ids);
        FUZZ_CHECK(converted ? columns.count > 0 : !why.empty());
        FUZZ_CHECK(line >= 1);
        ++samples;
    }
    std::size_t ids = 0;
    std::size_t samples = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::size_t lines
        = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    std::vector<tw::text::CgatsTable> tables;
    std::string error;
    std::size_t line = 0;
    std::size_t sets = 0;
    if (tw::text::readCgats(text, tables, error, line)) {
        FUZZ_CHECK(!tables.empty());
        for (const tw::text::CgatsTable &t : tables) {
            FUZZ_CHECK(!t.fields.empty());
            for (const tw::text::CgatsSet &set : t.sets) {
                FUZZ_CHECK(set.values.size() == t.fields.size());
                FUZZ_CHECK(set.line >= 1 && set.line <= lines);
                ++sets;
            }
        }
    } else {
        FUZZ_CHECK(!error.empty());
        FUZZ_CHECK(line >= 1 && line <= lines + 1);
    }
    (void)tw::text::looksLikeCgats(text.substr(0, text.find('\n')));
    tw::app::ConvertOptions options;
    options.mode = tw::app::ConvertOptions::Mode::ToMunsell;
    options.notation = size > 0 && data[0] % 2 == 0;
    tw::app::LineConverter converter(table(), options);
    Rows rows;
    std::string why;
    if (!tw::app::convertCgats(text, converter, rows, why, line)) {
        FUZZ_CHECK(!why.empty());
    }
    FUZZ_CHECK(rows.samples <= sets);
    return 0;
}
