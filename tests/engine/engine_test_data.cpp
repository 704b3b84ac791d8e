#include "engine_test_data.h"

#include "engine/notation.h"
#include "text/textfile.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tw::engine::testing {

const RenotationTable &realTable() {
    static const RenotationTable table = [] {
        RenotationTable t;
        std::string error;
        if (!t.loadFile(std::string(TW_DATA_DIR) + "/Muncie.dat", error)) {
            ADD_FAILURE() << error;
        }
        return t;
    }();
    return table;
}

namespace {

std::vector<Sample> readSamples(const std::string &name) {
    std::vector<Sample> out;
    std::string contents;
    std::string error;
    if (!text::readFile(std::string(TW_DATA_DIR) + "/" + name, contents, error)) {
        ADD_FAILURE() << error;
        return out;
    }
    text::FieldReader reader(contents);
    (void)reader.readLine(); // column heads
    while (!reader.atEnd()) {
        Sample s;
        s.hue = reader.readField();
        s.value = static_cast<float>(reader.readNumber());
        s.chroma = static_cast<float>(reader.readNumber());
        s.x = static_cast<float>(reader.readNumber());
        s.y = static_cast<float>(reader.readNumber());
        (void)reader.readNumber(); // Y
        bool formatError = false;
        s.hueNumber = converth(s.hue, formatError);
        EXPECT_FALSE(formatError) << s.hue;
        out.push_back(s);
    }
    return out;
}

} // namespace

const std::vector<Sample> &renotationSamples() {
    static const std::vector<Sample> samples = readSamples("munsell-renotation-all.csv");
    return samples;
}

const std::vector<Sample> &realSamples() {
    static const std::vector<Sample> samples = readSamples("munsell-renotation-real.csv");
    return samples;
}

} // namespace tw::engine::testing
