#include "skin/controls/SkinListCore.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/runtime/SysUtils.h"

TsfListBarRange ListVerticalBar(Integer NMin, Integer NMax, Integer NPos, Integer ListHeight, Integer ItemHeight,
                                Integer Count)
{
    TsfListBarRange R;
    const Integer Page = ListHeight / SafeItemHeight(ItemHeight);
    if (NMin < NMax && NMax >= NPos && Page < Count) R = {true, NMin, NMax, Page, NPos};
    return R;
}

TsfListBarRange ListColumnsBar(Integer NMin, Integer NMax, Integer NPos, Integer Columns, Integer ListHeight,
                               Integer ItemHeight, Integer Count)
{
    TsfListBarRange R;
    const Integer Rows = ListHeight / SafeItemHeight(ItemHeight);
    if (NMin < NMax && NMax >= NPos && NMax >= Columns && Rows * Columns < Count)
        R = {true, NMin, NMax, Columns, NPos};
    return R;
}

Integer ListTextPage(Integer ListWidth, bool Skinned, Integer ItemTextWidth, Integer ItemWidth, Integer ImagesWidth)
{
    Integer Page = Skinned ? ListWidth + ItemTextWidth - ItemWidth : ListWidth - 4;
    if (ImagesWidth > 0) Page -= ImagesWidth + 4;
    return Page;
}

TsfListRows ListVisibleRows(Integer TopIndex, Integer Count, Integer Height, Integer ItemHeight, Integer Columns)
{
    TsfListRows R;
    const Integer IH = SafeItemHeight(ItemHeight);
    const Integer Rows = Height / IH;
    R.First = std::max<Integer>(TopIndex, 0);
    R.Last = std::min<Integer>(R.First + (Columns > 0 ? Rows * Columns : Rows), Count - 1);
    R.Rest = R.Last >= R.First && Columns <= 0 ? (R.Last - R.First + 1) * IH : 0;
    if (Columns > 0) R.Rest = Height;
    return R;
}

Integer ListCalcHeight(bool Skinned, Integer Count, Integer ItemHeight, bool CaptionMode, Integer CaptionHeight,
                       Integer SkinHeight, Integer ClientHeight, Integer HBarHeight)
{
    const Integer Items = Count * SafeItemHeight(ItemHeight);
    Integer H = Skinned ? SkinHeight - ClientHeight + Items : Items + 4 + (CaptionMode ? CaptionHeight : 0);
    return H + HBarHeight;
}

TsfListLayout ListLayout(const TsfListLayoutIn& In)
{
    TsfListLayout L;
    const Integer W = In.Width, H = In.Height;
    const Integer CH = In.CaptionHeight > 0 ? In.CaptionHeight : 1;
    const TRect& C = In.NewClRect;
    // The horizontal bar of a one-column list.
    Integer HH = 0;
    if (In.HBar && !In.Columns) {
        if (In.Skinned) {
            L.HBar = Rect(C.Left, C.Bottom - In.HBarHeight, C.Right, C.Bottom);
            HH = In.HBarHeight;
        } else {
            L.HBar = Rect(1, H - 20, W - 1, H - 1);
            HH = 19 - 1;
        }
    }
    if (In.MainBar) {
        if (!In.Skinned) {
            if (!In.Columns) {
                L.MainBar = Rect(W - 20, CH, W - 1, H - HH - 1);
                L.List = Rect(2, CH + 1, L.MainBar.Left, H - HH - 2);
            } else {
                L.MainBar = Rect(1, H - 20, W - 1, H - 1);
                L.List = Rect(2, CH + 1, W - 2, L.MainBar.Top);
            }
        } else if (!In.Columns) {
            L.MainBar = Rect(C.Right - In.MainBarWidth, C.Top, C.Right, C.Bottom - HH);
            L.List = Rect(C.Left, C.Top, C.Right - In.MainBarWidth, C.Bottom - HH);
        } else {
            L.MainBar = Rect(C.Left, C.Bottom - In.MainBarHeight, C.Right, C.Bottom);
            L.List = Rect(C.Left, C.Top, C.Right, C.Bottom - In.MainBarHeight);
        }
    } else {
        L.List = In.Skinned ? Rect(C.Left, C.Top, C.Right, C.Bottom - HH) : Rect(2, CH + 1, W - 2, H - 2 - HH);
    }
    return L;
}

std::vector<Integer> ListTabStops(const TStrings& Lines)
{
    std::vector<Integer> Stops;
    for (Integer i = 0; i < Lines.Count() && i < 10; ++i) {
        const String S = Lines.Strings(i);
        bool Digits = !S.empty() && S.size() <= 9;
        for (Char c : S) Digits = Digits && c >= u'0' && c <= u'9';
        Stops.push_back(Digits ? StrToInt(S) : 0);
    }
    return Stops;
}

namespace {

bool StartsWithText(const String& Item, const String& Prefix)
{
    return Item.size() >= Prefix.size() && AnsiSameText(Item.substr(0, Prefix.size()), Prefix);
}

}  // namespace

Integer FindItemPrefix(const TStrings& Items, const String& Prefix, Integer After)
{
    const Integer N = Items.Count();
    if (Prefix.empty() || N == 0) return -1;
    const Integer Start = After < 0 || After >= N ? 0 : After + 1;
    for (Integer k = 0; k < N; ++k) {
        const Integer i = (Start + k) % N;
        if (StartsWithText(Items.Strings(i), Prefix)) return i;
    }
    return -1;
}

Integer FindItemExact(const TStrings& Items, const String& Text)
{
    for (Integer i = 0; i < Items.Count(); ++i)
        if (Items.Strings(i) == Text) return i;
    return -1;
}

Integer FindItemText(const TStrings& Items, const String& Text)
{
    for (Integer i = 0; i < Items.Count(); ++i)
        if (AnsiSameText(Items.Strings(i), Text)) return i;
    return -1;
}

String TsfTypeAhead::Key(Char Key, Cardinal Now, bool AutoComplete)
{
    if (!AutoComplete) return String(1, Key);
    if (FAny && Now - FLastTime > 499) FFilter.clear();
    FAny = true;
    FLastTime = Now;
    FFilter += Key;
    return FFilter;
}

TsfComboEditKeyUp ComboEditKeyUp(Integer Key, Byte Charset, bool SysKey, bool AutoComplete)
{
    TsfComboEditKeyUp R;
    if (IsInputMethodCharset(Charset)) {
        if (Key == sfVK_DELETE || Key == sfVK_BACK) return R;
        R.ClearSelection = true;
        R.Complete = AutoComplete;
    } else if (!SysKey) {
        R.Complete = AutoComplete && Key >= '0';
    }
    return R;
}

TRect ComboItemCorners(const TRect& ItemTextRect, const TRect& Pic, const TRect& ItemRect, bool Shrink)
{
    TRect R = ItemTextRect;
    if (Shrink) R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    const Integer DW = Pic.Width() - ItemRect.Width(), DH = Pic.Height() - ItemRect.Height();
    if (DW < 0) R.Right += DW;
    if (DH < 0) R.Top += DH;
    return R;
}

bool TsfEditCompletion::Take(Cardinal Now)
{
    if (FAny && Now - FLastTime < 200) return false;
    FAny = true;
    FLastTime = Now;
    return true;
}

TsfComboKey ComboKey(Integer Key, bool Alt, bool Open, Integer ItemIndex, Integer Count, Integer DropDownCount)
{
    TsfComboKey K;
    auto Select = [&](Integer I) {
        if (Count > 0 && I != ItemIndex) K = {ckSelect, I};
    };
    switch (Key) {
    case sfVK_RETURN:
        if (Open) K.Action = ckAccept;
        break;
    case sfVK_ESCAPE:
        if (Open) K.Action = ckCancel;
        break;
    case sfVK_PRIOR:
        Select(std::max<Integer>(0, ItemIndex - DropDownCount - 1));
        break;
    case sfVK_NEXT:
        Select(std::min<Integer>(Count - 1, ItemIndex + DropDownCount - 1));
        break;
    case sfVK_UP:
    case sfVK_LEFT:
        if (Alt) {
            if (Open) K.Action = ckCancel;
        } else if (ItemIndex > 0) {
            Select(ItemIndex - 1);
        }
        break;
    case sfVK_DOWN:
    case sfVK_RIGHT:
        if (Alt) {
            if (!Open) K.Action = ckOpen;
        } else if (ItemIndex < Count - 1) {
            Select(ItemIndex + 1);
        }
        break;
    default:
        break;
    }
    return K;
}

TPoint ComboPopupOrigin(const TRect& Combo, Integer PopupHeight, const TRect& WorkArea)
{
    TPoint P{Combo.Left, Combo.Bottom};
    if (P.Y + PopupHeight > WorkArea.Bottom) P.Y = P.Y - Combo.Height() - PopupHeight;
    return P;
}

bool IsFontAllowed(TsfFontListOptions Options, Byte CharSet, Byte PitchAndFamily, Integer FontType)
{
    constexpr Byte Ansi = 0, Symbol = 2, Oem = 255;
    bool R = true;
    if (Options & foAnsiOnly) R = R && CharSet == Ansi;
    if (Options & foTrueTypeOnly) R = R && (FontType & sfTRUETYPE_FONTTYPE) != 0;
    if (Options & foFixedPitchOnly) R = R && (PitchAndFamily & 1) != 0;
    if (Options & foOEMFontsOnly) R = R && CharSet == Oem;
    if (Options & foNoOEMFonts) R = R && CharSet != Oem;
    if (Options & foNoSymbolFonts) R = R && CharSet != Symbol;
    if (Options & foScalableOnly) R = R && (FontType & sfRASTER_FONTTYPE) == 0;
    return R;
}

const std::vector<Integer>& TrueTypeFontSizes()
{
    static const std::vector<Integer> Sizes{8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    return Sizes;
}

Integer FontPoints(Integer Height, Integer InternalLeading, Integer PixelsPerInch)
{
    if (PixelsPerInch <= 0) return 0;
    return Integer(std::nearbyint(double(Height - InternalLeading) * 72.0 / PixelsPerInch));
}

void InsertFontSize(std::vector<Integer>& Sizes, Integer Points)
{
    auto It = std::lower_bound(Sizes.begin(), Sizes.end(), Points);
    if (It != Sizes.end() && *It == Points) return;
    Sizes.insert(It, Points);
}

Integer FontSizeOfText(const String& Text)
{
    if (Text.empty() || Text == u"-") return 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        const Char c = Text[i];
        if (c == u'-' ? i != 0 : (c < u'0' || c > u'9')) return 0;
    }
    Int64 V = 0;
    for (size_t i = Text[0] == u'-' ? 1 : 0; i < Text.size(); ++i) {
        V = V * 10 + (Text[i] - u'0');
        if (V > Int64(std::numeric_limits<Integer>::max())) return 0;
    }
    return Integer(Text[0] == u'-' ? -V : V);
}

// ---------------------------------------------------------------------------

void TsfHorzListCore::CalcItemRects(const TRect& Area, Integer BarHeight)
{
    RealMax = 0;
    ItemsRect = Area;
    ItemsRect.Bottom -= BarHeight;
    Integer X = ItemsRect.Left;
    for (auto& It : Items) {
        It.ItemRect = Rect(X - ScrollOffset, ItemsRect.Top, X + ItemWidth - ScrollOffset, ItemsRect.Bottom);
        const TRect& R = It.ItemRect;
        const bool Touches = R.Left < ItemsRect.Right && R.Right > ItemsRect.Left && R.Top < ItemsRect.Bottom &&
                             R.Bottom > ItemsRect.Top;
        It.IsVisible = Touches || (R.Left <= ItemsRect.Left && R.Right >= ItemsRect.Right);
        if (It.IsVisible) RealMax = R.Right;
        X += ItemWidth;
    }
    Max = X;
}

void TsfHorzListCore::GetScrollInfo(const TRect& Area, Integer BarHeight, Integer& AMin, Integer& AMax,
                                    Integer& APage, Integer& APosition)
{
    CalcItemRects(Area, BarHeight);
    AMin = 0;
    AMax = Max - ItemsRect.Left;
    APage = ItemsRect.Width();
    if (AMax <= APage) AMax = APage = 0;
    APosition = ScrollOffset;
}

void TsfHorzListCore::ScrollToItem(Integer Index, const TRect& Area, Integer BarHeight, Integer ControlWidth)
{
    CalcItemRects(Area, BarHeight);
    if (Index < 0 || Index >= Integer(Items.size())) return;
    const TRect R = Items[size_t(Index)].ItemRect;
    const Integer ULeft = R.Left + ScrollOffset, URight = R.Right + ScrollOffset;
    if (ItemsRect.Left >= R.Left) {
        ScrollOffset = ULeft - ItemsRect.Left;
        CalcItemRects(Area, BarHeight);
    } else if (R.Right >= ItemsRect.Right) {
        ScrollOffset = URight + ItemsRect.Left - ControlWidth + 1;
        CalcItemRects(Area, BarHeight);
    }
}

Integer TsfHorzListCore::ItemAtPos(Integer X, Integer Y) const
{
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i].Enabled && PtInRectX(Items[i].ItemRect, X, Y)) return Integer(i);
    return -1;
}

Integer TsfHorzListCore::FindUp(Integer ItemIndex) const
{
    if (ItemIndex < 1) return -1;
    for (Integer i = std::min<Integer>(ItemIndex, Integer(Items.size())) - 1; i >= 0; --i)
        if (Items[size_t(i)].Enabled) return i;
    return -1;
}

Integer TsfHorzListCore::FindDown(Integer ItemIndex) const
{
    for (Integer i = ItemIndex < 0 ? 0 : ItemIndex + 1; i < Integer(Items.size()); ++i)
        if (Items[size_t(i)].Enabled) return i;
    return -1;
}

namespace {

Integer PageItems(const TRect& Area, Integer ItemWidth)
{
    const Integer P = ItemWidth > 0 ? Area.Width() / ItemWidth : 0;
    return P > 0 ? P : 1;
}

}  // namespace

Integer TsfHorzListCore::FindPageUp(Integer ItemIndex) const
{
    if (ItemIndex < 1) return -1;
    const Integer P = PageItems(ItemsRect, ItemWidth);
    const Integer Last = std::min<Integer>(ItemIndex, Integer(Items.size())) - 1;
    for (Integer i = std::max<Integer>(0, ItemIndex - 1 - P); i <= Last; ++i)
        if (Items[size_t(i)].Enabled) return i;
    return -1;
}

Integer TsfHorzListCore::FindPageDown(Integer ItemIndex) const
{
    const Integer S = ItemIndex < 0 ? 0 : ItemIndex + 1;
    const Integer Last = Integer(Items.size()) - 1;
    if (S > Last) return -1;
    const Integer P = PageItems(ItemsRect, ItemWidth);
    for (Integer i = std::min<Integer>(S + P, Last); i >= S; --i)
        if (Items[size_t(i)].Enabled) return i;
    return -1;
}

bool TsfHorzListCore::WidthChanged(const TRect& Area, Integer BarHeight)
{
    CalcItemRects(Area, BarHeight);
    if (ItemsRect.Right < RealMax || ScrollOffset <= 0) return false;
    ScrollOffset = std::max<Integer>(0, ScrollOffset - (ItemsRect.Right - RealMax));
    CalcItemRects(Area, BarHeight);
    return true;
}

Integer TsfHorzListCore::CalcWidth(Integer Count, Integer ChromeWidth) const
{
    const Integer N = std::min<Integer>(Count, Integer(Items.size()));
    return N * ItemWidth + ChromeWidth;
}

Integer TreeButtonHalf(Integer ImagesSize, bool HavePictures, Integer ExpandPictureWidth)
{
    if (ImagesSize > 0) return ImagesSize / 2;
    if (!HavePictures) return 5;
    return ExpandPictureWidth / 2 - 2;
}

Byte TreeFadeAlpha(Integer I, Integer Length)
{
    const Integer Half = Length / 2;
    if (I < Half || Half <= 0) return 255;
    const Integer Step = Integer(std::lround(255.0 / Half));
    return Byte(std::max<Integer>(0, 255 - (I - Half + 1) * Step));
}
