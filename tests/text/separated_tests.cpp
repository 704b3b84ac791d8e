// Separated-field lines: the separator each line is read with, its fields
// with quotes and blanks, and fields written back so that they read again.
#include "text/separated.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tw::text {
namespace {

std::vector<std::string> fieldsOf(std::string_view line) {
    SeparatedLine fields;
    fields.split(line, detectSeparator(line));
    std::vector<std::string> out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out.emplace_back(fields[i]);
    }
    return out;
}

using Fields = std::vector<std::string>;

TEST(Separated, EachLineFindsItsSeparator) {
    EXPECT_EQ(detectSeparator("5R 5/10"), Separator::Blanks);
    EXPECT_EQ(detectSeparator("5R,5,10"), Separator::Comma);
    EXPECT_EQ(detectSeparator("5R;5;10"), Separator::Semicolon);
    EXPECT_EQ(detectSeparator("5R\t5\t10"), Separator::Tab);
    // Decimal commas in a semicolon-separated line.
    EXPECT_EQ(detectSeparator("A1;30,5;20,25;10"), Separator::Semicolon);
    // A comma inside quotes separates nothing.
    EXPECT_EQ(detectSeparator("\"Smith, J\" 5R 5/10"), Separator::Blanks);
    EXPECT_EQ(detectSeparator("\"a;b\",5R,5,10"), Separator::Comma);
}

TEST(Separated, FieldsOfEverySpelling) {
    EXPECT_EQ(fieldsOf("  5R   5/10 \r"), (Fields { "5R", "5/10" }));
    EXPECT_EQ(fieldsOf("5R , 5 ,10"), (Fields { "5R", "5", "10" }));
    EXPECT_EQ(fieldsOf("a,,b,"), (Fields { "a", "", "b", "" }));
    EXPECT_EQ(fieldsOf("id\t5R 5/10\t"), (Fields { "id", "5R 5/10", "" }));
    EXPECT_EQ(fieldsOf("\"Smith, J\",\"N 5/\""), (Fields { "Smith, J", "N 5/" }));
    EXPECT_EQ(fieldsOf("\"say \"\"hi\"\"\" 1 2"), (Fields { "say \"hi\"", "1", "2" }));
    // A quote never closed runs to the end of the line.
    EXPECT_EQ(fieldsOf("\"open, 5R 5/10"), (Fields { "open, 5R 5/10" }));
    // What follows a closing quote stays with its field.
    EXPECT_EQ(fieldsOf("\"ab\"cd,e"), (Fields { "abcd", "e" }));
    EXPECT_TRUE(fieldsOf("   ").empty());
}

// Any field written back with quoteField reads as the same field, among
// others, with every separator.
TEST(Separated, QuotedFieldsReadBack) {
    std::mt19937 random(99);
    const std::string alphabet = "ab 5,;\t\"/.";
    for (int round = 0; round < 3000; ++round) {
        for (const Separator sep :
            { Separator::Blanks, Separator::Comma, Separator::Semicolon, Separator::Tab }) {
            Fields written;
            std::string line;
            const int count = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < count; ++i) {
                std::string f;
                const int length = static_cast<int>(random() % 5);
                for (int k = 0; k < length; ++k) {
                    f += alphabet[random() % alphabet.size()];
                }
                written.push_back(f);
                if (i > 0) {
                    line += separatorChar(sep);
                }
                line += quoteField(f, sep);
            }
            SeparatedLine fields;
            fields.split(line, sep);
            Fields read;
            for (std::size_t i = 0; i < fields.size(); ++i) {
                read.emplace_back(fields[i]);
            }
            ASSERT_EQ(read, written) << "line [" << line << "]";
        }
    }
}

} // namespace
} // namespace tw::text
