#include "SkinDescription.h"

#include <memory>

#include "PictureFiles.h"

namespace {

constexpr TColor KeyColor = 0xFF00FF;  // magenta reads the same either way round

const TSkinTheme* T = nullptr;
const TSkinArt* A = nullptr;

TRect P(const char* Name)
{
    return A->Piece(Name);
}

TColor C(uint32_t Rgb)
{
    return SkinColor(Rgb);
}

// Nine-slice geometry of a piece of size W x H whose corners are the client
// rectangle's: the edges and the client part stretched.
template <class D>
void Nine(D& Data, const TRect& Client)
{
    Data.LTPoint = {Client.Left, Client.Top};
    Data.RTPoint = {Client.Right, Client.Top};
    Data.LBPoint = {Client.Left, Client.Bottom};
    Data.RBPoint = {Client.Right, Client.Bottom};
    Data.ClRect = Client;
    Data.LeftStretch = Data.TopStretch = Data.RightStretch = Data.BottomStretch = true;
    Data.StretchEffect = true;
    Data.StretchType = sfstFull;
}

// The same with a uniform margin M inside the piece's SkinRect.
template <class D>
void Nine(D& Data, int M)
{
    Nine(Data, TRect{M, M, Data.SkinRect.Width() - M, Data.SkinRect.Height() - M});
}

template <class D>
void Font(D& Data, uint32_t Color, Integer Height = 14, TFontStyles Style = 0)
{
    Data.FontName = u"Arial";
    Data.FontHeight = Height;
    Data.FontStyle = Style;
    Data.FontColor = C(Color);
}

// Makes descriptions of the skin's lists through the model's factories, so
// each kind word is the one a reader turns back into the same class.
class TWriter {
public:
    explicit TWriter(TsfSkinData& Skin) : FSkin(Skin) {}

    template <class D>
    D& Control(const char16_t* Name, const char16_t* Kind)
    {
        auto Data = CreateSkinControlData(Kind, Name);
        D* Typed = dynamic_cast<D*>(Data.get());
        if (!Typed) throw Exception(String(u"Kind ") + Kind + u" does not make the class asked for");
        Typed->PictureIndex = spControls;
        FSkin.CtrlList.push_back(std::move(Data));
        return *Typed;
    }
    template <class D>
    D& Object(const char16_t* Name, const char16_t* Kind)
    {
        auto Data = CreateSkinObjectData(Kind, Name);
        D* Typed = dynamic_cast<D*>(Data.get());
        if (!Typed) throw Exception(String(u"Kind ") + Kind + u" does not make the class asked for");
        FSkin.ObjectList.push_back(std::move(Data));
        return *Typed;
    }

private:
    TsfSkinData& FSkin;
};

// A drawn picture as the model holds it: 24 bits, or the mask's 8-bit greys.
TDibImage Dib(const std::vector<uint8_t>& Bmp)
{
    TMemoryStream S;
    S.WriteBuffer(Bmp.data(), Integer(Bmp.size()));
    S.SetPosition(0);
    TDibImage Image;
    ReadBmp(&S, Image);
    return Image;
}

TDibImage MaskDib(const Kit::TImage& Mask)
{
    TDibImage Image;
    Image.Allocate(Mask.Width(), Mask.Height(), pf8bit);
    for (uint32_t g = 0; g < 256; ++g) Image.Palette.push_back(g << 16 | g << 8 | g);
    for (int y = 0; y < Mask.Height(); ++y)
        for (int x = 0; x < Mask.Width(); ++x) Image.ScanLine(y)[x] = uint8_t(Mask.Get(x, y).R * 255.0f + 0.5f);
    return Image;
}

// ---------------------------------------------------------------------------
// The window: [VERSION], [PICTURES], [CURSORS], [FORMINFO].

void DescribeForm(TsfSkinData& K)
{
    using namespace SkinFrame;
    K.SkinName = T->Name;
    K.SkinAuthor = u"Quorvan";
    K.SkinComments = T->Comments;

    K.FPictureName = u"frame.bmp";
    K.FPicture = Dib(Files::EncodeBmp24(A->Frame));
    K.FMaskName = u"mask.bmp";
    K.FMask = MaskDib(A->Mask);
    for (size_t i = 0; i < A->Pictures.size(); ++i) {
        K.FActivePicturesNames->Add(A->PictureNames[i]);
        K.FActivePictures.push_back(Dib(Files::EncodeBmp24(A->Pictures[i])));
    }

    K.ClRect = {Border, CaptionHeight, Width - Border, Height - Border};
    K.LTPoint = {CornerLeft, CaptionHeight};
    K.RTPoint = {Width - CornerRight, CaptionHeight};
    K.LBPoint = {20, Height - Border};
    K.RBPoint = {Width - 20, Height - Border};
    // The sizing corners: a pointer within the border and this far from a corner sizes both ways.
    constexpr int SizingCorner = 12;
    K.HitTestLTPoint = {SizingCorner, SizingCorner};
    K.HitTestRTPoint = {Width - SizingCorner, SizingCorner};
    K.HitTestLBPoint = {SizingCorner, Height - SizingCorner};
    K.HitTestRBPoint = {Width - SizingCorner, Height - SizingCorner};
    K.LeftStretch = K.RightStretch = K.TopStretch = K.BottomStretch = K.StretchEffect = true;
    // Close, maximise and minimise at the right, two pixels apart; the
    // system-menu button at the caption's left.
    K.ButtonsRect = {ButtonsRight - 3 * CaptionButtonW - 2 * 2, ButtonsTop, ButtonsRight, ButtonsTop + CaptionButtonH};
    K.CaptionRect = {6, ButtonsTop, Width - 110, ButtonsTop + CaptionButtonH};
    K.ButtonsOffset = 2;
    K.MaskRectArea = K.ClRect;
    K.IconRect = {8, 7, 24, 23};
    K.BorderW = Border;
    K.FormMinWidth = 200;
    K.FormMinHeight = CaptionHeight + 2 * Border + 20;
    K.SizeGripArea = {Width - Border - 12, Height - Border - 12, Width - Border, Height - Border};
    K.StatusBarName = u"statusbar";
}

// A window picture of W x H cut at a margin of M, every part stretched.
template <class D>
void WindowPicture(D& Data, int Picture, int W, int H, int M)
{
    Data.WindowPictureIndex = Picture;
    Data.LTPoint = {M, M};
    Data.RTPoint = {W - M, M};
    Data.LBPoint = {M, H - M};
    Data.RBPoint = {W - M, H - M};
    Data.TopStretch = Data.LeftStretch = Data.RightStretch = Data.BottomStretch = Data.StretchEffect = true;
}

// The popup and hint windows (no layered border) and the skin colours.
void DescribeWindows(TsfSkinData& K)
{
    TsfDataSkinPopupWindow& Popup = *K.PopupWindow;
    WindowPicture(Popup, spPopup, 40, 40, 3);
    Popup.ItemsRect = {3, 3, 37, 37};
    Popup.ScrollMarkerColor = C(T->Text);
    Popup.ScrollMarkerActiveColor = C(T->Accent);

    TsfDataSkinHintWindow& Hint = *K.HintWindow;
    WindowPicture(Hint, spHint, 24, 24, 4);
    Hint.ClRect = {4, 4, 20, 20};
    Font(Hint, T->HintText, 13);

    TsfSkinColors& Colors = *K.SkinColors();
    Colors.SetcBtnFace(C(T->Face));
    Colors.SetcBtnText(C(T->Text));
    Colors.SetcWindow(C(T->Window));
    Colors.SetcWindowText(C(T->Text));
    Colors.SetcHighLight(C(T->Accent));
    Colors.SetcHighLightText(C(T->AccentText));
    Colors.SetcBtnHighLight(C(T->FaceLight));
    Colors.SetcBtnShadow(C(T->FaceShadow));
    Colors.Setc3DLight(C(T->FaceLight));
    Colors.Setc3DDkShadow(C(T->FrameLine));
}

// ---------------------------------------------------------------------------
// Frame objects: caption buttons, caption, menu items, main menu bar.

void StdButton(TWriter& W, const char16_t* Name, const char16_t* Kind, TStdCommand Command, const std::string& Look,
               const std::string& Restore, const char16_t* Hint)
{
    auto& B = W.Object<TsfDataSkinStdButton>(Name, Kind);
    B.Command = Command;
    B.Hint = Hint;
    B.SkinRectInAPicture = true;
    B.ActivePictureIndex = spCaptionButtons;
    const bool Small = std::u16string(Kind) == u"mainmenubarbutton";
    B.SkinRect = A->Piece(Look + ".n");
    B.ActiveSkinRect = A->Piece(Look + ".h");
    B.DownRect = A->Piece(Look + ".d");
    if (!Small) B.InActiveSkinRect = A->Piece(Look + ".i");
    if (!Restore.empty()) {
        B.RestoreRect = A->Piece(Restore + ".n");
        B.RestoreActiveRect = A->Piece(Restore + ".h");
        B.RestoreDownRect = A->Piece(Restore + ".d");
        B.RestoreInActiveRect = A->Piece(Restore + ".i");
        B.RestoreHint = u"Restore";
    }
}

void WriteObjects(TWriter& W)
{
    using namespace SkinFrame;
    StdButton(W, u"closebutton", u"stdbutton", cmClose, "close", "", u"Close");
    StdButton(W, u"maxbutton", u"stdbutton", cmMaximize, "max", "restore", u"Maximize");
    StdButton(W, u"minbutton", u"stdbutton", cmMinimize, "min", "restore", u"Minimize");
    StdButton(W, u"sysmenubutton", u"stdbutton", cmSysMenu, "sys", "", u"System menu");
    // Dialogs with only a system menu show this one instead of the close button.
    StdButton(W, u"dialogclosebutton", u"stdbutton", cmClose, "close", "", u"Close");

    auto& Cap = W.Object<TsfDataSkinCaption>(u"caption", u"caption");
    // From the system-menu button to the caption buttons: its right end lies in
    // the frame's right corner piece, so it follows the window's width.
    Cap.SkinRect = {28, 1, Width - CornerRight + 10, CaptionHeight - 1};
    Cap.TextRct = {4, 0, Cap.SkinRect.Width() - 4, Cap.SkinRect.Height()};
    Font(Cap, T->CaptionTextInactive, 14);
    Cap.ActiveFontColor = C(T->CaptionText);
    Cap.Alignment = taLeftJustify;
    Cap.DefaultCaption = true;
    Cap.GlowSize = 3;
    Cap.QuickButtonAlphaMaskPictureIndex = -1;

    auto& Item = W.Object<TsfDataSkinMenuItem>(u"menuitem", u"menuitem");
    Item.ActivePictureIndex = spMenu;
    Item.SkinRect = P("mi.n");
    Item.ActiveSkinRect = P("mi.h");
    Item.DividerRect = P("mi.div");
    Item.DividerLO = Item.DividerRO = 2;
    Item.ItemLO = Item.ItemRO = 4;
    Font(Item, T->Text, 14);
    Item.ActiveFontColor = C(T->Text);
    Item.UnEnabledFontColor = C(T->DisabledText);
    Item.TextRct = {28, 0, 32, 22};
    Item.StretchEffect = Item.DividerStretchEffect = Item.InActiveStretchEffect = true;
    Item.ImageRct = {4, 3, 20, 19};
    Item.ImageColor = C(T->Text);
    Item.ActiveImageColor = C(T->Accent);
    Item.CheckImageRect = P("mi.check");
    Item.ActiveCheckImageRect = P("mi.check.a");
    Item.RadioImageRect = P("mi.radio");
    Item.ActiveRadioImageRect = P("mi.radio.a");
    Item.ArrowImageRect = P("mi.arrow");
    Item.ActiveArrowImageRect = P("mi.arrow.a");

    auto& Bar = W.Object<TsfDataSkinMainMenuBarItem>(u"mainmenubaritem", u"mainmenubaritem");
    Bar.ActivePictureIndex = spMenu;
    Bar.SkinRect = P("mmi.n");
    Bar.ActiveSkinRect = P("mmi.h");
    Bar.DownRect = P("mmi.d");
    Font(Bar, T->Text, 14);
    Bar.ActiveFontColor = Bar.DownFontColor = C(T->Text);
    Bar.UnEnabledFontColor = C(T->DisabledText);
    Bar.TextRct = {4, 0, 26, 20};
    Bar.ItemLO = Bar.ItemRO = 4;
    Bar.StretchEffect = true;

    StdButton(W, u"mmclosebutton", u"mainmenubarbutton", cmClose, "mm.close", "", u"Close");
    StdButton(W, u"mmmaxbutton", u"mainmenubarbutton", cmMaximize, "mm.max", "", u"Restore");
    StdButton(W, u"mmminbutton", u"mainmenubarbutton", cmMinimize, "mm.min", "", u"Minimize");
    StdButton(W, u"mmsysmenubutton", u"mainmenubarbutton", cmSysMenu, "mm.sys", "", u"System menu");
}

// ---------------------------------------------------------------------------
// Controls.

template <class D>
void ButtonLook(D& B, const char* Look)
{
    const std::string L = Look;
    B.SkinRect = A->Piece(L + ".n");
    B.ActiveSkinRect = A->Piece(L + ".h");
    B.DownSkinRect = A->Piece(L + ".d");
    B.DisabledSkinRect = A->Piece(L + ".x");
    if (L == "button") B.FocusedSkinRect = P("button.f");
    // A button with a window takes the region of its rounded looks, so that
    // what lies behind shows at the corners.
    B.MaskPictureIndex = A->MaskOf(L == "button" ? "button.n" : "tool.h");
    Nine(B, L == "button" ? 6 : 5);
    Font(B, T->Text, 14);
    B.ActiveFontColor = B.DownFontColor = C(T->Text);
    B.DisabledFontColor = C(T->DisabledText);
    B.AnimateInterval = 25;
    B.MenuMarkerFlatRect = P("marker.flat");
    B.MenuMarkerRect = P("marker.n");
    B.MenuMarkerActiveRect = P("marker.h");
    B.MenuMarkerDownRect = P("marker.d");
    B.MenuMarkerTransparentColor = KeyColor;
}

void WriteButtons(TWriter& W)
{
    struct {
        const char16_t* Name;
        const char* Look;
    } Buttons[] = {
        {u"button", "button"},          {u"resizebutton", "button"},       {u"menuitembutton", "button"},
        {u"toolbutton", "tool"},        {u"resizetoolbutton", "tool"},     {u"bigtoolbutton", "tool"},
        {u"editbutton", "tool"},        {u"combobutton", "tool"},          {u"officequickbutton", "tool"},
    };
    for (const auto& It : Buttons) ButtonLook(W.Control<TsfDataSkinButtonControl>(It.Name, u"button"), It.Look);
    // The hot track part of a tool button with a drop part: the hot look over
    // the whole button.
    for (const char16_t* Name : {u"htracktoolbutton", u"vtracktoolbutton"}) {
        auto& B = W.Control<TsfDataSkinButtonControl>(Name, u"button");
        ButtonLook(B, "tool");
        B.SkinRect = P("tool.h");
    }
    auto& M = W.Control<TsfDataSkinMenuButtonControl>(u"toolmenubutton", u"menubutton");
    ButtonLook(M, "tool");
    M.TrackButtonRect = {M.SkinRect.Width() - 11, 0, M.SkinRect.Width(), M.SkinRect.Height()};
}

void WritePanels(TWriter& W)
{
    for (const char16_t* Name : {u"panel", u"panel2", u"resizetoolpanel"}) {
        auto& Pn = W.Control<TsfDataSkinPanelControl>(Name, u"panel");
        Pn.SkinRect = A->Piece(UTF8Encode(Name));
        if (Name == std::u16string(u"resizetoolpanel")) Pn.MaskPictureIndex = A->MaskOf("resizetoolpanel");
        Nine(Pn, Name == std::u16string(u"resizetoolpanel") ? 5 : 1);
        Font(Pn, T->Text, 14);
    }
    auto& G = W.Control<TsfDataSkinPanelControl>(u"groupbox", u"panel");
    G.SkinRect = P("groupbox");
    G.MaskPictureIndex = A->MaskOf("groupbox");
    Nine(G, TRect{2, 21, 38, 42});
    G.LTPoint.X = G.LBPoint.X = 6;
    G.RTPoint.X = G.RBPoint.X = 34;
    G.CaptionRect = {6, 0, 34, 20};
    G.Alignment = taLeftJustify;
    Font(G, T->Text, 14, fsBold);

    auto& S = W.Control<TsfDataSkinPanelControl>(u"statusbar", u"panel");
    S.SkinRect = P("statusbar");
    Nine(S, TRect{0, 1, 30, 21});
    S.GripperRect = P("sizegrip");
    S.GripperTransparent = true;
    S.GripperTransparentColor = KeyColor;
    Font(S, T->Text, 14);

    for (const char16_t* Name : {u"label", u"menuheader"}) {
        auto& L = W.Control<TsfDataSkinLabelControl>(Name, u"label");
        L.SkinRect = P("header");
        Nine(L, TRect{2, 0, 38, 17});
        Font(L, T->Text, 14, fsBold);
    }
    auto& Std = W.Control<TsfDataSkinStdLabelControl>(u"stdlabel", u"stdlabel");
    Std.PictureIndex = -1;
    Font(Std, T->Text, 14);
    Std.ActiveFontColor = C(Darkened(T->Accent, T->Face, 4.5));

    auto& Bv = W.Control<TsfDataSkinBevel>(u"bevel", u"bevel");
    Bv.PictureIndex = -1;
    Bv.LightColor = C(T->FaceLight);
    Bv.DarkColor = C(T->FaceShadow);

    for (int V = 0; V < 2; ++V) {
        auto& Sp = W.Control<TsfDataSkinSplitterControl>(V ? u"vsplitter" : u"hsplitter", u"splitter");
        Sp.SkinRect = P(V ? "vsplitter" : "hsplitter");
        Nine(Sp, 0);
        Sp.GripperRect = P(V ? "vgrip" : "hgrip");
        Sp.GripperTransparent = true;
        Sp.GripperTransparentColor = KeyColor;
    }

    auto& MB = W.Control<TsfDataSkinMainMenuBar>(u"mainmenubar", u"mainmenubar");
    MB.SkinRect = P("mainmenubar");
    MB.ItemsRect = {2, 1, MB.SkinRect.Width() - 2, MB.SkinRect.Height() - 1};
    MB.MenuBarItem = u"mainmenubaritem";
    MB.CloseButton = u"mmclosebutton";
    MB.MaxButton = u"mmmaxbutton";
    MB.MinButton = u"mmminbutton";
    MB.SysMenuButton = u"mmsysmenubutton";
    MB.TrackMarkColor = C(T->Text);
    MB.TrackMarkActiveColor = C(T->Accent);
    MB.StretchEffect = true;
}

void WriteChoices(TWriter& W)
{
    for (int Radio = 0; Radio < 2; ++Radio) {
        auto& Ch = W.Control<TsfDataSkinCheckRadioControl>(Radio ? u"radiobox" : u"checkbox", u"checkradio");
        Ch.SkinRect = Ch.ActiveSkinRect = P("checkbg");
        Nine(Ch, 0);
        Font(Ch, T->Text, 14);
        Ch.ActiveFontColor = Ch.FrameFontColor = C(T->Text);
        Ch.UnEnabledFontColor = C(T->DisabledText);
        Ch.CheckImageArea = {0, 2, 13, 15};
        Ch.TextArea = {18, 0, Ch.SkinRect.Width(), Ch.SkinRect.Height()};
        const std::string K = Radio ? "rad" : "chk";
        Ch.CheckImageRect = A->Piece(K + ".c");
        Ch.UnCheckImageRect = A->Piece(K + ".u");
        Ch.ActiveCheckImageRect = A->Piece(K + ".hc");
        Ch.ActiveUnCheckImageRect = A->Piece(K + ".hu");
        Ch.UnEnabledCheckImageRect = A->Piece(K + ".xc");
        Ch.UnEnabledUnCheckImageRect = A->Piece(K + ".xu");
        if (!Radio) {
            Ch.GrayedCheckImageRect = P("chk.g");
            Ch.ActiveGrayedCheckImageRect = P("chk.hg");
        }
    }
    for (int V = 0; V < 2; ++V) {
        auto& Tb = W.Control<TsfDataSkinTrackBarControl>(V ? u"trackbar" : u"htrackbar", u"trackbar");
        Tb.SkinRect = Tb.ActiveSkinRect = P(V ? "vtrack" : "htrack");
        Nine(Tb, V ? TRect{0, 4, 20, 36} : TRect{4, 0, 36, 20});
        Tb.TrackArea = V ? TRect{0, 6, 20, 34} : TRect{6, 0, 34, 20};
        Tb.ButtonRect = P(V ? "vthumb.n" : "hthumb.n");
        Tb.ActiveButtonRect = P(V ? "vthumb.h" : "hthumb.h");
        Tb.Vertical = V;
    }
    auto& Sl = W.Control<TsfDataSkinSlider>(u"slider", u"slider");
    Sl.HRulerRect = P("hruler");
    Sl.HThumbRect = P("hthumb2");
    Sl.VRulerRect = P("vruler");
    Sl.VThumbRect = P("vthumb2");
    Sl.EdgeSize = 3;
    Sl.BGColor = C(T->Face);
    Sl.PointsColor = C(T->FaceShadow);
}

void WriteScrolling(TWriter& W)
{
    struct {
        const char16_t* Name;
        const char* Piece;
        bool Vertical;
    } Bars[] = {{u"hscrollbar", "hsb", false}, {u"vscrollbar", "vsb", true}, {u"bothhscrollbar", "bsb", false}};
    for (const auto& Bar : Bars) {
        auto& S = W.Control<TsfDataSkinScrollBarControl>(Bar.Name, u"scrollbar");
        S.SkinRect = P(Bar.Piece);
        // The arrow buttons are the ends; the track between them stretches.
        if (Bar.Vertical) {
            Nine(S, TRect{1, 17, 16, 43});
            S.UpButtonRect = {0, 0, 17, 17};
            S.DownButtonRect = {0, 43, 17, 60};
            S.TrackArea = {0, 17, 17, 43};
        } else {
            const int W0 = S.SkinRect.Width();
            Nine(S, TRect{17, 1, W0 - 17 - (W0 - 60), 16});
            S.UpButtonRect = {0, 0, 17, 17};
            S.DownButtonRect = {43, 0, 60, 17};
            S.TrackArea = {17, 0, 43, 17};
        }
        const char* Up = Bar.Vertical ? "sb.u" : "sb.l";
        const char* Down = Bar.Vertical ? "sb.d" : "sb.r";
        S.ActiveUpButtonRect = A->Piece(std::string(Up) + "h");
        S.DownUpButtonRect = A->Piece(std::string(Up) + "d");
        S.ActiveDownButtonRect = A->Piece(std::string(Down) + "h");
        S.DownDownButtonRect = A->Piece(std::string(Down) + "d");
        const std::string Thumb = Bar.Vertical ? "vthumb.sb." : "hthumb.sb.";
        S.ThumbRect = A->Piece(Thumb + "n");
        S.ActiveThumbRect = A->Piece(Thumb + "h");
        S.DownThumbRect = A->Piece(Thumb + "d");
        S.ThumbOffset1 = S.ThumbOffset2 = 6;
        // The thumb pictures stand on the bar's light face: keyed out, the
        // bar's border row shows through beside the rounded thumb.
        S.ThumbTransparent = true;
        S.ThumbTransparentColor = C(T->FaceLight);
        S.ThumbStretchEffect = true;
        S.ThumbMinSize = 16;
    }
    for (int V = 0; V < 2; ++V) {
        auto& U = W.Control<TsfDataSkinUpDownControl>(V ? u"vupdown" : u"hupdown", u"updown");
        const std::string K = V ? "vud" : "hud";
        U.SkinRect = A->Piece(K);
        U.MaskPictureIndex = A->MaskOf(K);
        if (V) {
            U.UpButtonRect = {0, 0, 16, 11};
            U.DownButtonRect = {0, 11, 16, 22};
        } else {
            U.UpButtonRect = {16, 0, 32, 16};
            U.DownButtonRect = {0, 0, 16, 16};
        }
        U.ActiveUpButtonRect = A->Piece(K + ".uh");
        U.DownUpButtonRect = A->Piece(K + ".ud");
        U.ActiveDownButtonRect = A->Piece(K + ".dh");
        U.DownDownButtonRect = A->Piece(K + ".dd");
    }
    auto& Box = W.Control<TsfDataSkinScrollBoxControl>(u"scrollbox", u"scrollbox");
    Box.SkinRect = P("list");
    Box.MaskPictureIndex = A->MaskOf("list");
    Nine(Box, 2);
}

template <class D>
void EditLook(D& E, const char* Piece, const TRect& Client)
{
    E.SkinRect = A->Piece(Piece);
    E.MaskPictureIndex = A->MaskOf(Piece);
    E.ActiveSkinRect = A->Piece(std::string(Piece) + ".a");
    Nine(E, Client);
    Font(E, T->Text, 14);
    E.ActiveFontColor = C(T->Text);
    E.DisabledFontColor = C(T->DisabledText);
}

// The item pictures of lists and combo boxes: plain, selected, selected with
// the focus (white text on the accent).
template <class D>
void Items(D& L)
{
    L.SItemRect = P("item.n");
    L.ActiveItemRect = P("item.s");
    L.FocusItemRect = P("item.f");
    L.ItemLeftOffset = L.ItemRightOffset = 4;
    L.ItemTextRect = {4, 0, 26, 18};
    Font(L, T->Text, 14);
    L.ActiveFontColor = C(T->Text);
    L.FocusFontColor = C(T->AccentText);
}

// The button inside the right end piece (from x = 42) of a 60-pixel edit or
// combo box, and its hot, pressed and disabled pictures.
template <class D>
void SideButton(D& E, const char* Piece)
{
    const std::string K = Piece;
    E.ButtonRect = {42, 1, 59, 19};
    E.ActiveButtonRect = A->Piece(K + ".bh");
    E.DownButtonRect = A->Piece(K + ".bd");
    E.UnEnabledButtonRect = A->Piece(K + ".bx");
}

void WriteEdits(TWriter& W)
{
    EditLook(W.Control<TsfDataSkinEditControl>(u"edit", u"edit"), "edit", {3, 3, 37, 17});
    auto& Memo = W.Control<TsfDataSkinMemoControl>(u"memo", u"memo");
    EditLook(Memo, "edit", {3, 3, 37, 17});
    Memo.BGColor = Memo.ActiveBGColor = C(T->Window);

    auto& BE = W.Control<TsfDataSkinEditControl>(u"buttonedit", u"edit");
    EditLook(BE, "bedit", {3, 3, 42, 17});
    SideButton(BE, "bedit");

    auto& Sp = W.Control<TsfDataSkinSpinEditControl>(u"spinedit", u"spinedit");
    EditLook(Sp, "spin", {3, 3, 44, 17});
    Sp.UpButtonRect = {45, 1, 59, 10};
    Sp.DownButtonRect = {45, 10, 59, 19};
    Sp.ActiveUpButtonRect = P("spin.uh");
    Sp.DownUpButtonRect = P("spin.ud");
    Sp.ActiveDownButtonRect = P("spin.dh");
    Sp.DownDownButtonRect = P("spin.dd");

    auto& Co = W.Control<TsfDataSkinComboBox>(u"combobox", u"combobox");
    Co.SkinRect = P("combo");
    Co.MaskPictureIndex = A->MaskOf("combo");
    Co.ActiveSkinRect = P("combo.a");
    Nine(Co, TRect{3, 3, 42, 17});
    SideButton(Co, "combo");
    Items(Co);
    Co.ItemStretchEffect = Co.FocusItemStretchEffect = true;
    Co.ListBoxName = u"listbox";

    auto& L = W.Control<TsfDataSkinListBox>(u"listbox", u"listbox");
    L.SkinRect = P("list");
    L.MaskPictureIndex = A->MaskOf("list");
    Nine(L, 2);
    Items(L);
    L.CaptionFontColor = C(T->Text);
    L.HScrollBarName = u"hscrollbar";
    L.VScrollBarName = u"vscrollbar";
    L.BothScrollBarName = u"bothhscrollbar";

    auto& Tv = W.Control<TsfDataSkinTreeView>(u"treeview", u"treeview");
    Font(Tv, T->Text, 14);
    Tv.BGColor = C(T->Window);
    Tv.ExpandImageRect = P("tv.minus");
    Tv.NoExpandImageRect = P("tv.plus");

    auto& Tab = W.Control<TsfDataSkinTabControl>(u"tab", u"tab");
    Tab.SkinRect = P("tabpage");
    Nine(Tab, TRect{1, 1, 39, 39});
    Tab.TabRect = P("tab.n");
    Tab.ActiveTabRect = Tab.FocusTabRect = P("tab.a");
    Tab.MouseInTabRect = P("tab.h");
    Tab.TabLeftOffset = Tab.TabRightOffset = 5;
    Tab.TabStretchEffect = true;
    Font(Tab, T->Text, 14);
    Tab.ActiveFontColor = Tab.FocusFontColor = Tab.MouseInFontColor = C(T->Text);
    Tab.UpDown = u"hupdown";
    Tab.CloseButtonRect = P("tabx.n");
    Tab.CloseButtonActiveRect = P("tabx.h");
    Tab.CloseButtonDownRect = P("tabx.d");
    Tab.ButtonTransparent = true;
    Tab.ButtonTransparentColor = KeyColor;
}

}  // namespace

void DescribeSkin(const TSkinTheme& Theme, const TSkinArt& Art, TsfSkinData& Skin)
{
    T = &Theme;
    A = &Art;
    DescribeForm(Skin);
    DescribeWindows(Skin);
    TWriter W(Skin);
    WriteObjects(W);
    WriteButtons(W);
    WritePanels(W);
    WriteChoices(W);
    WriteScrolling(W);
    WriteEdits(W);
}
