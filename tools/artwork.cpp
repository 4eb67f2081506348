// The program's artwork, drawn by code. Every shape is sampled several times per pixel and the averaged
// colour is matched to the picture's palette, which gives soft edges inside the pictures while their
// outlines (the yellow window mask, the magenta glyph mask) stay exact.
// Nothing depends on time, chance or the machine beyond its C library's maths, so a run gives the same
// bytes every time.
#include "artwork.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>

namespace {

// ---------------------------------------------------------------------------------------------------------
// Sampling

struct TColour {
    double R = 0, G = 0, B = 0;
};

TColour Rgb(int r, int g, int b) { return {double(r), double(g), double(b)}; }
TColour FromRgb(TRgb c) { return Rgb(c.R, c.G, c.B); }
TColour Mix(TColour a, TColour b, double t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}
TColour Scale(TColour c, double f) { return {c.R * f, c.G * f, c.B * f}; }
double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// A drawing is a function of a point (in pixels, pixel (x, y) covering x..x+1, y..y+1) giving the
// colour there, or nothing where the drawing leaves the point uncovered.
using TSampler = std::function<std::optional<TColour>(double x, double y)>;

struct TPixel {
    TColour Colour;   // average colour of the covered samples
    double Cover = 0; // share of the samples covered, 0..1
};

bool Same(const std::optional<TColour>& a, const std::optional<TColour>& b) {
    if (!a || !b)
        return !a && !b;
    return a->R == b->R && a->G == b->G && a->B == b->B;
}

// n x n samples per pixel, where it matters: a pixel whose four quick samples agree is taken as plain.
std::vector<TPixel> Sample(int width, int height, int n, const TSampler& draw) {
    std::vector<TPixel> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            TPixel& p = out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(x)];
            const std::optional<TColour> quick[4] = {draw(x + 0.25, y + 0.25), draw(x + 0.75, y + 0.25),
                                                     draw(x + 0.25, y + 0.75), draw(x + 0.75, y + 0.75)};
            if (Same(quick[0], quick[1]) && Same(quick[0], quick[2]) && Same(quick[0], quick[3])) {
                if (quick[0])
                    p.Colour = *quick[0], p.Cover = 1;
                continue;
            }
            TColour sum;
            int hits = 0;
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx) {
                    const auto c = draw(x + (sx + 0.5) / n, y + (sy + 0.5) / n);
                    if (!c)
                        continue;
                    sum.R += c->R, sum.G += c->G, sum.B += c->B;
                    ++hits;
                }
            if (hits > 0)
                p.Colour = Scale(sum, 1.0 / hits);
            p.Cover = double(hits) / (n * n);
        }
    return out;
}

double Distance(TColour a, TColour b) {
    // weighted like the eye: green counts most
    const double dr = a.R - b.R, dg = a.G - b.G, db = a.B - b.B;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

std::uint8_t Nearest(const std::vector<TRgb>& palette, const TColour& c, std::size_t first) {
    std::size_t best = first;
    double bestDistance = 1e300;
    for (std::size_t i = first; i < palette.size(); ++i) {
        const double d = Distance(c, FromRgb(palette[i]));
        if (d < bestDistance)
            best = i, bestDistance = d;
    }
    return static_cast<std::uint8_t>(best);
}

TRgb ToRgb(TColour c) {
    auto channel = [](double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); };
    return {channel(c.R), channel(c.G), channel(c.B)};
}

// ---------------------------------------------------------------------------------------------------------
// Geometry

struct TPoint {
    double X = 0, Y = 0;
};
TPoint operator-(TPoint a, TPoint b) { return {a.X - b.X, a.Y - b.Y}; }
TPoint operator+(TPoint a, TPoint b) { return {a.X + b.X, a.Y + b.Y}; }
TPoint operator*(TPoint a, double f) { return {a.X * f, a.Y * f}; }
double Dot(TPoint a, TPoint b) { return a.X * b.X + a.Y * b.Y; }
double Length(TPoint a) { return std::sqrt(Dot(a, a)); }

double SegmentDistance(TPoint p, TPoint a, TPoint b) {
    const TPoint ab = b - a;
    const double t = Clamp01(Dot(p - a, ab) / Dot(ab, ab));
    return Length(p - (a + ab * t));
}

// Signed distance to a rounded rectangle: negative inside.
double RoundBox(TPoint p, double left, double top, double right, double bottom, double radius) {
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double qx = std::abs(p.X - cx) - (right - left) / 2 + radius;
    const double qy = std::abs(p.Y - cy) - (bottom - top) / 2 + radius;
    const double outside = Length({std::max(qx, 0.0), std::max(qy, 0.0)});
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// A polygon of axis-parallel edges, listed clockwise on screen, each corner rounded with its own radius
// (convex corners round off, concave ones get a fillet). Gives whether a point lies inside, how deep, and
// the direction towards the inside from the nearest edge point.
class TRoundedOutline {
public:
    struct TCorner {
        TPoint At;
        double Radius;
    };
    explicit TRoundedOutline(std::vector<TCorner> corners) : Corners(std::move(corners)) {
        for (std::size_t i = 0; i < Corners.size(); ++i)
            Arcs.push_back(ArcAt(i));
    }

    struct THit {
        bool Inside = false;
        double Depth = 0;    // distance to the outline
        TPoint Inward{0, 0}; // unit vector from the nearest outline point into the shape
    };

    THit Probe(TPoint p) const {
        THit hit;
        hit.Inside = Contains(p);
        double best = 1e300;
        TPoint nearest{};
        const std::size_t n = Arcs.size();
        for (std::size_t i = 0; i < n; ++i) {
            const Arc& arc = Arcs[i];
            const Arc& next = Arcs[(i + 1) % n];
            // the straight piece between this corner's arc and the next one's
            Consider(p, ClosestOnSegment(p, arc.End, next.Start), best, nearest);
            Consider(p, ClosestOnArc(p, arc), best, nearest);
        }
        hit.Depth = std::sqrt(best);
        const TPoint d = p - nearest;
        const double len = Length(d);
        hit.Inward = len > 1e-9 ? d * (1 / len) : TPoint{0, 0};
        if (!hit.Inside)
            hit.Inward = hit.Inward * -1;
        return hit;
    }

private:
    struct Arc {
        TPoint Start, End, Centre, Corner;
        double Radius;
    };
    std::vector<TCorner> Corners;
    std::vector<Arc> Arcs;

    static TPoint Unit(TPoint v) { return v * (1 / Length(v)); }

    Arc ArcAt(std::size_t i) const {
        const std::size_t n = Corners.size();
        const TPoint v = Corners[i].At;
        const TPoint a = Unit(v - Corners[(i + n - 1) % n].At); // incoming direction
        const TPoint b = Unit(Corners[(i + 1) % n].At - v);     // outgoing direction
        const double r = Corners[i].Radius;
        return {v - a * r, v + b * r, v - a * r + b * r, v, r};
    }

    static TPoint ClosestOnSegment(TPoint p, TPoint a, TPoint b) {
        const TPoint ab = b - a;
        const double len2 = Dot(ab, ab);
        if (len2 < 1e-12)
            return a;
        return a + ab * Clamp01(Dot(p - a, ab) / len2);
    }

    static TPoint ClosestOnArc(TPoint p, const Arc& arc) {
        if (arc.Radius <= 0)
            return arc.Corner;
        const TPoint toCorner = arc.Corner - arc.Centre; // the arc is the quarter facing the corner
        const TPoint d = p - arc.Centre;
        const TPoint u = arc.Start - arc.Centre, w = arc.End - arc.Centre;
        if (Dot(d, u) >= 0 && Dot(d, w) >= 0 && Length(d) > 1e-9 && Dot(d, toCorner) > 0)
            return arc.Centre + d * (arc.Radius / Length(d));
        return Length(p - arc.Start) < Length(p - arc.End) ? arc.Start : arc.End;
    }

    static void Consider(TPoint p, TPoint q, double& best, TPoint& nearest) {
        const double d2 = Dot(p - q, p - q);
        if (d2 < best)
            best = d2, nearest = q;
    }

    // Inside the polygon, then corrected in the corner squares for the rounding.
    bool Contains(TPoint p) const {
        bool inside = false;
        const std::size_t n = Corners.size();
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const TPoint a = Corners[i].At, b = Corners[j].At;
            if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X)
                inside = !inside;
        }
        for (const Arc& arc : Arcs) {
            if (arc.Radius <= 0)
                continue;
            const double x0 = std::min(arc.Corner.X, arc.Centre.X), x1 = std::max(arc.Corner.X, arc.Centre.X);
            const double y0 = std::min(arc.Corner.Y, arc.Centre.Y), y1 = std::max(arc.Corner.Y, arc.Centre.Y);
            if (p.X < x0 || p.X >= x1 || p.Y < y0 || p.Y >= y1)
                continue;
            if (Length(p - arc.Centre) > arc.Radius)
                inside = !inside; // convex corner: cut away; concave corner: filled
        }
        return inside;
    }
};

// How much a surface whose inside lies in direction `inward` from its edge faces the light, which comes
// from the top left: 1 fully lit, -1 in full shadow.
double Lit(TPoint inward) { return (inward.X + inward.Y) / std::sqrt(2.0); }

// ---------------------------------------------------------------------------------------------------------
// BMP files

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) // push_back: g++ 12 warns wrongly about insert into an empty vector
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}
std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    return in[at] | in[at + 1] << 8 | in[at + 2] << 16 | std::uint32_t(in[at + 3]) << 24;
}
unsigned Get16(const std::vector<std::uint8_t>& in, std::size_t at) { return in[at] | in[at + 1] << 8; }

void PutInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits, std::uint32_t imageSize,
                   std::uint32_t coloursUsed) {
    Put32(out, 40); // BITMAPINFOHEADER
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1); // planes
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, 0); // BI_RGB
    Put32(out, imageSize);
    Put32(out, 3780); // 96 pixels per inch
    Put32(out, 3780);
    Put32(out, coloursUsed);
    Put32(out, 0);
}

} // namespace

std::vector<std::uint8_t> EncodeBmp(const TPicture& picture, int bitsPerPixel) {
    if (bitsPerPixel != 4 && bitsPerPixel != 8)
        throw std::invalid_argument("EncodeBmp: 4 or 8 bits per pixel");
    const std::size_t colours = std::size_t{1} << bitsPerPixel;
    if (picture.Palette.size() > colours)
        throw std::invalid_argument("EncodeBmp: too many colours");
    const std::size_t stride = ((static_cast<std::size_t>(picture.Width) * bitsPerPixel + 31) / 32) * 4;
    const std::size_t imageSize = stride * static_cast<std::size_t>(picture.Height);
    const std::size_t offset = 14 + 40 + 4 * colours;
    std::vector<std::uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(offset + imageSize));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(offset));
    PutInfoHeader(out, picture.Width, picture.Height, bitsPerPixel, static_cast<std::uint32_t>(imageSize),
                  static_cast<std::uint32_t>(colours));
    for (std::size_t i = 0; i < colours; ++i) {
        const TRgb c = i < picture.Palette.size() ? picture.Palette[i] : TRgb{};
        out.insert(out.end(), {c.B, c.G, c.R, 0});
    }
    for (int y = picture.Height - 1; y >= 0; --y) { // rows from the bottom
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < picture.Width; ++x) {
            const std::uint8_t v =
                picture.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.Width) +
                               static_cast<std::size_t>(x)];
            if (bitsPerPixel == 8)
                row[static_cast<std::size_t>(x)] = v;
            else
                row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 == 0 ? v << 4 : v);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

TPicture DecodeBmp(const std::vector<std::uint8_t>& file) {
    TPicture p;
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || Get32(file, 14) != 40)
        return p;
    const int width = static_cast<int>(Get32(file, 18));
    const int height = static_cast<int>(Get32(file, 22));
    const unsigned bits = Get16(file, 28);
    if ((bits != 4 && bits != 8) || Get32(file, 30) != 0 || width <= 0 || height <= 0 || width > 4096 ||
        height > 4096)
        return p;
    std::size_t colours = Get32(file, 46);
    if (colours == 0)
        colours = std::size_t{1} << bits;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::size_t offset = Get32(file, 10);
    if (colours > (std::size_t{1} << bits) || 54 + 4 * colours > file.size() ||
        offset + stride * static_cast<std::size_t>(height) > file.size())
        return p;
    for (std::size_t i = 0; i < colours; ++i)
        p.Palette.push_back({file[54 + 4 * i + 2], file[54 + 4 * i + 1], file[54 + 4 * i]});
    p.Pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = &file[offset + stride * static_cast<std::size_t>(height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            const std::uint8_t v = bits == 8 ? row[x] : (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F);
            if (v >= colours)
                return {};
            p.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)] = v;
        }
    }
    p.Width = width;
    p.Height = height;
    return p;
}

// -------------------------------------------------------------------------------------------------------------
// The background picture of the calculator window

namespace {

// The 16 colours. Yellow comes first so that it is never picked for a pixel inside the window; pale gold and
// slate are only there for the soft edges where gold meets white and blue meets grey.
enum EBackgroundColour : std::uint8_t {
    bgYellow,
    bgFace,
    bgWhite,
    bgLight,
    bgSoft,
    bgMid,
    bgDark,
    bgOutline,
    bgNavy,
    bgBlue,
    bgSky,
    bgPale,
    bgGold,
    bgDeepGold,
    bgPaleGold,
    bgSlate,
};
const std::vector<TRgb> BackgroundPalette = {
    MaskYellow,     PanelGrey,      {255, 255, 255}, {228, 227, 231}, {176, 174, 180}, {142, 140, 148},
    {96, 94, 106},  {38, 40, 60},   {28, 52, 118},   {52, 94, 178},   {124, 162, 222}, {214, 224, 242},
    {244, 192, 52}, {178, 124, 22}, {250, 228, 156}, {98, 116, 164},
};
TColour Pal(EBackgroundColour c) { return FromRgb(BackgroundPalette[c]); }

// The panel: the upper part across the window, its right part reaching down to carry the "Berechnen" button.
const TRoundedOutline Panel({
    {{18, 46}, 14},
    {{595, 46}, 14},
    {{595, 479}, 12},
    {{319, 479}, 12},
    {{319, 434}, 10}, // fillet where the lower part leaves the panel
    {{18, 434}, 12},
});

// The medal at the top right: a white disc in a gold band, set in a dark crescent that touches the
// picture's top and right edges (the crescent's circle reaches y = 1 and x = 633 exactly).
constexpr TPoint DiscCentre{535.5, 98.5};
constexpr double DiscRadius = 65.5; // the white face, 131 pixels across
constexpr double GoldInner = 66.5;  // a dark gold line, then the gold band
constexpr double GoldOuter = 69.5;
constexpr TPoint CrescentCentre{548, 87};
constexpr double CrescentRadius = 86; // 548 + 86 = 634, 87 - 86 = 1

// The bar along the left edge: x 2..17, y 131..315, its ends rounded.
constexpr double BarLeft = 2, BarRight = 18, BarTop = 131, BarBottom = 316;

// The panel's edge: a dark line, then a bevel lit from the top left, then the face; further in an
// engraved line runs round the panel.
constexpr double OutlineWidth = 1.3;
constexpr double BevelWidth = 4.5;
constexpr double GrooveDepth = 9;

std::optional<TColour> FaceDetail(TPoint p);

std::optional<TColour> PanelColour(TPoint p) {
    const TRoundedOutline::THit hit = Panel.Probe(p);
    if (!hit.Inside)
        return std::nullopt;
    const double lit = Lit(hit.Inward);
    const double d = hit.Depth;
    if (d < OutlineWidth)
        return Pal(bgOutline);
    if (d < BevelWidth) {
        // strongest next to the dark line, fading into the face
        const double t = 1 - (d - OutlineWidth) / (BevelWidth - OutlineWidth);
        const TColour towards = lit >= 0 ? Pal(bgWhite) : Pal(bgDark);
        return Mix(Pal(bgFace), towards, Clamp01(std::abs(lit) * 1.35) * (0.35 + 0.65 * t));
    }
    if (d >= GrooveDepth && d < GrooveDepth + 1)
        return lit >= 0 ? Pal(bgMid) : Pal(bgWhite);
    if (d >= GrooveDepth + 1 && d < GrooveDepth + 2)
        return lit >= 0 ? Pal(bgWhite) : Pal(bgMid);
    if (d >= GrooveDepth + 2)
        if (auto detail = FaceDetail(p))
            return detail;
    return Pal(bgFace);
}

double CrescentDepth(TPoint p) { // distance to the medal's outline, negative outside
    return std::max(CrescentRadius - Length(p - CrescentCentre), GoldOuter - Length(p - DiscCentre));
}

std::optional<TColour> MedalColour(TPoint p) {
    const double depth = CrescentDepth(p);
    if (depth < 0)
        return std::nullopt;
    const double r = Length(p - DiscCentre);
    if (r < DiscRadius)
        return r >= DiscRadius - 6 && r < DiscRadius - 4.5 ? Pal(bgLight) : Pal(bgWhite);
    if (depth < OutlineWidth)
        return Pal(bgOutline);
    if (r < GoldInner || (r >= GoldOuter - 1 && r < GoldOuter))
        return Pal(bgDeepGold);
    if (r < GoldOuter) {
        const double lit = Lit((DiscCentre - p) * (1 / r)); // the band is a ridge: its outer slope
        return Mix(Pal(bgGold), lit < 0 ? Pal(bgWhite) : Pal(bgDeepGold), 0.35 * std::abs(lit));
    }
    // the crescent: a rounded dark blue surface, lit where it faces the top left
    const TPoint out = (p - DiscCentre) * (1 / r);
    const double rim = CrescentRadius - Length(p - CrescentCentre); // 0 at the outer edge
    const double across = Clamp01((r - GoldOuter) / std::max(1.0, (r - GoldOuter) + rim));
    const double lit = -Lit(out); // the crescent's surface faces outwards
    // pleats like a rosette's, darker towards the outer edge
    const double turns = std::atan2(out.Y, out.X) / (2 * 3.14159265358979) + 1;
    const bool pleat = static_cast<int>(turns * 40) % 2 == 1;
    TColour c = pleat ? Mix(Pal(bgBlue), Pal(bgNavy), 0.55 + 0.45 * across)
                      : Mix(Pal(bgBlue), Pal(bgNavy), 0.45 * across);
    const double ridge = std::max(0.0, 1 - std::abs(across - 0.4) * 2.5); // the light runs along the middle
    if (lit > 0)
        c = Mix(c, Pal(bgSky), lit * 0.8 * ridge);
    return c;
}

std::optional<TColour> BarColour(TPoint p) {
    const double radius = (BarRight - BarLeft) / 2;
    const double d = RoundBox(p, BarLeft, BarTop, BarRight, BarBottom, radius);
    if (d >= 0)
        return std::nullopt;
    if (-d < OutlineWidth)
        return Pal(bgOutline);
    // a round rod: the light runs along it a little left of its middle
    const double u = (p.X - (BarLeft + radius)) / radius; // -1 .. 1 across
    const double shine = std::exp(-std::pow((u + 0.35) / 0.28, 2));
    TColour c = Mix(Pal(bgNavy), Pal(bgOutline), Clamp01(u * 0.9));
    return Mix(c, Pal(bgSky), shine * 0.85);
}

// Plain areas on the panel's face: the title plate behind the heading, the header of the results table and
// every second row of it. Each rectangle holds whole labels, so every text sits on one plain colour.
struct TBand {
    double Left, Top, Right, Bottom;
    EBackgroundColour Fill, Edge;
};
const TBand Bands[] = {
    {36, 63, 398, 97, bgPale, bgSky},     // "Kalkomat"
    {30, 173, 584, 197, bgPale, bgSky},   // "Disziplin", "Messwert", "Punkte"
    {30, 228, 584, 284, bgLight, bgSoft}, // "Sprung" with long and high jump
    {30, 313, 584, 349, bgLight, bgSoft}, // "Ausdauer"
    {404, 368, 584, 406, bgPale, bgSky},  // the total
};

// Engraved lines across the face: under the athlete's data and above the summary.
struct TGroove {
    double Left, Right, Y;
};
const TGroove Grooves[] = {{30, 490, 162}, {30, 584, 358}};

std::optional<TColour> FaceDetail(TPoint p) {
    for (const TBand& b : Bands) {
        const double d = RoundBox(p, b.Left, b.Top, b.Right, b.Bottom, 5);
        if (d < -1)
            return Pal(b.Fill);
        if (d < 0)
            return Pal(b.Edge);
    }
    for (const TGroove& g : Grooves) {
        if (p.X < g.Left || p.X >= g.Right)
            continue;
        if (p.Y >= g.Y && p.Y < g.Y + 1)
            return Pal(bgMid);
        if (p.Y >= g.Y + 1 && p.Y < g.Y + 2)
            return Pal(bgWhite);
    }
    return std::nullopt;
}

std::optional<TColour> BackgroundColour(double x, double y) {
    const TPoint p{x, y};
    if (auto c = MedalColour(p))
        return c;
    if (auto c = BarColour(p))
        return c;
    return PanelColour(p);
}

} // namespace

TPicture DrawBackground() {
    constexpr int width = 640, height = 480, samples = 4;
    const std::vector<TPixel> sampled = Sample(width, height, samples, BackgroundColour);
    TPicture picture{width, height, BackgroundPalette, {}};
    picture.Pixels.resize(sampled.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t i =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
            // The window owns exactly the pixels whose middle is covered; their uncovered samples count
            // as the dark edge line, so that no edge fades towards the yellow.
            if (!BackgroundColour(x + 0.5, y + 0.5)) {
                picture.Pixels[i] = bgYellow;
                continue;
            }
            const TColour c = Mix(Pal(bgOutline), sampled[i].Colour, sampled[i].Cover);
            picture.Pixels[i] = Nearest(BackgroundPalette, c, bgFace);
        }
    return picture;
}

// -------------------------------------------------------------------------------------------------------------
// Glyphs: 24 x 24, 256 colours, magenta where the button shows through

namespace {

using TShape = std::function<double(TPoint)>; // signed distance, negative inside

bool InsidePolygon(TPoint p, const std::vector<TPoint>& poly) {
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
        if ((poly[i].Y > p.Y) != (poly[j].Y > p.Y) &&
            p.X < (poly[j].X - poly[i].X) * (p.Y - poly[i].Y) / (poly[j].Y - poly[i].Y) + poly[i].X)
            inside = !inside;
    return inside;
}

double PolygonDistance(TPoint p, const std::vector<TPoint>& poly) {
    double best = 1e300;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
        best = std::min(best, SegmentDistance(p, poly[j], poly[i]));
    return InsidePolygon(p, poly) ? -best : best;
}

double Circle(TPoint p, TPoint centre, double radius) { return Length(p - centre) - radius; }
double Capsule(TPoint p, TPoint a, TPoint b, double radius) { return SegmentDistance(p, a, b) - radius; }

// A filled shape with a darker edge line and a light falling from the top: `top` at y0, `bottom` at y1.
struct TFill {
    TColour Top, Bottom, Edge;
    double Y0, Y1;
    double EdgeWidth;
};
std::optional<TColour> Paint(double distance, TPoint p, const TFill& f) {
    if (distance >= 0)
        return std::nullopt;
    if (-distance < f.EdgeWidth)
        return f.Edge;
    return Mix(f.Top, f.Bottom, Clamp01((p.Y - f.Y0) / (f.Y1 - f.Y0)));
}

// Pixels covered less than this show the button instead (magenta); the rest blend their uncovered part
// with the colour the glyph is normally seen on, so that the outline looks smooth there.
constexpr double GlyphCoverLimit = 0.4;

TPicture RenderGlyph(const TSampler& draw, const TColour& matte) {
    constexpr int size = 24;
    const std::vector<TPixel> sampled = Sample(size, size, 8, draw);
    std::vector<TRgb> colours(sampled.size());
    for (std::size_t i = 0; i < sampled.size(); ++i)
        colours[i] = sampled[i].Cover < GlyphCoverLimit
                         ? GlyphMagenta
                         : ToRgb(Mix(matte, sampled[i].Colour, sampled[i].Cover));
    // The palette: magenta first, then the colours used in the order of their values.
    std::map<std::uint32_t, std::uint8_t> index;
    auto key = [](TRgb c) { return std::uint32_t(c.R) << 16 | std::uint32_t(c.G) << 8 | c.B; };
    for (const TRgb& c : colours)
        index.emplace(key(c), 0);
    if (index.size() > 256)
        throw std::runtime_error("RenderGlyph: more than 256 colours");
    TPicture picture{size, size, {GlyphMagenta}, {}};
    index.erase(key(GlyphMagenta));
    for (auto& [value, slot] : index) {
        slot = static_cast<std::uint8_t>(picture.Palette.size());
        picture.Palette.push_back({std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value)});
    }
    for (const TRgb& c : colours)
        picture.Pixels.push_back(c == GlyphMagenta ? std::uint8_t{0} : index.at(key(c)));
    return picture;
}

const TColour ButtonFace = FromRgb(PanelGrey);
const TColour BannerBlue = Rgb(0, 128, 192); // the password dialog's banner, where the keys sit

} // namespace

TPicture DrawGlyphInfo() {
    const std::vector<TPoint> diamond = {{12, 0.6}, {23.4, 12}, {12, 23.4}, {0.6, 12}};
    const TFill blue{Rgb(96, 164, 240), Rgb(18, 84, 196), Rgb(12, 50, 128), 2, 22, 1.1};
    return RenderGlyph(
        [&](double x, double y) -> std::optional<TColour> {
            const TPoint p{x, y};
            const double letter = std::min({
                Circle(p, {12, 6.6}, 1.9), RoundBox(p, 10.7, 9.4, 13.3, 17.6, 0.3), // stem
                RoundBox(p, 9.5, 9.4, 13.3, 10.7, 0.3),                             // serif at the top left
                RoundBox(p, 9.3, 16.3, 14.7, 17.6, 0.3),                            // foot
            });
            if (letter < 0 && PolygonDistance(p, diamond) < -1.5)
                return Rgb(255, 255, 255);
            return Paint(PolygonDistance(p, diamond), p, blue);
        },
        ButtonFace);
}

TPicture DrawGlyphClose() {
    const TFill orange{Rgb(255, 178, 64), Rgb(236, 108, 16), Rgb(160, 64, 0), 2, 22, 1.1};
    return RenderGlyph(
        [&](double x, double y) -> std::optional<TColour> {
            const TPoint p{x, y};
            const double square = RoundBox(p, 2, 2, 22, 22, 3);
            const double cross = std::min(Capsule(p, {7.5, 7.5}, {16.5, 16.5}, 1.7),
                                          Capsule(p, {16.5, 7.5}, {7.5, 16.5}, 1.7));
            if (cross < 0)
                return Rgb(255, 255, 255);
            return Paint(square, p, orange);
        },
        ButtonFace);
}

namespace {

// A key lying flat: its bow (a ring) at `bow`, its shaft running in direction `dir` (+1 right, -1 left)
// to the tip, two teeth hanging below the shaft near the tip.
double KeyShape(TPoint p, TPoint bow, double dir) {
    const double ring = std::max(Circle(p, bow, 4.9), -Circle(p, bow, 1.8));
    const double y = bow.Y;
    const double x0 = bow.X + dir * 4, x1 = bow.X + dir * 15.5;
    const double shaft = RoundBox(p, std::min(x0, x1), y - 1.6, std::max(x0, x1), y + 1.6, 0.7);
    auto tooth = [&](double from, double to) {
        const double a = bow.X + dir * from, b = bow.X + dir * to;
        return RoundBox(p, std::min(a, b), y, std::max(a, b), y + 4.6, 0.5);
    };
    return std::min({ring, shaft, tooth(10.0, 12.2), tooth(13.4, 15.5)});
}

} // namespace

TPicture DrawKeys() {
    const TFill gold{Rgb(255, 240, 150), Rgb(232, 168, 24), Rgb(140, 88, 0), 2, 12, 0.9};
    const TFill silver{Rgb(255, 255, 255), Rgb(178, 184, 198), Rgb(92, 98, 116), 11, 21, 0.9};
    return RenderGlyph(
        [&](double x, double y) -> std::optional<TColour> {
            const TPoint p{x, y};
            if (auto c = Paint(KeyShape(p, {6.2, 6.8}, +1), p, gold)) // the golden key on top
                return c;
            return Paint(KeyShape(p, {17.8, 16.4}, -1), p, silver);
        },
        BannerBlue);
}

// -------------------------------------------------------------------------------------------------------------
// The application icon: a gold medal on a blue ribbon

namespace {

std::vector<TPoint> Star(TPoint centre, double outer, double inner) {
    std::vector<TPoint> points;
    for (int i = 0; i < 10; ++i) {
        const double angle = -3.14159265358979 / 2 + i * 3.14159265358979 / 5;
        const double r = i % 2 == 0 ? outer : inner;
        points.push_back({centre.X + r * std::cos(angle), centre.Y + r * std::sin(angle)});
    }
    return points;
}

// The design in units of the icon's width (0..1); `pixel` is one pixel in those units, so that the edge
// lines stay about a pixel wide at every size.
std::optional<TColour> MedalIcon(TPoint p, double pixel) {
    const TPoint centre{0.5, 0.63};
    const double radius = 0.35;
    const double edge = std::max(pixel * 1.1, 0.03);
    // the ribbon: two bands from the top edge down behind the medal
    const std::vector<TPoint> left = {{0.10, 0.0}, {0.38, 0.0}, {0.58, 0.45}, {0.32, 0.45}};
    const std::vector<TPoint> right = {{0.62, 0.0}, {0.90, 0.0}, {0.68, 0.45}, {0.42, 0.45}};
    const double disc = Circle(p, centre, radius);
    if (disc < 0) {
        if (-disc < edge)
            return Rgb(120, 76, 4);
        const double inner = Circle(p, centre, radius * 0.74);
        if (std::abs(inner) < edge * 0.6)
            return Rgb(176, 120, 18);
        if (pixel < 0.05 && PolygonDistance(p, Star(centre, radius * 0.6, radius * 0.25)) < 0)
            return Rgb(255, 255, 255);
        const double shade = Clamp01((p.Y - (centre.Y - radius)) / (2 * radius));
        return Mix(Rgb(255, 232, 128), Rgb(220, 152, 24), shade);
    }
    for (const auto* band : {&right, &left}) { // the left band lies on top
        const double d = PolygonDistance(p, *band);
        if (d < 0) {
            if (-d < edge)
                return Rgb(16, 36, 96);
            const double stripe = std::abs(p.X - (band == &left ? 0.24 + p.Y * 0.45 : 0.76 - p.Y * 0.45));
            return stripe < 0.045 ? Rgb(206, 56, 52) : Rgb(44, 88, 176);
        }
    }
    return std::nullopt;
}

void PutIconImage(std::vector<std::uint8_t>& out, int size) {
    const double pixel = 1.0 / size;
    const std::vector<TPixel> sampled = Sample(size, size, 8, [&](double x, double y) {
        return MedalIcon({x * pixel, y * pixel}, pixel);
    });
    const std::size_t maskStride = ((static_cast<std::size_t>(size) + 31) / 32) * 4;
    const std::size_t colourBytes = static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4;
    PutInfoHeader(out, size, 2 * size, 32, static_cast<std::uint32_t>(colourBytes + maskStride * size), 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const TPixel& px = sampled[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                                       static_cast<std::size_t>(x)];
            const TRgb c = px.Cover > 0 ? ToRgb(px.Colour) : TRgb{};
            out.insert(out.end(), {c.B, c.G, c.R, static_cast<std::uint8_t>(std::lround(px.Cover * 255))});
        }
    for (int y = size - 1; y >= 0; --y) { // the AND mask: set where nothing is drawn
        std::vector<std::uint8_t> row(maskStride, 0);
        for (int x = 0; x < size; ++x)
            if (sampled[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                        static_cast<std::size_t>(x)]
                    .Cover == 0)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

} // namespace

std::vector<std::uint8_t> MakeIcon() {
    const int sizes[] = {16, 32, 48};
    std::vector<std::vector<std::uint8_t>> images;
    for (int size : sizes) {
        images.emplace_back();
        PutIconImage(images.back(), size);
    }
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1); // an icon
    Put16(out, static_cast<unsigned>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(sizes[i]), static_cast<std::uint8_t>(sizes[i]), 0, 0});
        Put16(out, 1);  // planes
        Put16(out, 32); // bits per pixel
        Put32(out, static_cast<std::uint32_t>(images[i].size()));
        Put32(out, static_cast<std::uint32_t>(offset));
        offset += images[i].size();
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

// -------------------------------------------------------------------------------------------------------------
// The signal: two soft bell tones, a fourth apart, rising

std::vector<std::int16_t> RenderSignal() {
    struct TNote {
        double Start, Frequency, Decay, Level;
    };
    const TNote notes[] = {{0.0, 659.26, 0.11, 0.55}, {0.12, 880.0, 0.13, 0.6}}; // E5, then A5
    const double pi = 3.14159265358979;
    std::vector<std::int16_t> out(SignalSamples);
    for (int i = 0; i < SignalSamples; ++i) {
        const double t = double(i) / SignalRate;
        double v = 0;
        for (const TNote& n : notes) {
            const double s = t - n.Start;
            if (s < 0)
                continue;
            const double attack = std::min(1.0, s / 0.004); // no click at the start
            const double body = std::exp(-s / n.Decay);
            // a bell's partials: the fundamental, the octave, and a bright one that fades fast
            const double w = 2 * pi * n.Frequency * s;
            v += n.Level * attack * body *
                 (std::sin(w) + 0.3 * std::sin(2 * w) * std::exp(-s / 0.05) +
                  0.15 * std::sin(3.01 * w) * std::exp(-s / 0.025));
        }
        const double fadeOut = std::min(1.0, (SignalSamples - 1 - i) / (0.03 * SignalRate)); // silent end
        out[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(std::lround(std::clamp(v * fadeOut * 0.62, -1.0, 1.0) * 32767));
    }
    return out;
}

// -------------------------------------------------------------------------------------------------------------
// Microsoft ADPCM: blocks that start with a predictor choice, a step size and two plain samples, then
// 4-bit differences, the high nibble first

namespace {

constexpr int AdpcmBlockAlign = 256;
constexpr int AdpcmSamplesPerBlock = 2 + (AdpcmBlockAlign - 7) * 2; // 500
constexpr int AdaptationTable[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                     768, 614, 512, 409, 307, 230, 230, 230};
constexpr int Coefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                    {240, 0}, {460, -208}, {392, -232}};

struct TAdpcmState {
    int Predictor = 0, Delta = 16, Sample1 = 0, Sample2 = 0;
    // Decodes one nibble as the system's decoder does.
    int Step(int nibble) {
        const int signedNibble = nibble >= 8 ? nibble - 16 : nibble;
        const int predicted =
            (Sample1 * Coefficients[Predictor][0] + Sample2 * Coefficients[Predictor][1]) / 256;
        const int sample = std::clamp(predicted + signedNibble * Delta, -32768, 32767);
        Sample2 = Sample1;
        Sample1 = sample;
        // at least 16 as the format wants; the upper bound only keeps damaged data from overflowing
        Delta = std::clamp(AdaptationTable[nibble] * Delta / 256, 16, 1 << 20);
        return sample;
    }
    int Predict() const {
        return (Sample1 * Coefficients[Predictor][0] + Sample2 * Coefficients[Predictor][1]) / 256;
    }
};

// Encodes samples[from..from+count) as one block; returns the block and its squared error.
std::pair<std::vector<std::uint8_t>, double> EncodeBlock(const std::int16_t* samples, int count,
                                                         int predictor, int delta) {
    TAdpcmState state{predictor, delta, samples[count > 1 ? 1 : 0], samples[0]};
    std::vector<std::uint8_t> block;
    block.push_back(static_cast<std::uint8_t>(predictor));
    Put16(block, static_cast<unsigned>(delta & 0xFFFF));
    Put16(block, static_cast<std::uint16_t>(state.Sample1));
    Put16(block, static_cast<std::uint16_t>(state.Sample2));
    double error = 0;
    int pending = -1;
    for (int i = 2; i < count; ++i) {
        const int wanted = samples[i];
        const int guess = static_cast<int>(std::lround(double(wanted - state.Predict()) / state.Delta));
        const int nibble = std::clamp(guess, -8, 7) & 0x0F;
        const int got = state.Step(nibble);
        error += double(got - wanted) * (got - wanted);
        if (pending < 0) {
            pending = nibble;
        } else {
            block.push_back(static_cast<std::uint8_t>(pending << 4 | nibble));
            pending = -1;
        }
    }
    if (pending >= 0)
        block.push_back(static_cast<std::uint8_t>(pending << 4));
    return {block, error};
}

} // namespace

std::vector<std::uint8_t> EncodeAdpcmWave(const std::vector<std::int16_t>& samples, int rate) {
    std::vector<std::uint8_t> data;
    for (std::size_t from = 0; from < samples.size(); from += AdpcmSamplesPerBlock) {
        const int count =
            static_cast<int>(std::min<std::size_t>(AdpcmSamplesPerBlock, samples.size() - from));
        // try every predictor with a range of starting step sizes, keep the closest
        std::pair<std::vector<std::uint8_t>, double> best{{}, 1e300};
        for (int predictor = 0; predictor < 7; ++predictor)
            for (int delta = 16; delta <= 2048; delta *= 2) {
                auto candidate = EncodeBlock(&samples[from], count, predictor, delta);
                if (candidate.second < best.second)
                    best = std::move(candidate);
            }
        data.insert(data.end(), best.first.begin(), best.first.end());
    }
    std::vector<std::uint8_t> fmt;
    Put16(fmt, 2); // WAVE_FORMAT_ADPCM
    Put16(fmt, 1); // mono
    Put32(fmt, static_cast<std::uint32_t>(rate));
    Put32(fmt, static_cast<std::uint32_t>(rate * AdpcmBlockAlign / AdpcmSamplesPerBlock)); // bytes per second
    Put16(fmt, AdpcmBlockAlign);
    Put16(fmt, 4);  // bits per sample
    Put16(fmt, 32); // size of the extension
    Put16(fmt, AdpcmSamplesPerBlock);
    Put16(fmt, 7);
    for (const auto& pair : Coefficients) {
        Put16(fmt, static_cast<std::uint16_t>(pair[0]));
        Put16(fmt, static_cast<std::uint16_t>(pair[1]));
    }
    std::vector<std::uint8_t> out;
    PutTag(out, "RIFF");
    Put32(out, 0); // filled in below
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, static_cast<std::uint32_t>(fmt.size()));
    out.insert(out.end(), fmt.begin(), fmt.end());
    PutTag(out, "fact");
    Put32(out, 4);
    Put32(out, static_cast<std::uint32_t>(samples.size()));
    PutTag(out, "data");
    Put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    const std::size_t riffSize = out.size() - 8; // the pad byte after an odd chunk is not counted
    if (data.size() % 2 == 1)
        out.push_back(0);
    for (int i = 0; i < 4; ++i)
        out[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    return out;
}

std::vector<std::int16_t> DecodeAdpcm(const std::uint8_t* data, std::size_t size, std::size_t sampleCount) {
    std::vector<std::int16_t> out;
    for (std::size_t at = 0; at + 7 <= size && out.size() < sampleCount; at += AdpcmBlockAlign) {
        const std::size_t end = std::min(size, at + AdpcmBlockAlign);
        TAdpcmState state;
        state.Predictor = data[at];
        if (state.Predictor > 6)
            return {};
        state.Delta = static_cast<std::int16_t>(data[at + 1] | data[at + 2] << 8);
        state.Sample1 = static_cast<std::int16_t>(data[at + 3] | data[at + 4] << 8);
        state.Sample2 = static_cast<std::int16_t>(data[at + 5] | data[at + 6] << 8);
        out.push_back(static_cast<std::int16_t>(state.Sample2));
        out.push_back(static_cast<std::int16_t>(state.Sample1));
        for (std::size_t i = at + 7; i < end; ++i) {
            out.push_back(static_cast<std::int16_t>(state.Step(data[i] >> 4)));
            out.push_back(static_cast<std::int16_t>(state.Step(data[i] & 0x0F)));
        }
    }
    if (out.size() > sampleCount)
        out.resize(sampleCount);
    return out;
}

// -------------------------------------------------------------------------------------------------------------

std::vector<TArtFile> MakeAllArtwork() {
    return {
        {"background.bmp", EncodeBmp(DrawBackground(), 4)},
        {"glyph_info.bmp", EncodeBmp(DrawGlyphInfo(), 8)},
        {"glyph_close.bmp", EncodeBmp(DrawGlyphClose(), 8)},
        {"keys.bmp", EncodeBmp(DrawKeys(), 8)},
        {"Kalkomat.ico", MakeIcon()},
        {"signal.wav", EncodeAdpcmWave(RenderSignal(), SignalRate)},
    };
}
