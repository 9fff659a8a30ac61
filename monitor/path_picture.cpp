#include "path_picture.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t MAX_SAMPLES = 20000;
constexpr double SIZE = 640, MARGIN = 40;

std::string escapeXml(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '&': out += "&amp;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

void addSample(PathPicture& picture, float x, float z, float frontX, float frontZ) {
    if (!std::isfinite(x) || !std::isfinite(z)) return;
    if (!std::isfinite(frontX) || !std::isfinite(frontZ)) frontX = frontZ = 0;
    if (picture.samples.size() >= MAX_SAMPLES) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < picture.samples.size(); i += 2) picture.samples[kept++] = picture.samples[i];
        picture.samples.resize(kept);
    }
    picture.samples.push_back({x, z, frontX, frontZ});
}

void writeSvg(const PathPicture& picture, std::FILE* out) {
    std::fprintf(out,
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
                 "viewBox=\"0 0 %.0f %.0f\">\n<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n"
                 "<defs><marker id=\"head\" viewBox=\"0 0 10 10\" refX=\"2\" refY=\"5\" markerWidth=\"5\" "
                 "markerHeight=\"5\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 z\" fill=\"#cc0000\"/></marker></defs>\n",
                 SIZE, SIZE + 50, SIZE, SIZE + 50);
    const auto& s = picture.samples;
    if (s.empty()) {
        std::fprintf(out, "<text x=\"20\" y=\"40\" font-family=\"sans-serif\">no frames seen</text>\n</svg>\n");
        return;
    }
    double minX = s[0].x, maxX = s[0].x, minZ = s[0].z, maxZ = s[0].z;
    for (const PathSample& p : s) {
        minX = std::min(minX, double{p.x});
        maxX = std::max(maxX, double{p.x});
        minZ = std::min(minZ, double{p.z});
        maxZ = std::max(maxZ, double{p.z});
    }
    const double span = std::max({maxX - minX, maxZ - minZ, 1e-3});
    const double scale = (SIZE - 2 * MARGIN) / span;
    // One scale for both axes, the shorter extent centred.
    const double offsetX = (span - (maxX - minX)) / 2, offsetZ = (span - (maxZ - minZ)) / 2;
    const auto px = [&](double x) { return MARGIN + (x - minX + offsetX) * scale; };
    const auto pz = [&](double z) { return MARGIN + (z - minZ + offsetZ) * scale; };

    std::fprintf(out, "<polyline fill=\"none\" stroke=\"#9fbfdf\" stroke-width=\"4\" points=\"");
    for (const PathSample& p : s) std::fprintf(out, "%.1f,%.1f ", px(p.x), pz(p.z));
    std::fprintf(out, "\"/>\n");

    const std::size_t step = std::max<std::size_t>(1, s.size() / 24);
    const double arrow = 28;
    for (std::size_t i = 0; i < s.size(); i += step) {
        const double length = std::hypot(double{s[i].frontX}, double{s[i].frontZ});
        if (length < 1e-6) continue;
        const double x = px(s[i].x), z = pz(s[i].z);
        std::fprintf(out,
                     "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#cc0000\" "
                     "stroke-width=\"2\" marker-end=\"url(#head)\"/>\n",
                     x, z, x + arrow * s[i].frontX / length, z + arrow * s[i].frontZ / length);
    }
    std::fprintf(out, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"6\" fill=\"#4e9a06\"/>\n", px(s.front().x), pz(s.front().z));
    std::fprintf(out, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"6\" fill=\"#a40000\"/>\n", px(s.back().x), pz(s.back().z));
    std::fprintf(out,
                 "<text x=\"20\" y=\"%.0f\" font-family=\"sans-serif\" font-size=\"13\">%s: %zu samples, "
                 "x %.2f to %.2f, z %.2f to %.2f</text>\n<text x=\"20\" y=\"%.0f\" font-family=\"sans-serif\" "
                 "font-size=\"13\">seen from above: +x right, +z down; green start, red end, arrows: facing</text>\n"
                 "</svg>\n",
                 SIZE + 5, escapeXml(picture.identity.empty() ? "avatar" : picture.identity).c_str(), s.size(),
                 minX, maxX, minZ, maxZ, SIZE + 25);
}
