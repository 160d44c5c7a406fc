#include "SkinArt.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace Kit;

namespace {
const char16_t* const DrawnPictureNames[spCount] = {u"controls.bmp", u"captionbuttons.bmp", u"menu.bmp", u"popup.bmp",
                                                    u"hint.bmp"};
}  // namespace

TRect TSkinArt::Piece(const std::string& Name) const
{
    auto It = Pieces.find(Name);
    if (It == Pieces.end()) {
        std::fprintf(stderr, "MakeSkins: no piece named %s\n", Name.c_str());
        std::exit(1);
    }
    return It->second.second;
}

int TSkinArt::PictureOf(const std::string& Name) const
{
    Piece(Name);
    return Pieces.at(Name).first;
}

int TSkinArt::MaskOf(const std::string& Name) const
{
    Piece(Name);
    auto It = Masks.find(Name);
    if (It == Masks.end()) {
        std::fprintf(stderr, "MakeSkins: the piece %s has no mask\n", Name.c_str());
        std::exit(1);
    }
    return It->second;
}

namespace {

constexpr double Pi = 3.14159265358979323846;

using TPaint = std::function<TRGBA(double, double)>;

TPaint VGrad(uint32_t Top, uint32_t Bottom, double Y0, double H)
{
    return [=](double, double Y) { return Mix(Rgb(Top), Rgb(Bottom), float((Y - Y0) / H)); };
}

TPaint Flat(uint32_t C)
{
    return [=](double, double) { return Rgb(C); };
}

// A box with a one-pixel line of colour Line and a body painted by Body.
void Box(TImage& I, double X, double Y, double W, double H, double R, uint32_t Line, const TPaint& Body)
{
    I.Fill(TPath{RoundRect(X, Y, W, H, R)}, Rgb(Line));
    I.Fill(TPath{RoundRect(X + 1, Y + 1, W - 2, H - 2, R > 1 ? R - 1 : 0)}, Body);
}

void FillBox(TImage& I, double X, double Y, double W, double H, double R, const TPaint& Body)
{
    I.Fill(TPath{RoundRect(X, Y, W, H, R)}, Body);
}

// A filled triangle pointing in Dir (0 left, 1 up, 2 right, 3 down) centred on (CX, CY).
void Arrow(TImage& I, double CX, double CY, int Dir, double S, uint32_t C)
{
    TContour T;
    switch (Dir) {
    case 0: T = {{CX - S / 2, CY}, {CX + S / 4, CY - S}, {CX + S / 4, CY + S}}; break;
    case 1: T = {{CX, CY - S / 2}, {CX + S, CY + S / 4}, {CX - S, CY + S / 4}}; break;
    case 2: T = {{CX + S / 2, CY}, {CX - S / 4, CY + S}, {CX - S / 4, CY - S}}; break;
    default: T = {{CX, CY + S / 2}, {CX - S, CY - S / 4}, {CX + S, CY - S / 4}}; break;
    }
    I.Fill(TPath{T}, Rgb(C));
}

void Cross(TImage& I, double CX, double CY, double S, double W, uint32_t C)
{
    I.Stroke({{CX - S, CY - S}, {CX + S, CY + S}}, W, Rgb(C));
    I.Stroke({{CX - S, CY + S}, {CX + S, CY - S}}, W, Rgb(C));
}

void CheckMark(TImage& I, double CX, double CY, double S, uint32_t C)
{
    I.Stroke({{CX - S, CY}, {CX - S / 3, CY + S * 0.7}, {CX + S, CY - S * 0.75}}, 1.7, Rgb(C));
}

// Hard pixels on the transparent key colour: pieces the controls draw keyed.
constexpr uint32_t Key = 0xFF00FF;

void Dots(TImage& I, int X, int Y, int Cols, int Rows, int Step, uint32_t Dark, uint32_t Light)
{
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) {
            I.Set(X + c * Step, Y + r * Step, Rgb(Dark));
            I.Set(X + c * Step + 1, Y + r * Step + 1, Rgb(Light));
        }
}

// A piece drawn on black and on white: how much of each pixel it covers (what
// shows of the ground is the difference of the two) and its own colour there.
class TCover {
public:
    TCover(int W, int H, const std::function<void(TImage&)>& Draw)
        : FOnBlack(W, H, Rgb(0x000000)), FOnWhite(W, H, Rgb(0xFFFFFF))
    {
        Draw(FOnBlack);
        Draw(FOnWhite);
    }
    float Alpha(int X, int Y) const
    {
        const TRGBA B = FOnBlack.Get(X, Y), W = FOnWhite.Get(X, Y);
        return 1 - ((W.R - B.R) + (W.G - B.G) + (W.B - B.B)) / 3;
    }
    // On black the pixel is Alpha x colour.
    TRGBA Colour(int X, int Y) const
    {
        const TRGBA B = FOnBlack.Get(X, Y);
        const float A = std::max(Alpha(X, Y), 1e-3f);
        return {std::min(B.R / A, 1.0f), std::min(B.G / A, 1.0f), std::min(B.B / A, 1.0f), 1};
    }
    bool Covered(int X, int Y) const { return Alpha(X, Y) >= 0.5f; }

private:
    TImage FOnBlack, FOnWhite;
};

// Black where the piece covers at least half a pixel.
TImage CoverMask(int W, int H, const std::function<void(TImage&)>& Draw)
{
    const TCover Cover(W, H, Draw);
    TImage Mask(W, H, Rgb(0xFFFFFF));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (Cover.Covered(x, y)) Mask.Set(x, y, Rgb(0x000000));
    return Mask;
}

// The piece with hard edges on Key: its own colour where it covers at least
// half a pixel, exactly Key elsewhere, so that a copy keyed on Key leaves no
// fringe of another ground. The copies take their key from the bottom-left
// pixel, so the corners are always Key: a square piece loses its four corner
// pixels rather than its whole outline.
TImage KeyedPiece(int W, int H, const std::function<void(TImage&)>& Draw, uint32_t Key)
{
    const TCover Cover(W, H, Draw);
    TImage Piece(W, H, Rgb(Key));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const bool Corner = (x == 0 || x == W - 1) && (y == 0 || y == H - 1);
            if (Cover.Covered(x, y) && !Corner) Piece.Set(x, y, Cover.Colour(x, y));
        }
    return Piece;
}

bool SamePixels(const TImage& A, const TImage& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height()) return false;
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y)) return false;
    return true;
}

// A picture made of named pieces laid on shelves of a fixed width, in the
// order they are added. A piece with rounded corners added as Masked also gets
// a mask picture of its own (pieces of the same shape share one), so that a
// control with a window region shows what lies behind its corners; one added
// as Keyed has hard edges on the sheet's colour, for controls that copy it
// keyed on its corner pixel.
class TSheet {
public:
    enum TEdge { Opaque, Masked, Keyed };
    TSheet(int Picture, int Width, uint32_t Background) : FPicture(Picture), FWidth(Width), FBackground(Background) {}
    void Add(const std::string& Name, int W, int H, std::function<void(TImage&)> Draw, TEdge Edge = Opaque)
    {
        FItems.push_back({Name, W, H, std::move(Draw), Edge});
    }
    TImage Finish(TSkinArt& Art)
    {
        int X = 0, Y = 0, Shelf = 0;
        std::vector<TRect> Places;
        for (const TItem& It : FItems) {
            if (X + It.W > FWidth) X = 0, Y += Shelf + 1, Shelf = 0;
            Places.push_back({X, Y, X + It.W, Y + It.H});
            X += It.W + 1;
            Shelf = std::max(Shelf, It.H);
        }
        TImage Sheet(FWidth, Y + Shelf, Rgb(FBackground));
        for (size_t i = 0; i < FItems.size(); ++i) {
            const TItem& It = FItems[i];
            TImage Piece(It.W, It.H, Rgb(FBackground));
            if (It.Edge == Keyed) Piece = KeyedPiece(It.W, It.H, It.Draw, FBackground);
            else It.Draw(Piece);
            Sheet.Draw(Piece, Places[i].Left, Places[i].Top);
            Art.Pieces[It.Name] = {FPicture, Places[i]};
            if (It.Edge == Masked) Art.Masks[It.Name] = AddMask(Art, It.Name, CoverMask(It.W, It.H, It.Draw));
        }
        return Sheet;
    }

private:
    struct TItem {
        std::string Name;
        int W, H;
        std::function<void(TImage&)> Draw;
        TEdge Edge;
    };
    // -1 for a piece that covers its whole rectangle: square corners need no region.
    static int AddMask(TSkinArt& Art, const std::string& Name, TImage Mask)
    {
        if (SamePixels(Mask, TImage(Mask.Width(), Mask.Height(), Rgb(0x000000)))) return -1;
        for (size_t i = spCount; i < Art.Pictures.size(); ++i)
            if (SamePixels(Art.Pictures[i], Mask)) return int(i);
        std::u16string File = u"mask_";
        for (char C : Name) File += C == '.' ? u'_' : char16_t(C);
        Art.Pictures.push_back(std::move(Mask));
        Art.PictureNames.push_back(File + u".bmp");
        return int(Art.Pictures.size() - 1);
    }
    int FPicture, FWidth;
    uint32_t FBackground;
    std::vector<TItem> FItems;
};

// The window's outline: rounded top corners, square bottom.
TContour FrameOutline(double W, double H, double R)
{
    if (R <= 0) return Kit::Rect(0, 0, W, H);
    TContour C;
    ArcTo(C, W - R, R, R, R, -Pi / 2, 0);
    C.push_back({W, H});
    C.push_back({0, H});
    ArcTo(C, R, R, R, R, Pi, 3 * Pi / 2);
    return C;
}

TPaint CaptionPaint(const TSkinTheme& T, double Top)
{
    return [&T, Top](double, double Y) {
        const double Y0 = Y + Top;
        if (Y0 >= SkinFrame::CaptionHeight) return Rgb(T.CaptionBottom);
        return Mix(Rgb(T.CaptionTop), Rgb(T.CaptionBottom), float(Y0 / SkinFrame::CaptionHeight));
    };
}

void DrawFrame(const TSkinTheme& T, TSkinArt& Art)
{
    using namespace SkinFrame;
    Art.Frame = TImage(Width, Height, Rgb(T.Face));
    const TContour Outline = FrameOutline(Width, Height, T.FrameRadius);
    Art.Frame.Fill(TPath{Outline}, Rgb(T.FrameLine));
    const double R = T.FrameRadius > 1 ? T.FrameRadius - 1 : 0;
    TContour Inner = FrameOutline(Width - 2, Height - 2, R);
    for (TPt& P : Inner) P.X += 1, P.Y += 1;
    Art.Frame.Fill(TPath{Inner}, CaptionPaint(T, 0));
    // The client part with a hairline where it meets the border.
    Art.Frame.Fill(TPath{Kit::Rect(Border - 1, CaptionHeight - 1, Width - 2 * Border + 2, Height - CaptionHeight - Border + 2)},
                   Rgb(T.FaceShadow));
    Art.Frame.Fill(TPath{Kit::Rect(Border, CaptionHeight, Width - 2 * Border, Height - CaptionHeight - Border)}, Rgb(T.Face));

    // The region: black where the outline covers at least half a pixel.
    TImage Cover(Width, Height, Rgb(0xFFFFFF));
    Cover.Fill(TPath{Outline}, Rgb(0x000000));
    Art.Mask = TImage(Width, Height, Rgb(0xFFFFFF));
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (Cover.Get(x, y).R < 0.5f) Art.Mask.Set(x, y, Rgb(0x000000));
}

// ---------------------------------------------------------------------------
// The controls' atlas.

void AddButtons(const TSkinTheme& T, TSheet& S)
{
    const double R = T.Radius;
    struct {
        const char* Name;
        uint32_t Top, Bottom, Line;
    } Faces[] = {
        {"button.n", T.ButtonTop, T.ButtonBottom, T.ButtonLine},
        {"button.h", T.HotTop, T.HotBottom, T.Accent},
        {"button.d", T.DownTop, T.DownBottom, T.Accent},
        {"button.x", T.FaceLight, T.FaceLight, T.FaceShadow},
    };
    // Every look has the normal one's outline, so its mask serves them all.
    for (const auto& F : Faces)
        S.Add(F.Name, 32, 25, [=](TImage& I) { Box(I, 0, 0, 32, 25, R, F.Line, VGrad(F.Top, F.Bottom, 0, 25)); },
              F.Name == std::string("button.n") ? TSheet::Masked : TSheet::Opaque);
    S.Add("button.f", 32, 25, [=, &T](TImage& I) {
        Box(I, 0, 0, 32, 25, R, T.Accent, VGrad(T.ButtonTop, T.ButtonBottom, 0, 25));
        I.Stroke(RoundRect(1.5, 1.5, 29, 22, R > 1 ? R - 1 : 0), 1, Rgb(T.AccentLight), true);
    });
    // Tool buttons are flat until the pointer finds them.
    S.Add("tool.n", 25, 25, [&T](TImage& I) { FillBox(I, 0, 0, 25, 25, 0, Flat(T.Face)); });
    S.Add(
        "tool.h", 25, 25, [=, &T](TImage& I) { Box(I, 0, 0, 25, 25, R, T.Accent, VGrad(T.HotTop, T.HotBottom, 0, 25)); },
        TSheet::Masked);
    S.Add("tool.d", 25, 25, [=, &T](TImage& I) { Box(I, 0, 0, 25, 25, R, T.Accent, VGrad(T.DownTop, T.DownBottom, 0, 25)); });
    S.Add("tool.x", 25, 25, [&T](TImage& I) { FillBox(I, 0, 0, 25, 25, 0, Flat(T.Face)); });
    // The drop marker of menu buttons: keyed pixels.
    const char* Markers[] = {"marker.flat", "marker.n", "marker.h", "marker.d"};
    const uint32_t MarkerColors[] = {T.Text, T.Text, T.Accent, T.Text};
    for (int m = 0; m < 4; ++m)
        S.Add(Markers[m], 7, 4, [&T, C = MarkerColors[m]](TImage& I) {
            I.Shade(Flat(Key));
            for (int y = 0; y < 4; ++y)
                for (int x = y; x < 7 - y; ++x) I.Set(x, y, Rgb(C));
            (void)T;
        });
}

void AddPanels(const TSkinTheme& T, TSheet& S)
{
    S.Add("panel", 30, 30, [&T](TImage& I) { Box(I, 0, 0, 30, 30, 0, T.FaceShadow, Flat(T.Face)); });
    S.Add("panel2", 30, 30, [&T](TImage& I) { Box(I, 0, 0, 30, 30, 0, T.FaceShadow, VGrad(T.FaceLight, T.Face, 0, 30)); });
    S.Add(
        "resizetoolpanel", 30, 30,
        [&T](TImage& I) { Box(I, 0, 0, 30, 30, T.Radius, T.FaceShadow, VGrad(T.FaceLight, T.Face, 0, 30)); },
        TSheet::Masked);
    S.Add(
        "groupbox", 40, 44,
        [&T](TImage& I) {
            // A header band of the face's colour over the light body.
            Box(I, 0, 0, 40, 44, T.Radius, T.FaceShadow, [&T](double, double Y) {
                return Rgb(Y < 20 ? T.Face : Y < 21 ? T.FaceShadow : T.FaceLight);
            });
        },
        TSheet::Masked);
    S.Add("statusbar", 30, 21, [&T](TImage& I) {
        I.Shade(VGrad(T.Face, T.FaceLight, 0, 21));
        I.Fill(TPath{Kit::Rect(0, 0, 30, 1)}, Rgb(T.FaceShadow));
    });
    S.Add("sizegrip", 12, 12, [&T](TImage& I) {
        I.Shade(Flat(Key));
        for (int r = 0; r < 3; ++r)
            for (int c = 2 - r; c < 3; ++c) {
                I.Set(2 + c * 4, 2 + r * 4, Rgb(T.FaceShadow));
                I.Set(3 + c * 4, 2 + r * 4, Rgb(T.FaceShadow));
                I.Set(2 + c * 4, 3 + r * 4, Rgb(T.FaceShadow));
                I.Set(3 + c * 4, 3 + r * 4, Rgb(T.FaceLight));
            }
    });
    S.Add("header", 40, 18, [&T](TImage& I) {
        I.Shade(VGrad(T.AccentLight, T.Face, 0, 36));
        I.Fill(TPath{Kit::Rect(0, 17, 40, 1)}, Rgb(T.FaceShadow));
    });
    S.Add("mainmenubar", 40, 22, [&T](TImage& I) {
        I.Shade(Flat(T.Face));
        I.Fill(TPath{Kit::Rect(0, 21, 40, 1)}, Rgb(T.FaceShadow));
    });
    S.Add("vsplitter", 6, 30, [&T](TImage& I) { I.Shade(Flat(T.Face)); });
    S.Add("hsplitter", 30, 6, [&T](TImage& I) { I.Shade(Flat(T.Face)); });
    S.Add("vgrip", 4, 16, [&T](TImage& I) {
        I.Shade(Flat(Key));
        Dots(I, 1, 1, 1, 5, 3, T.FaceShadow, T.FaceLight);
    });
    S.Add("hgrip", 16, 4, [&T](TImage& I) {
        I.Shade(Flat(Key));
        Dots(I, 1, 1, 5, 1, 3, T.FaceShadow, T.FaceLight);
    });
}

void AddChecks(const TSkinTheme& T, TSheet& S)
{
    struct {
        const char* Name;
        bool Radio, Hot, Disabled;
        int Mark;  // 0 none, 1 checked, 2 grayed
    } Items[] = {
        {"chk.u", false, false, false, 0}, {"chk.c", false, false, false, 1}, {"chk.hu", false, true, false, 0},
        {"chk.hc", false, true, false, 1}, {"chk.xu", false, false, true, 0}, {"chk.xc", false, false, true, 1},
        {"chk.g", false, false, false, 2}, {"chk.hg", false, true, false, 2},  {"rad.u", true, false, false, 0},
        {"rad.c", true, false, false, 1},  {"rad.hu", true, true, false, 0},  {"rad.hc", true, true, false, 1},
        {"rad.xu", true, false, true, 0},  {"rad.xc", true, false, true, 1},
    };
    // The boxes copy these keyed on their corner pixel.
    for (const auto& It : Items)
        S.Add(
            It.Name, 13, 13,
            [&T, It](TImage& I) {
                const uint32_t Line = It.Disabled ? T.FaceShadow : It.Hot ? T.Accent : T.WindowLine;
                const uint32_t Body = It.Disabled ? T.FaceLight : T.Window;
                const uint32_t Mark = It.Disabled ? T.DisabledText : T.Accent;
                if (It.Radio) {
                    I.Fill(TPath{Ellipse(6.5, 6.5, 6.5, 6.5)}, Rgb(Line));
                    I.Fill(TPath{Ellipse(6.5, 6.5, 5.5, 5.5)}, Rgb(Body));
                    if (It.Mark) I.Fill(TPath{Ellipse(6.5, 6.5, 3, 3)}, Rgb(Mark));
                } else {
                    Box(I, 0, 0, 13, 13, std::min(T.Radius, 3.0), Line, Flat(Body));
                    if (It.Mark == 1) CheckMark(I, 6.5, 6.5, 3.6, Mark);
                    if (It.Mark == 2) I.Fill(TPath{Kit::Rect(3, 3, 7, 7)}, Rgb(Mark));
                }
            },
            TSheet::Keyed);
    S.Add("checkbg", 40, 18, [&T](TImage& I) { I.Shade(Flat(T.Face)); });
    S.Add("tv.plus", 9, 9, [&T](TImage& I) {
        I.Shade(Flat(T.Window));
        Box(I, 0, 0, 9, 9, 0, T.WindowLine, Flat(T.Window));
        I.Fill(TPath{Kit::Rect(2, 4, 5, 1)}, Rgb(T.Text));
        I.Fill(TPath{Kit::Rect(4, 2, 1, 5)}, Rgb(T.Text));
    });
    S.Add("tv.minus", 9, 9, [&T](TImage& I) {
        I.Shade(Flat(T.Window));
        Box(I, 0, 0, 9, 9, 0, T.WindowLine, Flat(T.Window));
        I.Fill(TPath{Kit::Rect(2, 4, 5, 1)}, Rgb(T.Text));
    });
}

void AddTracks(const TSkinTheme& T, TSheet& S)
{
    S.Add("htrack", 40, 20, [&T](TImage& I) {
        I.Shade(Flat(T.Face));
        Box(I, 2, 8, 36, 5, 2.5, T.FaceShadow, Flat(T.FaceLight));
    });
    S.Add("vtrack", 20, 40, [&T](TImage& I) {
        I.Shade(Flat(T.Face));
        Box(I, 8, 2, 5, 36, 2.5, T.FaceShadow, Flat(T.FaceLight));
    });
    for (int Hot = 0; Hot < 2; ++Hot) {
        const uint32_t Line = Hot ? T.Accent : T.ButtonLine;
        const uint32_t Top = Hot ? T.HotTop : T.ButtonTop, Bottom = Hot ? T.HotBottom : T.ButtonBottom;
        S.Add(Hot ? "hthumb.h" : "hthumb.n", 11, 18, [=, &T](TImage& I) {
            I.Shade(Flat(T.Face));
            Box(I, 0, 0, 11, 18, 3, Line, VGrad(Top, Bottom, 0, 18));
        });
        S.Add(Hot ? "vthumb.h" : "vthumb.n", 18, 11, [=, &T](TImage& I) {
            I.Shade(Flat(T.Face));
            Box(I, 0, 0, 18, 11, 3, Line, VGrad(Top, Bottom, 0, 11));
        });
    }
    // The slider: rulers, and thumbs holding their two states side by side.
    S.Add("hruler", 40, 6, [&T](TImage& I) {
        I.Shade(Flat(T.Face));
        Box(I, 0, 0, 40, 6, 3, T.FaceShadow, Flat(T.AccentLight));
    });
    S.Add("vruler", 6, 40, [&T](TImage& I) {
        I.Shade(Flat(T.Face));
        Box(I, 0, 0, 6, 40, 3, T.FaceShadow, Flat(T.AccentLight));
    });
    S.Add("hthumb2", 18, 17, [&T](TImage& I) {
        I.Shade(Flat(T.Face));
        Box(I, 0, 0, 9, 17, 3, T.ButtonLine, VGrad(T.ButtonTop, T.ButtonBottom, 0, 17));
        Box(I, 9, 0, 9, 17, 3, T.Accent, VGrad(T.HotTop, T.HotBottom, 0, 17));
    });
    S.Add("vthumb2", 34, 9, [&T](TImage& I) {
        I.Shade(Flat(T.Face));
        Box(I, 0, 0, 17, 9, 3, T.ButtonLine, VGrad(T.ButtonTop, T.ButtonBottom, 0, 9));
        Box(I, 17, 0, 17, 9, 3, T.Accent, VGrad(T.HotTop, T.HotBottom, 0, 9));
    });
}

// Scroll bars: a bar with its two arrow buttons drawn in, the buttons' hot and
// pressed looks, and the thumb in three states.
void AddScrollBars(const TSkinTheme& T, TSheet& S)
{
    auto Button = [&T](TImage& I, double X, double Y, int Dir, int State) {
        if (State) Box(I, X + 1, Y + 1, 15, 15, std::min(T.Radius, 3.0), T.FaceShadow,
                       Flat(State == 1 ? T.HotBottom : T.DownBottom));
        Arrow(I, X + 8.5, Y + 8.5, Dir, 3.2, State ? T.Accent : T.Text);
    };
    S.Add("hsb", 60, 17, [=, &T](TImage& I) {
        I.Shade(Flat(T.FaceLight));
        I.Fill(TPath{Kit::Rect(0, 0, 60, 1)}, Rgb(T.Face));
        Button(I, 0, 0, 0, 0);
        Button(I, 43, 0, 2, 0);
    });
    S.Add("bsb", 77, 17, [=, &T](TImage& I) {
        I.Shade(Flat(T.FaceLight));
        I.Fill(TPath{Kit::Rect(0, 0, 60, 1)}, Rgb(T.Face));
        Button(I, 0, 0, 0, 0);
        Button(I, 43, 0, 2, 0);
        I.Fill(TPath{Kit::Rect(60, 0, 17, 17)}, Rgb(T.Face));
    });
    S.Add("vsb", 17, 60, [=, &T](TImage& I) {
        I.Shade(Flat(T.FaceLight));
        I.Fill(TPath{Kit::Rect(0, 0, 1, 60)}, Rgb(T.Face));
        Button(I, 0, 0, 1, 0);
        Button(I, 0, 43, 3, 0);
    });
    const char* Names[4][2] = {{"sb.lh", "sb.ld"}, {"sb.uh", "sb.ud"}, {"sb.rh", "sb.rd"}, {"sb.dh", "sb.dd"}};
    for (int Dir = 0; Dir < 4; ++Dir)
        for (int State = 1; State <= 2; ++State)
            S.Add(Names[Dir][State - 1], 17, 17, [=, &T](TImage& I) {
                I.Shade(Flat(T.FaceLight));
                Button(I, 0, 0, Dir, State);
            });
    const uint32_t Thumbs[3] = {T.ButtonLine, T.Accent, T.Accent};
    const char* HNames[3] = {"hthumb.sb.n", "hthumb.sb.h", "hthumb.sb.d"};
    const char* VNames[3] = {"vthumb.sb.n", "vthumb.sb.h", "vthumb.sb.d"};
    for (int i = 0; i < 3; ++i) {
        const uint32_t C = Thumbs[i];
        const double Alpha = i == 1 ? 0.85 : 1.0;  // the hot thumb a shade lighter
        S.Add(HNames[i], 24, 17, [=, &T](TImage& I) {
            I.Shade(Flat(T.FaceLight));
            I.Fill(TPath{RoundRect(1, 4, 22, 9, 4.5)}, Rgb(C, float(Alpha)));
        });
        S.Add(VNames[i], 17, 24, [=, &T](TImage& I) {
            I.Shade(Flat(T.FaceLight));
            I.Fill(TPath{RoundRect(4, 1, 9, 22, 4.5)}, Rgb(C, float(Alpha)));
        });
    }
}

// Edits, combo boxes, spin edits, up-downs, lists and items.
void AddEdits(const TSkinTheme& T, TSheet& S)
{
    const double R = std::min(T.Radius, 3.0);
    // Fields lie on the sheet's face; the normal look of each gets the mask.
    auto Field = [&T, R](TImage& I, int W, int H, bool Active) {
        Box(I, 0, 0, W, H, R, Active ? T.Accent : T.WindowLine, Flat(T.Window));
    };
    const auto Edge = [](int Active) { return Active ? TSheet::Opaque : TSheet::Masked; };
    auto SideButton = [&T, R](TImage& I, double X, double Y, double W, double H, int State) {
        if (State == 1) FillBox(I, X, Y, W, H, R > 1 ? R - 1 : 0, VGrad(T.HotTop, T.HotBottom, Y, H));
        if (State == 2) FillBox(I, X, Y, W, H, R > 1 ? R - 1 : 0, VGrad(T.DownTop, T.DownBottom, Y, H));
    };
    S.Add("edit", 40, 20, [=](TImage& I) { Field(I, 40, 20, false); }, TSheet::Masked);
    S.Add("edit.a", 40, 20, [=](TImage& I) { Field(I, 40, 20, true); });
    S.Add("list", 40, 40, [=](TImage& I) { Field(I, 40, 40, false); }, TSheet::Masked);
    // Combo box: the arrow button inside the right end (18 pixels).
    for (int Active = 0; Active < 2; ++Active)
        S.Add(
            Active ? "combo.a" : "combo", 60, 20,
            [=, &T](TImage& I) {
                Field(I, 60, 20, Active);
                I.Fill(TPath{Kit::Rect(41, 4, 1, 12)}, Rgb(T.FaceShadow, 0.6f));
                Arrow(I, 50.5, 10.5, 3, 3.2, T.Text);
            },
            Edge(Active));
    const char* ComboButtons[3] = {"combo.bh", "combo.bd", "combo.bx"};
    for (int State = 1; State <= 3; ++State)
        S.Add(ComboButtons[State - 1], 17, 18, [=, &T](TImage& I) {
            I.Shade(Flat(State == 3 ? T.FaceLight : T.Window));
            SideButton(I, 0, 0, 17, 18, State == 3 ? 0 : State);
            Arrow(I, 8.5, 9.5, 3, 3.2, State == 3 ? T.DisabledText : T.Text);
        });
    // Button edit: "..." at the right end.
    auto Ellipsis = [&T](TImage& I, double CX, double CY, uint32_t C) {
        for (int k = -1; k <= 1; ++k) I.Fill(TPath{Ellipse(CX + 4 * k, CY, 1.2, 1.2)}, Rgb(C));
        (void)T;
    };
    for (int Active = 0; Active < 2; ++Active)
        S.Add(
            Active ? "bedit.a" : "bedit", 60, 20,
            [=, &T](TImage& I) {
                Field(I, 60, 20, Active);
                Ellipsis(I, 50.5, 10.5, T.Text);
            },
            Edge(Active));
    const char* EditButtons[3] = {"bedit.bh", "bedit.bd", "bedit.bx"};
    for (int State = 1; State <= 3; ++State)
        S.Add(EditButtons[State - 1], 17, 18, [=, &T](TImage& I) {
            I.Shade(Flat(State == 3 ? T.FaceLight : T.Window));
            SideButton(I, 0, 0, 17, 18, State == 3 ? 0 : State);
            Ellipsis(I, 8.5, 9.5, State == 3 ? T.DisabledText : T.Text);
        });
    // Spin edit: two stacked buttons (14 x 9) at the right end.
    for (int Active = 0; Active < 2; ++Active)
        S.Add(
            Active ? "spin.a" : "spin", 60, 20,
            [=, &T](TImage& I) {
                Field(I, 60, 20, Active);
                Arrow(I, 52, 6, 1, 2.6, T.Text);
                Arrow(I, 52, 14.5, 3, 2.6, T.Text);
            },
            Edge(Active));
    const char* SpinButtons[4] = {"spin.uh", "spin.ud", "spin.dh", "spin.dd"};
    for (int i = 0; i < 4; ++i)
        S.Add(SpinButtons[i], 14, 9, [=, &T](TImage& I) {
            I.Shade(Flat(T.Window));
            SideButton(I, 0, 0, 14, 9, 1 + i % 2);
            Arrow(I, 7, i < 2 ? 5 : 4.5, i < 2 ? 1 : 3, 2.6, T.Text);
        });
    // Up-downs: vertical (two 16 x 11 buttons stacked), horizontal (two
    // 16 x 16 side by side: decrease on the left, increase on the right).
    auto UdButton = [&T, R](TImage& I, double X, double Y, double W, double H, int Dir, int State) {
        const uint32_t Top = State == 0 ? T.ButtonTop : State == 1 ? T.HotTop : T.DownTop;
        const uint32_t Bottom = State == 0 ? T.ButtonBottom : State == 1 ? T.HotBottom : T.DownBottom;
        Box(I, X, Y, W, H, R, State ? T.Accent : T.ButtonLine, VGrad(Top, Bottom, Y, H));
        // Arrows this small never reach their full colour: the text's, in every state.
        Arrow(I, X + W / 2, Y + H / 2 + (Dir == 1 ? 0.5 : Dir == 3 ? -0.5 : 0), Dir, 2.8, T.Text);
    };
    // Each up-down: the pair drawn in, then the hot and pressed looks of the
    // increasing button (".u") and of the decreasing one (".d").
    struct {
        const char* Name;
        int W, H;    // one button
        bool Stacked;
        int Up, Down;  // arrow directions
    } Pairs[] = {{"vud", 16, 11, true, 1, 3}, {"hud", 16, 16, false, 2, 0}};
    for (const auto& Pr : Pairs) {
        const int DX = Pr.Stacked ? 0 : Pr.W, DY = Pr.Stacked ? Pr.H : 0;
        // Vertical: up above down; horizontal: decrease on the left.
        S.Add(
            Pr.Name, Pr.W + DX, Pr.H + DY,
            [=](TImage& I) {
                UdButton(I, 0, 0, Pr.W, Pr.H, Pr.Stacked ? Pr.Up : Pr.Down, 0);
                UdButton(I, DX, DY, Pr.W, Pr.H, Pr.Stacked ? Pr.Down : Pr.Up, 0);
            },
            TSheet::Masked);
        const char* Looks[4] = {".uh", ".ud", ".dh", ".dd"};
        for (int i = 0; i < 4; ++i)
            S.Add(std::string(Pr.Name) + Looks[i], Pr.W, Pr.H, [=, &T](TImage& I) {
                I.Shade(Flat(T.Face));
                UdButton(I, 0, 0, Pr.W, Pr.H, i < 2 ? Pr.Up : Pr.Down, 1 + i % 2);
            });
    }
    // List and combo items: plain, selected, selected with the focus.
    S.Add("item.n", 30, 18, [&T](TImage& I) { I.Shade(Flat(T.Window)); });
    S.Add("item.s", 30, 18, [&T](TImage& I) {
        I.Shade(Flat(T.Window));
        FillBox(I, 1, 0, 28, 18, std::min(T.Radius, 3.0), Flat(T.AccentLight));
    });
    S.Add("item.f", 30, 18, [&T](TImage& I) {
        I.Shade(Flat(T.Window));
        FillBox(I, 1, 0, 28, 18, std::min(T.Radius, 3.0), Flat(T.Accent));
    });
}

void AddTabs(const TSkinTheme& T, TSheet& S)
{
    const double R = std::min(T.Radius, 4.0);
    S.Add("tabpage", 40, 40, [&T](TImage& I) { Box(I, 0, 0, 40, 40, 0, T.FaceShadow, Flat(T.FaceLight)); });
    // A tab: rounded top, open at the bottom; the selected one takes the
    // page's colour and covers the page's top line.
    auto Tab = [&T, R](TImage& I, uint32_t Top, uint32_t Bottom, uint32_t Line, bool Selected) {
        I.Shade(Flat(T.Face));
        I.Fill(TPath{RoundRect(0, 0, 40, 22 + R + 2, R)}, Rgb(Line));
        I.Fill(TPath{RoundRect(1, 1, 38, 22 + R + 2, R > 1 ? R - 1 : 0)}, VGrad(Top, Bottom, 0, 22));
        if (!Selected) I.Fill(TPath{Kit::Rect(0, 21, 40, 1)}, Rgb(T.FaceShadow));
        if (Selected) I.Fill(TPath{Kit::Rect(1, 0, 38, 2)}, Rgb(T.Accent));
    };
    S.Add("tab.n", 40, 22, [=, &T](TImage& I) { Tab(I, T.Face, T.Face, T.FaceShadow, false); });
    S.Add("tab.h", 40, 22, [=, &T](TImage& I) { Tab(I, T.HotTop, T.HotBottom, T.FaceShadow, false); });
    S.Add("tab.a", 40, 22, [=, &T](TImage& I) { Tab(I, T.FaceLight, T.FaceLight, T.FaceShadow, true); });
    const char* Close[3] = {"tabx.n", "tabx.h", "tabx.d"};
    const uint32_t CloseColors[3] = {T.Text, T.CloseHot, T.CloseDown};
    for (int i = 0; i < 3; ++i)
        S.Add(Close[i], 9, 9, [C = CloseColors[i]](TImage& I) {
            I.Shade(Flat(Key));
            for (int k = 1; k < 8; ++k) {
                I.Set(k, k, Rgb(C));
                I.Set(8 - k, k, Rgb(C));
                if (k < 7) I.Set(k + 1, k, Rgb(C)), I.Set(7 - k, k, Rgb(C));
            }
        });
}

TImage DrawControls(const TSkinTheme& T, TSkinArt& Art)
{
    TSheet S(spControls, 256, T.Face);
    AddButtons(T, S);
    AddPanels(T, S);
    AddChecks(T, S);
    AddTracks(T, S);
    AddScrollBars(T, S);
    AddEdits(T, S);
    AddTabs(T, S);
    return S.Finish(Art);
}

// ---------------------------------------------------------------------------
// Caption buttons: on the caption's own gradient, in four looks each (normal,
// hot, pressed, inactive window); the main menu bar's small buttons on the face.

void Glyph(TImage& I, const std::string& Kind, double CX, double CY, uint32_t C)
{
    if (Kind == "close") {
        Cross(I, CX, CY, 4.2, 1.4, C);
    } else if (Kind == "max") {
        I.Stroke(Kit::Rect(CX - 4.5, CY - 4, 9, 8), 1.2, Rgb(C), true);
        I.Fill(TPath{Kit::Rect(CX - 5, CY - 4.5, 10, 2)}, Rgb(C));
    } else if (Kind == "restore") {
        I.Stroke({{CX - 2, CY - 3}, {CX - 2, CY - 5}, {CX + 5, CY - 5}, {CX + 5, CY + 1}, {CX + 3, CY + 1}}, 1.1, Rgb(C));
        I.Stroke(Kit::Rect(CX - 5, CY - 2, 7, 6.5), 1.1, Rgb(C), true);
    } else if (Kind == "min") {
        I.Fill(TPath{Kit::Rect(CX - 4.5, CY + 2, 9, 1.6)}, Rgb(C));
    } else if (Kind == "sys") {
        I.Fill(TPath{RoundRect(CX - 6, CY - 6, 12, 12, 3)}, Rgb(C));
    }
}

TImage DrawCaptionButtons(const TSkinTheme& T, TSkinArt& Art)
{
    using namespace SkinFrame;
    TSheet S(spCaptionButtons, 128, T.CaptionBottom);
    struct {
        const char* Name;
        const char* Glyph;
        int W;
    } Buttons[] = {{"close", "close", CaptionButtonW}, {"max", "max", CaptionButtonW},
                   {"restore", "restore", CaptionButtonW}, {"min", "min", CaptionButtonW},
                   {"sys", "sys", SysButtonW}};
    const char* States[4] = {"n", "h", "d", "i"};
    for (const auto& B : Buttons)
        for (int St = 0; St < 4; ++St) {
            const std::string Name = std::string(B.Name) + "." + States[St];
            S.Add(Name, B.W, CaptionButtonH, [=, &T](TImage& I) {
                I.Shade(CaptionPaint(T, ButtonsTop));
                const bool Close = std::string(B.Name) == "close";
                uint32_t C = St == 3 ? T.CaptionTextInactive : T.CaptionText;
                if (std::string(B.Name) == "sys") {
                    // The accent where it stands out from the caption, else the caption's text colour.
                    const uint32_t Sys = ContrastRatio(T.Accent, T.CaptionTop) >= 4.5 &&
                                                 ContrastRatio(T.Accent, T.CaptionBottom) >= 4.5
                                             ? T.Accent
                                             : T.CaptionText;
                    Glyph(I, "sys", B.W / 2.0, CaptionButtonH / 2.0, St == 3 ? T.CaptionTextInactive : Sys);
                    for (int k = -1; k <= 1; ++k)
                        I.Fill(TPath{Kit::Rect(B.W / 2.0 - 3.5, CaptionButtonH / 2.0 + 2.5 * k - 0.5, 7, 1.2)},
                               Rgb(Sys == T.Accent ? 0xFFFFFF : T.CaptionBottom));
                    if (St == 1 || St == 2)
                        I.Stroke(RoundRect(2.5, 0.5, B.W - 5, CaptionButtonH - 1, 4), 1, Rgb(T.CaptionText, 0.4f), true);
                    return;
                }
                if (St == 1 || St == 2) {
                    if (Close) {
                        FillBox(I, 0, 0, B.W, CaptionButtonH, 4, Flat(St == 1 ? T.CloseHot : T.CloseDown));
                        C = 0xFFFFFF;
                    } else {
                        // Hot and pressed shade the caption away from its text: towards the
                        // text's colour under dark text, towards black under light text.
                        const bool DarkText = ContrastRatio(T.CaptionText, 0x000000) < ContrastRatio(T.CaptionBottom, 0x000000);
                        I.Fill(TPath{RoundRect(0, 0, B.W, CaptionButtonH, 4)},
                               Rgb(DarkText ? T.CaptionText : 0x000000, St == 1 ? 0.12f : 0.24f));
                    }
                }
                Glyph(I, B.Glyph, B.W / 2.0, CaptionButtonH / 2.0, C);
            });
        }
    // The main menu bar's buttons (for a maximised child window). The system
    // button's square is the accent, darkened where the faces would swallow it.
    const uint32_t SysOnFace = Darkened(Darkened(Darkened(T.Accent, T.Face, 4.5), T.HotBottom, 4.5), T.DownBottom, 4.5);
    const char* Small[4] = {"close", "max", "min", "sys"};
    for (const char* K : Small)
        for (int St = 0; St < 3; ++St)
            S.Add(std::string("mm.") + K + "." + States[St], 16, 16, [=, &T](TImage& I) {
                I.Shade(Flat(T.Face));
                if (St) Box(I, 0, 0, 16, 16, std::min(T.Radius, 3.0), T.Accent, Flat(St == 1 ? T.HotBottom : T.DownBottom));
                if (std::string(K) == "sys") Glyph(I, "sys", 8, 8, SysOnFace);
                else if (std::string(K) == "close") Cross(I, 8, 8, 3.2, 1.2, T.Text);
                else if (std::string(K) == "max") I.Stroke(Kit::Rect(4.5, 4.5, 7, 7), 1, Rgb(T.Text), true);
                else I.Fill(TPath{Kit::Rect(4.5, 10, 7, 1.5)}, Rgb(T.Text));
            });
    return S.Finish(Art);
}

// ---------------------------------------------------------------------------
// Menus: the popup window (a nine-slice picture), its items, dividers and
// marks, and the items of the main menu bar.

TImage DrawMenu(const TSkinTheme& T, TSkinArt& Art)
{
    TSheet S(spMenu, 128, T.Window);
    const double R = std::min(T.Radius, 3.0);
    S.Add("mi.n", 40, 22, [&T](TImage& I) { I.Shade(Flat(T.Window)); });
    S.Add("mi.h", 40, 22, [=, &T](TImage& I) {
        I.Shade(Flat(T.Window));
        Box(I, 1, 1, 38, 20, R, T.Accent, Flat(T.AccentLight));
    });
    S.Add("mi.div", 40, 7, [&T](TImage& I) {
        I.Shade(Flat(T.Window));
        I.Fill(TPath{Kit::Rect(0, 3, 40, 1)}, Rgb(T.FaceShadow));
    });
    struct {
        const char* Name;
        int Kind;  // 0 check, 1 radio, 2 arrow
        bool Active;
    } Marks[] = {{"mi.check", 0, false}, {"mi.check.a", 0, true}, {"mi.radio", 1, false},
                 {"mi.radio.a", 1, true}, {"mi.arrow", 2, false}, {"mi.arrow.a", 2, true}};
    for (const auto& M : Marks)
        S.Add(M.Name, M.Kind == 2 ? 8 : 16, 16, [=, &T](TImage& I) {
            I.Shade(Flat(M.Active ? T.AccentLight : T.Window));
            // On the highlight the accent is too light for a check mark: the
            // marks take the text's colour there, the arrow keeps the accent.
            const uint32_t C = M.Active && M.Kind == 2 ? T.Accent : T.Text;
            if (M.Kind == 0) CheckMark(I, 8, 8, 4, C);
            if (M.Kind == 1) I.Fill(TPath{Ellipse(8, 8, 3, 3)}, Rgb(C));
            if (M.Kind == 2) Arrow(I, 4, 8, 2, 3.2, C);
        });
    S.Add("mmi.n", 30, 20, [&T](TImage& I) { I.Shade(Flat(T.Face)); });
    S.Add("mmi.h", 30, 20, [=, &T](TImage& I) {
        I.Shade(Flat(T.Face));
        Box(I, 0, 1, 30, 18, R, T.Accent, Flat(T.AccentLight));
    });
    S.Add("mmi.d", 30, 20, [=, &T](TImage& I) {
        I.Shade(Flat(T.Face));
        Box(I, 0, 1, 30, 18, R, T.Accent, Flat(T.Window));
    });
    return S.Finish(Art);
}

// The popup and hint windows take a whole picture each.
TImage DrawPopup(const TSkinTheme& T, TSkinArt& Art)
{
    TSheet S(spPopup, 40, T.Window);
    S.Add("popup", 40, 40, [&T](TImage& I) {
        I.Shade(Flat(T.Window));
        I.Stroke(Kit::Rect(0.5, 0.5, 39, 39), 1, Rgb(T.FaceShadow), true);
    });
    return S.Finish(Art);
}

TImage DrawHint(const TSkinTheme& T, TSkinArt& Art)
{
    TSheet S(spHint, 24, T.HintFill);
    S.Add("hint", 24, 24, [&T](TImage& I) { Box(I, 0, 0, 24, 24, 0, T.HintLine, Flat(T.HintFill)); });
    return S.Finish(Art);
}

}  // namespace

TSkinArt DrawSkinArt(const TSkinTheme& Theme)
{
    TSkinArt Art;
    DrawFrame(Theme, Art);
    Art.Pictures.resize(spCount);
    Art.PictureNames.assign(DrawnPictureNames, DrawnPictureNames + spCount);
    Art.Pictures[spControls] = DrawControls(Theme, Art);
    Art.Pictures[spCaptionButtons] = DrawCaptionButtons(Theme, Art);
    Art.Pictures[spMenu] = DrawMenu(Theme, Art);
    Art.Pictures[spPopup] = DrawPopup(Theme, Art);
    Art.Pictures[spHint] = DrawHint(Theme, Art);
    return Art;
}
