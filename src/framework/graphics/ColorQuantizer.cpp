#include "framework/graphics/ColorQuantizer.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int HistBits = 5;
constexpr int HistSide = 1 << HistBits;  // bins per channel

// Sums of the pixels that fall into one bin (or box) of the histogram; the
// exact sums keep the box means true averages of the original colours.
struct TMoments {
    uint64_t N = 0;
    uint64_t R = 0, G = 0, B = 0;
    double Sq = 0;  // sum of r*r + g*g + b*b

    void Add(const TMoments& o)
    {
        N += o.N;
        R += o.R;
        G += o.G;
        B += o.B;
        Sq += o.Sq;
    }
    void Sub(const TMoments& o)
    {
        N -= o.N;
        R -= o.R;
        G -= o.G;
        B -= o.B;
        Sq -= o.Sq;
    }
    // Sum of squared distances of the pixels to their mean.
    double Error() const
    {
        if (N == 0) return 0;
        double r = static_cast<double>(R), g = static_cast<double>(G), b = static_cast<double>(B);
        return Sq - (r * r + g * g + b * b) / static_cast<double>(N);
    }
    uint32_t Mean() const
    {
        auto avg = [&](uint64_t s) { return static_cast<uint32_t>((s + N / 2) / N); };
        return (avg(R) << 16) | (avg(G) << 8) | avg(B);
    }
};

struct TBox {
    int Lo[3], Hi[3];  // bin ranges per channel (r, g, b), Hi exclusive
    TMoments M;
    double Error = 0;
    bool Final = false;
};

class THistogram {
public:
    explicit THistogram(const uint32_t* Pixels, size_t Count) : FBins(HistSide * HistSide * HistSide)
    {
        for (size_t i = 0; i < Count; ++i) {
            uint32_t r = (Pixels[i] >> 16) & 0xFF, g = (Pixels[i] >> 8) & 0xFF, b = Pixels[i] & 0xFF;
            TMoments& m = FBins[Index(r >> (8 - HistBits), g >> (8 - HistBits), b >> (8 - HistBits))];
            ++m.N;
            m.R += r;
            m.G += g;
            m.B += b;
            m.Sq += static_cast<double>(r * r + g * g + b * b);
        }
    }
    static int Index(int r, int g, int b) { return (r * HistSide + g) * HistSide + b; }
    const TMoments& Bin(int r, int g, int b) const { return FBins[Index(r, g, b)]; }

    // Moments of the box and its projections onto each axis.
    void Project(const TBox& Box, TMoments& Total, std::vector<TMoments> (&Proj)[3]) const
    {
        Total = TMoments();
        for (int a = 0; a < 3; ++a) Proj[a].assign(HistSide, TMoments());
        for (int r = Box.Lo[0]; r < Box.Hi[0]; ++r)
            for (int g = Box.Lo[1]; g < Box.Hi[1]; ++g)
                for (int b = Box.Lo[2]; b < Box.Hi[2]; ++b) {
                    const TMoments& m = Bin(r, g, b);
                    if (m.N == 0) continue;
                    Total.Add(m);
                    Proj[0][r].Add(m);
                    Proj[1][g].Add(m);
                    Proj[2][b].Add(m);
                }
    }

private:
    std::vector<TMoments> FBins;
};

// Splits Box where the two halves' error is smallest; false when it cannot be split.
bool SplitBox(const THistogram& Hist, TBox& Box, TBox& Other)
{
    TMoments total;
    std::vector<TMoments> proj[3];
    Hist.Project(Box, total, proj);
    double best = -1;
    int bestAxis = -1, bestCut = 0;
    for (int a = 0; a < 3; ++a) {
        TMoments left;
        for (int cut = Box.Lo[a] + 1; cut < Box.Hi[a]; ++cut) {
            left.Add(proj[a][cut - 1]);
            if (left.N == 0) continue;
            TMoments right = total;
            right.Sub(left);
            if (right.N == 0) break;
            double e = left.Error() + right.Error();
            if (bestAxis < 0 || e < best) {
                best = e;
                bestAxis = a;
                bestCut = cut;
            }
        }
    }
    if (bestAxis < 0) return false;
    Other = Box;
    Box.Hi[bestAxis] = bestCut;
    Other.Lo[bestAxis] = bestCut;
    for (TBox* b : {&Box, &Other}) {
        TMoments m;
        std::vector<TMoments> p[3];
        Hist.Project(*b, m, p);
        b->M = m;
        b->Error = m.Error();
        b->Final = false;
    }
    return true;
}

int Dist2(int r1, int g1, int b1, uint32_t c)
{
    int dr = r1 - static_cast<int>((c >> 16) & 0xFF), dg = g1 - static_cast<int>((c >> 8) & 0xFF),
        db = b1 - static_cast<int>(c & 0xFF);
    return dr * dr + dg * dg + db * db;
}

int Nearest(int r, int g, int b, const std::vector<uint32_t>& Palette)
{
    int best = 0, bestD = Dist2(r, g, b, Palette[0]);
    for (size_t i = 1; i < Palette.size() && bestD > 0; ++i) {
        int d = Dist2(r, g, b, Palette[i]);
        if (d < bestD) {
            bestD = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

// A few rounds of moving each colour to the mean of the histogram bins nearest
// to it (bins stand for their pixels by their exact sums).
void Refine(const THistogram& Hist, std::vector<uint32_t>& Palette)
{
    struct TPoint3 {
        int R, G, B;
        const TMoments* M;
    };
    std::vector<TPoint3> points;
    for (int r = 0; r < HistSide; ++r)
        for (int g = 0; g < HistSide; ++g)
            for (int b = 0; b < HistSide; ++b) {
                const TMoments& m = Hist.Bin(r, g, b);
                if (m.N)
                    points.push_back({static_cast<int>((m.R + m.N / 2) / m.N), static_cast<int>((m.G + m.N / 2) / m.N),
                                      static_cast<int>((m.B + m.N / 2) / m.N), &m});
            }
    for (int round = 0; round < 4; ++round) {
        std::vector<TMoments> sums(Palette.size());
        for (const TPoint3& p : points) sums[Nearest(p.R, p.G, p.B, Palette)].Add(*p.M);
        bool moved = false;
        for (size_t i = 0; i < Palette.size(); ++i) {
            if (!sums[i].N) continue;
            uint32_t c = sums[i].Mean();
            if (c != Palette[i]) moved = true;
            Palette[i] = c;
        }
        if (!moved) break;
    }
    // Two colours may have met; keep one of each.
    std::sort(Palette.begin(), Palette.end());
    Palette.erase(std::unique(Palette.begin(), Palette.end()), Palette.end());
}

}  // namespace

std::vector<uint32_t> QuantizePalette(const uint32_t* Pixels, size_t Count, Integer MaxColors)
{
    MaxColors = std::clamp<Integer>(MaxColors, 1, 256);
    std::vector<uint32_t> palette;
    if (Count == 0) return palette;

    // Few colours: take them as they are.
    {
        std::unordered_set<uint32_t> seen;
        bool few = true;
        for (size_t i = 0; i < Count; ++i) {
            seen.insert(Pixels[i] & 0xFFFFFF);
            if (seen.size() > static_cast<size_t>(MaxColors)) {
                few = false;
                break;
            }
        }
        if (few) {
            palette.assign(seen.begin(), seen.end());
            std::sort(palette.begin(), palette.end());
            return palette;
        }
    }

    THistogram hist(Pixels, Count);
    std::vector<TBox> boxes(1);
    TBox& whole = boxes[0];
    for (int a = 0; a < 3; ++a) {
        whole.Lo[a] = 0;
        whole.Hi[a] = HistSide;
    }
    {
        std::vector<TMoments> p[3];
        hist.Project(whole, whole.M, p);
        whole.Error = whole.M.Error();
    }
    while (static_cast<Integer>(boxes.size()) < MaxColors) {
        int pick = -1;
        for (size_t i = 0; i < boxes.size(); ++i)
            if (!boxes[i].Final && boxes[i].Error > 0 && (pick < 0 || boxes[i].Error > boxes[pick].Error))
                pick = static_cast<int>(i);
        if (pick < 0) break;
        TBox other;
        if (SplitBox(hist, boxes[pick], other)) boxes.push_back(other);
        else boxes[pick].Final = true;
    }
    for (const TBox& b : boxes)
        if (b.M.N) palette.push_back(b.M.Mean());
    Refine(hist, palette);
    return palette;
}

void MapToPalette(const uint32_t* Pixels, Integer Width, Integer Height, const std::vector<uint32_t>& Palette,
                  bool Dither, uint8_t* Indexes)
{
    if (Width <= 0 || Height <= 0) return;
    if (Palette.empty()) {
        std::fill(Indexes, Indexes + static_cast<size_t>(Width) * Height, 0);
        return;
    }
    std::unordered_map<uint32_t, uint8_t> exact;
    for (size_t i = Palette.size(); i-- > 0;) exact[Palette[i] & 0xFFFFFF] = static_cast<uint8_t>(i);
    // Large pictures look the nearest entry up by colour with 6 bits per channel,
    // filled as needed; small ones search the palette directly.
    std::vector<int16_t> cache;
    if (static_cast<int64_t>(Width) * Height > 65536) cache.assign(1 << 18, -1);
    auto lookup = [&](int r, int g, int b) -> uint8_t {
        if (cache.empty()) return static_cast<uint8_t>(Nearest(r, g, b, Palette));
        int key = ((r >> 2) << 12) | ((g >> 2) << 6) | (b >> 2);
        if (cache[key] < 0) cache[key] = static_cast<int16_t>(Nearest(r | 2, g | 2, b | 2, Palette));
        return static_cast<uint8_t>(cache[key]);
    };

    if (!Dither) {
        size_t n = static_cast<size_t>(Width) * Height;
        for (size_t i = 0; i < n; ++i) {
            uint32_t c = Pixels[i] & 0xFFFFFF;
            auto it = exact.find(c);
            Indexes[i] = it != exact.end() ? it->second : lookup((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
        }
        return;
    }

    // Errors in sixteenths, for this row and the next, with a guard cell at each end.
    std::vector<int> cur(3 * (Width + 2)), next(3 * (Width + 2));
    for (Integer y = 0; y < Height; ++y) {
        std::fill(next.begin(), next.end(), 0);
        bool ltr = (y % 2) == 0;
        int dir = ltr ? 1 : -1;
        for (Integer i = 0; i < Width; ++i) {
            Integer x = ltr ? i : Width - 1 - i;
            size_t at = static_cast<size_t>(y) * Width + x;
            uint32_t c = Pixels[at] & 0xFFFFFF;
            auto it = exact.find(c);
            if (it != exact.end()) {
                // A colour of the palette stays itself; the error that reached it is dropped.
                Indexes[at] = it->second;
                continue;
            }
            int cell = 3 * (x + 1);
            int v[3] = {static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                        static_cast<int>(c & 0xFF)};
            for (int k = 0; k < 3; ++k) {
                int e = cur[cell + k];
                // Sixteenths rounded to nearest, symmetrically, so errors do not drift one way.
                int add = e >= 0 ? (e + 8) / 16 : -((8 - e) / 16);
                v[k] = std::clamp(v[k] + add, 0, 255);
            }
            uint8_t idx = lookup(v[0], v[1], v[2]);
            Indexes[at] = idx;
            uint32_t p = Palette[idx];
            int e[3] = {v[0] - static_cast<int>((p >> 16) & 0xFF), v[1] - static_cast<int>((p >> 8) & 0xFF),
                        v[2] - static_cast<int>(p & 0xFF)};
            for (int k = 0; k < 3; ++k) {
                cur[cell + 3 * dir + k] += e[k] * 7;
                next[cell - 3 * dir + k] += e[k] * 3;
                next[cell + k] += e[k] * 5;
                next[cell + 3 * dir + k] += e[k];
            }
        }
        std::swap(cur, next);
    }
}
