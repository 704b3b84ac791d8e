// Generation of the xyz2mun reference inputs and the reference file format.
//
// The generator is splitmix64; a uniform float in [lo, hi) is lo + (hi - lo)
// times a 24-bit fraction, in single precision. The draws for one input are
// made one statement at a time: as arguments of one call their order would
// be the compiler's choice (GCC and clang choose differently), and so would
// the inputs. The test itself reads the inputs from the file.
#include "xyz2mun_reference.h"

#include "engine/notation.h"

#include <bit>
#include <cstring>

namespace tw::engine::testing {

namespace {

class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed)
        : state_(seed) { }
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    float uniform(float lo, float hi) {
        const float unit = static_cast<float>(next() >> 40) / 16777216.0f;
        return lo + (hi - lo) * unit;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t state_;
};

ReferenceInput fromChromaticity(float x, float y, float Y, bool pwd) {
    return { x * Y / y, Y, (1.0f - x - y) * Y / y, pwd };
}

// A renotation point present in the table at Value 1..10, and a neighbour
// one hue or one chroma step away that is present too.
void pickEdge(const RenotationTable &table, SplitMix &rng, int &v, Point &a, Point &b) {
    for (;;) {
        v = 1 + rng.below(10);
        const int h = rng.below(40);
        const int c = rng.below(17);
        const bool alongHue = rng.below(2) == 0;
        const int h2 = alongHue ? h + 1 : h;
        const int c2 = alongHue ? c : c + 1;
        if (c2 > 16) {
            continue;
        }
        a = c == 0 ? Point { neutralX, neutralY } : table.point(v, h, c);
        b = table.point(v, h2, c2);
        if (a.x != 0.0f && b.x != 0.0f && (a.x != b.x || a.y != b.y)) {
            return;
        }
    }
}

} // namespace

std::vector<ReferenceInput> referenceInputs(const RenotationTable &table) {
    SplitMix rng(referenceSeed);
    std::vector<ReferenceInput> inputs;
    inputs.reserve(referenceCount);
    while (inputs.size() < referenceCount) {
        const bool pwd = rng.below(4) == 0;
        const int kind = rng.below(10);
        if (kind <= 3) {
            // Anywhere, in the data or beyond it, dark to brighter than white.
            const float Y = rng.uniform(0.0f, 110.0f);
            const float y = rng.uniform(0.05f, 0.65f);
            const float x = rng.uniform(0.1f, 0.65f);
            inputs.push_back(fromChromaticity(x, y, Y, pwd));
        } else if (kind <= 5) {
            // Near the neutral, where most real colours lie.
            const float Y = rng.uniform(3.0f, 83.0f);
            const float y = rng.uniform(0.27f, 0.42f);
            const float x = rng.uniform(0.25f, 0.4f);
            inputs.push_back(fromChromaticity(x, y, Y, pwd));
        } else if (kind <= 8) {
            // On a cell edge (kind 6: at a whole Value, 7: a renotation point,
            // 8: a hair off the edge at any Value).
            int v = 0;
            Point a {}, b {};
            pickEdge(table, rng, v, a, b);
            const float t = kind == 7 ? 0.0f : rng.uniform(0.0f, 1.0f);
            float x = a.x + (b.x - a.x) * t;
            float y = a.y + (b.y - a.y) * t;
            float Y = value2y(static_cast<float>(v), pwd);
            if (kind == 8) {
                x += rng.uniform(-3e-6f, 3e-6f);
                y += rng.uniform(-3e-6f, 3e-6f);
                Y = rng.uniform(0.5f, 100.0f);
            }
            inputs.push_back(fromChromaticity(x, y, Y, pwd));
        } else {
            // Odd inputs: any sign, zero, tiny and very bright.
            const float scale = rng.below(3) == 0 ? 1e4f : rng.below(2) == 0 ? 1e-3f : 100.0f;
            float c[3];
            for (float &v : c) {
                const int r = rng.below(8);
                v = r == 0 ? 0.0f : rng.uniform(-0.3f, 1.2f) * scale;
            }
            inputs.push_back({ c[0], c[1], c[2], pwd });
        }
    }
    return inputs;
}

std::vector<ReferenceOutput> convertAll(
    const RenotationTable &table, const std::vector<ReferenceInput> &inputs) {
    std::vector<ReferenceOutput> out;
    out.reserve(inputs.size());
    for (const ReferenceInput &in : inputs) {
        ReferenceOutput r {};
        float Y = in.Y;
        r.status = xyz2mun(table, in.pwd, r.H, r.V, r.C, in.X, Y, in.Z);
        out.push_back(r);
    }
    return out;
}

namespace {

void put(std::string &s, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        s.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
    }
}

std::uint64_t get(const std::string &s, std::size_t &pos, int bytes) {
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) {
        v |= static_cast<std::uint64_t>(static_cast<unsigned char>(s[pos++])) << (8 * i);
    }
    return v;
}

constexpr std::size_t headerSize = 4 + 4;
constexpr std::size_t recordSize = 3 * 4 + 1 + 1 + 3 * 4;

void putFloat(std::string &s, float v) {
    put(s, std::bit_cast<std::uint32_t>(v), 4);
}

float getFloat(const std::string &s, std::size_t &pos) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(get(s, pos, 4)));
}

} // namespace

std::string encodeReference(
    const std::vector<ReferenceInput> &inputs, const std::vector<ReferenceOutput> &outputs) {
    std::string s = "TWX2";
    put(s, inputs.size(), 4);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const ReferenceInput &in = inputs[i];
        const ReferenceOutput &r = outputs[i];
        putFloat(s, in.X);
        putFloat(s, in.Y);
        putFloat(s, in.Z);
        put(s, in.pwd ? 1 : 0, 1);
        put(s, r.status == Xyz2MunStatus::Ok ? 0 : 1, 1);
        putFloat(s, r.H);
        putFloat(s, r.V);
        putFloat(s, r.C);
    }
    return s;
}

bool decodeReference(const std::string &bytes, std::vector<ReferenceInput> &inputs,
    std::vector<ReferenceOutput> &outputs, std::string &error) {
    if (bytes.size() < headerSize || bytes.compare(0, 4, "TWX2") != 0) {
        error = "not a reference file (no TWX2 header)";
        return false;
    }
    std::size_t pos = 4;
    const std::uint64_t count = get(bytes, pos, 4);
    if (bytes.size() != headerSize + count * recordSize) {
        error = "the file holds " + std::to_string(bytes.size()) + " bytes for "
            + std::to_string(count) + " records";
        return false;
    }
    inputs.clear();
    outputs.clear();
    inputs.reserve(count);
    outputs.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        ReferenceInput in {};
        in.X = getFloat(bytes, pos);
        in.Y = getFloat(bytes, pos);
        in.Z = getFloat(bytes, pos);
        const std::uint64_t pwd = get(bytes, pos, 1);
        const std::uint64_t status = get(bytes, pos, 1);
        if (pwd > 1 || status > 1) {
            error = "record " + std::to_string(i) + " has a PWD or status byte that is not 0 or 1";
            return false;
        }
        in.pwd = pwd == 1;
        ReferenceOutput r {};
        r.status = status == 0 ? Xyz2MunStatus::Ok : Xyz2MunStatus::OutOfRange;
        r.H = getFloat(bytes, pos);
        r.V = getFloat(bytes, pos);
        r.C = getFloat(bytes, pos);
        inputs.push_back(in);
        outputs.push_back(r);
    }
    return true;
}

bool sameAnswer(const ReferenceOutput &a, const ReferenceOutput &b) {
    return a.status == b.status
        && std::bit_cast<std::uint32_t>(a.H) == std::bit_cast<std::uint32_t>(b.H)
        && std::bit_cast<std::uint32_t>(a.V) == std::bit_cast<std::uint32_t>(b.V)
        && std::bit_cast<std::uint32_t>(a.C) == std::bit_cast<std::uint32_t>(b.C);
}

} // namespace tw::engine::testing
