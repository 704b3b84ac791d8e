// The program's icon, drawn from the engine's own colours: the hue circle of
// the ten principal hues (5R, 5YR ... 5RP) at Value 6, Chroma 8 as a ring of
// wedges, around a neutral disc of Value 5, each colour as the display shows
// it under illuminant C and gamma 2.2.
//
//   tintwise-icon TABLE OUTDIR
// writes OUTDIR/tintwise-48.png, OUTDIR/tintwise-256.png and
// OUTDIR/tintwise.svg.
#include "engine/display_colour.h"
#include "engine/renotation_table.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <string>

namespace {

using tw::engine::DisplayColour;

QColor displayColour(
    const tw::engine::RenotationTable &table, float hue, float value, float chroma) {
    const DisplayColour c = tw::engine::munsellToDisplay(table, tw::engine::Illuminant::C_1931,
        false, tw::engine::DisplaySettings {}, hue, value, chroma);
    return c.hasRgb() ? QColor(c.rgb.R, c.rgb.G, c.rgb.B) : QColor(128, 128, 128);
}

struct Icon {
    std::array<QColor, 10> hues;
    QColor centre;
};

// Wedge k spans the angles of hue 10k .. 10k + 10 (hue 5 + 10k at its
// middle), counter-clockwise from the top as the hue circle is drawn.
double wedgeAngle(double hue) {
    return 90.0 + hue / 100.0 * 360.0;
}

void drawPng(const Icon &icon, int size, const std::string &path) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer(size * 0.03, size * 0.03, size * 0.94, size * 0.94);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 10; ++k) {
        p.setBrush(icon.hues[static_cast<std::size_t>(k)]);
        // drawPie takes sixteenths of a degree.
        p.drawPie(outer, static_cast<int>(wedgeAngle(10.0 * k) * 16), 36 * 16);
    }
    p.setBrush(icon.centre);
    const double r = size * 0.22;
    p.drawEllipse(QPointF(size / 2.0, size / 2.0), r, r);
    p.end();
    if (!image.save(QString::fromStdString(path), "PNG")) {
        std::fprintf(stderr, "tintwise-icon: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

std::string hex(const QColor &c) {
    return c.name().toStdString();
}

void writeSvg(const Icon &icon, const std::string &path) {
    std::ofstream out(path);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n";
    const double c = 128.0;
    const double R = 120.0;
    for (int k = 0; k < 10; ++k) {
        const double a0 = wedgeAngle(10.0 * k) * std::numbers::pi / 180.0;
        const double a1 = wedgeAngle(10.0 * k + 10.0) * std::numbers::pi / 180.0;
        // y grows downwards in SVG: the angle's sine is subtracted.
        char d[256];
        std::snprintf(d, sizeof d, "M %.3f %.3f L %.3f %.3f A %.3f %.3f 0 0 0 %.3f %.3f Z", c, c,
            c + R * std::cos(a0), c - R * std::sin(a0), R, R, c + R * std::cos(a1),
            c - R * std::sin(a1));
        out << "  <path d=\"" << d << "\" fill=\"" << hex(icon.hues[static_cast<std::size_t>(k)])
            << "\" stroke=\"none\"/>\n";
    }
    out << "  <circle cx=\"128\" cy=\"128\" r=\"56\" fill=\"" << hex(icon.centre)
        << "\" stroke=\"none\"/>\n";
    out << "</svg>\n";
    if (!out) {
        std::fprintf(stderr, "tintwise-icon: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tintwise-icon TABLE OUTDIR\n");
        return 2;
    }
    tw::engine::RenotationTable table;
    std::string error;
    if (!table.loadFile(argv[1], error)) {
        std::fprintf(stderr, "tintwise-icon: %s\n", error.c_str());
        return 1;
    }
    Icon icon;
    for (int k = 0; k < 10; ++k) {
        icon.hues[static_cast<std::size_t>(k)]
            = displayColour(table, 5.0f + 10.0f * static_cast<float>(k), 6.0f, 8.0f);
    }
    icon.centre = displayColour(table, 5.0f, 5.0f, 0.0f);
    const std::string dir = argv[2];
    drawPng(icon, 48, dir + "/tintwise-48.png");
    drawPng(icon, 256, dir + "/tintwise-256.png");
    writeSvg(icon, dir + "/tintwise.svg");
    return 0;
}
