#include "artwork/font.h"

#include <cmath>
#include <map>

namespace lumora::art {

namespace {

// Glyph coordinates in em: x to the right, y up from the baseline; x-height
// 0.5, capitals 0.72, ascenders 0.76.
struct Glyph {
    float advance;
    std::vector<std::vector<float>> strokes;
};

constexpr float kPi = 3.14159265f;

// Points of an elliptical arc from angle a0 to a1 (degrees, counter-clockwise
// positive), appended to `line`.
void Arc(std::vector<float>& line, float cx, float cy, float rx, float ry, float a0, float a1)
{
    const int steps = std::max(4, static_cast<int>(std::abs(a1 - a0) / 7.5f));
    for (int i = 0; i <= steps; ++i) {
        const float a = (a0 + (a1 - a0) * i / steps) * kPi / 180;
        line.push_back(cx + rx * std::cos(a));
        line.push_back(cy + ry * std::sin(a));
    }
}

std::vector<float> Ring(float cx, float cy, float rx, float ry)
{
    std::vector<float> line;
    Arc(line, cx, cy, rx, ry, 0, 360);
    return line;
}

std::vector<float> Hump(float x0, float x1, float shoulder)
{
    const float r = (x1 - x0) / 2;
    std::vector<float> line = {x0, shoulder};
    Arc(line, x0 + r, shoulder, r, r, 180, 0);
    line.insert(line.end(), {x1, 0});
    return line;
}

std::map<char, Glyph> BuildGlyphs()
{
    std::map<char, Glyph> g;
    g[' '] = {0.25f, {}};
    g['L'] = {0.36f, {{0, 0.72f, 0, 0, 0.36f, 0}}};
    g['T'] = {0.5f, {{0, 0.72f, 0.5f, 0.72f}, {0.25f, 0.72f, 0.25f, 0}}};
    g['A'] = {0.6f, {{0, 0, 0.3f, 0.72f, 0.6f, 0}, {0.12f, 0.24f, 0.48f, 0.24f}}};
    {
        std::vector<float> cup = {0, 0.5f, 0, 0.22f};
        Arc(cup, 0.22f, 0.22f, 0.22f, 0.22f, 180, 360);
        cup.insert(cup.end(), {0.44f, 0.5f});
        g['u'] = {0.44f, {cup, {0.44f, 0.5f, 0.44f, 0}}};
    }
    g['m'] = {0.72f, {{0, 0, 0, 0.5f}, Hump(0, 0.36f, 0.3f), Hump(0.36f, 0.72f, 0.3f)}};
    g['n'] = {0.42f, {{0, 0, 0, 0.5f}, Hump(0, 0.42f, 0.28f)}};
    g['h'] = {0.42f, {{0, 0, 0, 0.76f}, Hump(0, 0.42f, 0.28f)}};
    g['o'] = {0.5f, {Ring(0.25f, 0.25f, 0.25f, 0.25f)}};
    {
        std::vector<float> shoulder = {0, 0.26f};
        Arc(shoulder, 0.22f, 0.26f, 0.22f, 0.22f, 180, 60);
        g['r'] = {0.33f, {{0, 0, 0, 0.5f}, shoulder}};
    }
    g['a'] = {0.48f, {Ring(0.24f, 0.25f, 0.24f, 0.25f), {0.48f, 0.5f, 0.48f, 0}}};
    g['l'] = {0, {{0, 0.76f, 0, 0}}};
    g['i'] = {0, {{0, 0.5f, 0, 0}, {0, 0.68f}}};
    g['b'] = {0.5f, {{0, 0.76f, 0, 0}, Ring(0.25f, 0.25f, 0.25f, 0.25f)}};
    g['p'] = {0.5f, {{0, 0.5f, 0, -0.24f}, Ring(0.25f, 0.25f, 0.25f, 0.25f)}};
    {
        std::vector<float> stem = {0.1f, 0.7f, 0.1f, 0.12f};
        Arc(stem, 0.22f, 0.12f, 0.12f, 0.12f, 180, 300);
        g['t'] = {0.3f, {stem, {0, 0.5f, 0.28f, 0.5f}}};
    }
    {
        std::vector<float> two;
        Arc(two, 0.23f, 0.5f, 0.22f, 0.22f, 150, -30);
        two.insert(two.end(), {0, 0, 0.46f, 0});
        g['2'] = {0.46f, {two}};
    }
    g['0'] = {0.48f, {Ring(0.24f, 0.36f, 0.24f, 0.36f)}};
    g['.'] = {0.02f, {{0.01f, 0.01f}}};
    {
        std::vector<float> hook;
        Arc(hook, 0.2f, 0.54f, 0.19f, 0.18f, 160, -60);
        hook.insert(hook.end(), {0.2f, 0.22f});
        g['?'] = {0.4f, {hook, {0.2f, 0.01f}}};
    }
    return g;
}

const std::map<char, Glyph>& Glyphs()
{
    static const std::map<char, Glyph> glyphs = BuildGlyphs();
    return glyphs;
}

float Advance(char c, const TextStyle& style)
{
    const auto it = Glyphs().find(c);
    const float advance = it == Glyphs().end() ? 0.25f : it->second.advance;
    return (advance + 2 * style.weight + style.tracking) * style.size;
}

}  // namespace

float TextWidth(const std::string& text, const TextStyle& style)
{
    float width = 0;
    for (char c : text)
        width += Advance(c, style);
    return text.empty() ? 0 : width - style.tracking * style.size;
}

Shape TextShape(const std::string& text, float x, float baseline, const TextStyle& style)
{
    std::vector<Shape> parts;
    float penX = x + style.weight * style.size;
    for (char c : text) {
        const auto it = Glyphs().find(c);
        if (it != Glyphs().end())
            for (const std::vector<float>& stroke : it->second.strokes) {
                std::vector<float> points;
                for (size_t i = 0; i + 1 < stroke.size(); i += 2) {
                    const float ex = stroke[i], ey = stroke[i + 1];
                    points.push_back(penX + (ex + ey * style.slant) * style.size);
                    points.push_back(baseline - ey * style.size);
                }
                parts.push_back(Polyline(std::move(points), style.weight * style.size));
            }
        penX += Advance(c, style);
    }
    return [parts = std::move(parts)](float px, float py) {
        float best = 1e30f;
        for (const Shape& part : parts)
            best = std::min(best, part(px, py));
        return best;
    };
}

}  // namespace lumora::art
