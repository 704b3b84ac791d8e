// Generation of the xyz2mun reference inputs and the reference file format.
//
// The generator is splitmix64; a uniform float in [lo, hi) is lo + (hi - lo)
// times a 24-bit fraction, all in single precision, so every step is one
// correctly rounded IEEE operation.
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

Point tablePoint(const RenotationTable &table, int v, int h, int c) {
    return { table.at(v, h, c, 0) / 10000.0f, table.at(v, h, c, 1) / 10000.0f };
}

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
        a = c == 0 ? Point { neutralX, neutralY } : tablePoint(table, v, h, c);
        b = tablePoint(table, v, h2, c2);
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
            inputs.push_back(fromChromaticity(rng.uniform(0.1f, 0.65f), rng.uniform(0.05f, 0.65f),
                rng.uniform(0.0f, 110.0f), pwd));
        } else if (kind <= 5) {
            // Near the neutral, where most real colours lie.
            inputs.push_back(fromChromaticity(rng.uniform(0.25f, 0.4f), rng.uniform(0.27f, 0.42f),
                rng.uniform(3.0f, 83.0f), pwd));
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

std::uint64_t inputHash(const std::vector<ReferenceInput> &inputs) {
    // FNV-1a over the bits of every input.
    std::uint64_t h = 0xcbf29ce484222325ULL;
    const auto mix = [&h](std::uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            h = (h ^ ((word >> (8 * i)) & 0xff)) * 0x100000001b3ULL;
        }
    };
    for (const ReferenceInput &in : inputs) {
        mix(std::bit_cast<std::uint32_t>(in.X));
        mix(std::bit_cast<std::uint32_t>(in.Y));
        mix(std::bit_cast<std::uint32_t>(in.Z));
        mix(in.pwd ? 1 : 0);
    }
    return h;
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

constexpr std::size_t headerSize = 4 + 4 + 8;
constexpr std::size_t recordSize = 1 + 3 * 4;

} // namespace

std::string encodeOutputs(std::uint64_t hash, const std::vector<ReferenceOutput> &outputs) {
    std::string s = "TWXM";
    put(s, outputs.size(), 4);
    put(s, hash, 8);
    for (const ReferenceOutput &r : outputs) {
        put(s, r.status == Xyz2MunStatus::Ok ? 0 : 1, 1);
        put(s, std::bit_cast<std::uint32_t>(r.H), 4);
        put(s, std::bit_cast<std::uint32_t>(r.V), 4);
        put(s, std::bit_cast<std::uint32_t>(r.C), 4);
    }
    return s;
}

bool decodeOutputs(const std::string &bytes, std::uint64_t &hash,
    std::vector<ReferenceOutput> &outputs, std::string &error) {
    if (bytes.size() < headerSize || bytes.compare(0, 4, "TWXM") != 0) {
        error = "not a reference file (no TWXM header)";
        return false;
    }
    std::size_t pos = 4;
    const std::uint64_t count = get(bytes, pos, 4);
    hash = get(bytes, pos, 8);
    if (bytes.size() != headerSize + count * recordSize) {
        error = "the file holds " + std::to_string(bytes.size()) + " bytes for "
            + std::to_string(count) + " records";
        return false;
    }
    outputs.clear();
    outputs.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        ReferenceOutput r {};
        r.status = get(bytes, pos, 1) == 0 ? Xyz2MunStatus::Ok : Xyz2MunStatus::OutOfRange;
        r.H = std::bit_cast<float>(static_cast<std::uint32_t>(get(bytes, pos, 4)));
        r.V = std::bit_cast<float>(static_cast<std::uint32_t>(get(bytes, pos, 4)));
        r.C = std::bit_cast<float>(static_cast<std::uint32_t>(get(bytes, pos, 4)));
        outputs.push_back(r);
    }
    return true;
}

} // namespace tw::engine::testing
