#include "charts/ccnames.h"

#include "engine/notation.h"
#include "engine/notation_text.h"
#include "text/numbers.h"
#include "text/textfile.h"

#include <cmath>
#include <vector>

namespace tw::charts {

namespace {

bool number(const std::string &field, float &out) {
    double v = 0.0;
    if (!text::parseNumber(field, v) || !std::isfinite(static_cast<float>(v))) {
        return false;
    }
    out = static_cast<float>(v);
    return true;
}

// "records 3, 7 and 9"
std::string recordList(const std::vector<int> &records) {
    std::string out = records.size() == 1 ? "record " : "records ";
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i > 0) {
            out += i + 1 == records.size() ? " and " : ", ";
        }
        out += std::to_string(records[i]);
    }
    return out;
}

} // namespace

CcNames readCcNames(const std::string &contents, const std::string &fileName) {
    CcNames out;
    text::FieldReader lines(contents);
    (void)lines.readLine(); // the header

    std::vector<int> faulty;
    std::string firstFault;
    int record = 0;
    while (record < ccPatchCount && !lines.atEnd()) {
        const std::string line = lines.readLine();
        if (line.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        ++record;
        text::FieldReader fields(line);
        (void)fields.readField(); // number or label
        CcNotation patch;
        patch.name = fields.readField();
        const std::string hue = fields.readField();
        const std::string value = fields.readField();
        const std::string chroma = fields.readField();

        std::string fault;
        bool formatError = false;
        std::optional<float> neutralValue;
        if (engine::readNeutral(hue, neutralValue)) {
            // A neutral ("N", "N 9.5/"): Chroma 0; its Value from the Value
            // field, or from the hue field when that is empty.
            patch.hue = 0.0f;
            patch.chroma = 0.0f;
            float c = 0.0f;
            if (!number(value, patch.value) && !(value.empty() && neutralValue)) {
                fault = "the Value \"" + value + "\" is not a number";
            } else if (!chroma.empty() && (!number(chroma, c) || c != 0.0f)) {
                fault = "the neutral \"" + hue + "\" has a Chroma of " + chroma;
            } else if (value.empty()) {
                patch.value = *neutralValue;
            }
        } else if (patch.hue = engine::converth(hue, formatError); formatError || hue.empty()) {
            fault = "the hue \"" + hue + "\" is not a Munsell hue";
        } else if (!number(value, patch.value)) {
            fault = "the Value \"" + value + "\" is not a number";
        } else if (!number(chroma, patch.chroma)) {
            fault = "the Chroma \"" + chroma + "\" is not a number";
        }
        if (fault.empty()) {
            out.patches[static_cast<std::size_t>(record - 1)] = patch;
        } else {
            faulty.push_back(record);
            if (firstFault.empty()) {
                firstFault = "in record " + std::to_string(record) + " " + fault;
            }
        }
    }

    std::string problem;
    if (!faulty.empty()) {
        problem = "\"" + fileName + "\": " + firstFault + "; " + recordList(faulty)
            + (faulty.size() == 1 ? " is" : " are") + " left empty.";
    }
    if (record < ccPatchCount) {
        const std::string missing = record + 1 == ccPatchCount
            ? "patch " + std::to_string(ccPatchCount) + " is"
            : "patches " + std::to_string(record + 1) + " to " + std::to_string(ccPatchCount)
                + " are";
        problem += (problem.empty() ? "\"" + fileName + "\"" : " It") + " holds "
            + std::to_string(record) + " of the " + std::to_string(ccPatchCount) + " records; "
            + missing + " left empty.";
    }
    out.problem = problem;
    return out;
}

} // namespace tw::charts
