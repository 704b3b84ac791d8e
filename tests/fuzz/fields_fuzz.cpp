// Field input and line input over any bytes: every read makes progress, so
// reading to the end always ends; the fields and lines read hold no line
// end unless it was quoted; numbers read are never NaN.
#include "fuzz_check.h"
#include "text/textfile.h"

#include <cmath>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string text(reinterpret_cast<const char *>(data), size);
    {
        tw::text::FieldReader reader(text);
        std::size_t reads = 0;
        while (!reader.atEnd()) {
            const std::string field = reader.readField();
            // Only a quoted field may hold a line end.
            if (text.find('"') == std::string::npos) {
                FUZZ_CHECK(field.find_first_of("\r\n") == std::string::npos);
            }
            FUZZ_CHECK(++reads <= size + 1);
        }
    }
    {
        tw::text::FieldReader reader(text);
        std::size_t reads = 0;
        while (!reader.atEnd()) {
            const std::string line = reader.readLine();
            FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
            FUZZ_CHECK(++reads <= size + 1);
        }
    }
    {
        // Numbers read as fields are finite or refused.
        tw::text::FieldReader reader(text);
        std::size_t reads = 0;
        while (!reader.atEnd() && ++reads <= size + 1) {
            FUZZ_CHECK(!std::isnan(reader.readNumber()));
        }
        FUZZ_CHECK(reads <= size + 1);
    }
    return 0;
}
