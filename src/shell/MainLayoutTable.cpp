#include "shell/MainLayoutTable.h"

namespace {

using K = TMainPartKind;
using A = TMainPartAlign;
namespace S = MainLayoutSize;

// Docked parts first (outermost first), the canvas last so that it takes
// what is left; floating parts after.
const std::vector<TMainPart> Parts = {
    // The top bar: the tool's property panels, the style strip and the
    // right-panel switch.
    {u"pnlProp", nullptr, K::Panel, A::Top, 0, 0, 0, S::PropHeight, true},
    {u"pnlShape", u"pnlProp", K::Panel, A::None, S::LeftWidth, 0, 340, S::PropHeight, true},
    {u"pnlStyles", u"pnlProp", K::Panel, A::None, S::LeftWidth + 343, 0, 480, S::PropHeight, true},
    {u"pnlStyleC", u"pnlStyles", K::Panel, A::Right, 0, 0, S::StyleButtonsWidth, 0, true},
    {u"pnlStyleContainer", u"pnlStyles", K::Panel, A::Client, 0, 0, 0, 0, true},
    {u"pnlStyle", u"pnlStyleContainer", K::Panel, A::None, 0, 0, 454, S::PropHeight, true},
    {u"pnlShowRight", u"pnlProp", K::Panel, A::None, 850, 0, S::ShowRightWidth, S::PropHeight, true},
    // The status bar at the very bottom, the open-documents strip above it.
    {u"pnlStatus", nullptr, K::Panel, A::Bottom, 0, 0, 0, S::StatusHeight, true},
    {u"lblMsg1", u"pnlStatus", K::Label, A::Left, 0, 0, S::MsgLabelWidth, 0, true},
    {u"lblARGB", u"pnlStatus", K::Label, A::Right, 0, 0, 160, 0, true},
    {u"lblXY", u"pnlStatus", K::Label, A::Right, 0, 0, 90, 0, true},
    {u"bevelARGB", u"pnlStatus", K::Bevel, A::Right, 0, 0, 4, 0, true},
    {u"lblImageBits", u"pnlStatus", K::Label, A::Right, 0, 0, 40, 0, true},
    {u"lblImageSize", u"pnlStatus", K::Label, A::Right, 0, 0, 110, 0, true},
    {u"lblMessage", u"pnlStatus", K::MsgText, A::Client, 0, 0, 0, 0, true},
    {u"pnlOpenFile", nullptr, K::Panel, A::Bottom, 0, 0, 0, S::OpenFileHeight, true},
    {u"pnlOpenFileRight", u"pnlOpenFile", K::Panel, A::Right, 0, 0, 40, 0, true},
    {u"boxOpenFile", u"pnlOpenFile", K::ScrollBox, A::Client, 0, 0, 0, 0, true},
    // The tools on the left, the presets on the right.
    {u"pnlLeft", nullptr, K::Panel, A::Left, 0, 0, S::LeftWidth, 0, true},
    {u"pnlTools", u"pnlLeft", K::Panel, A::None, 0, 0, S::LeftWidth, 152, true},
    {u"pnlSelection", u"pnlLeft", K::Panel, A::None, 0, 154, S::LeftWidth, 152, true},
    {u"pnlMagicTools", u"pnlLeft", K::Panel, A::None, 0, 308, S::LeftWidth, 212, true},
    {u"lblLink", u"pnlLeft", K::LinkLabel, A::None, 2, 440, S::LeftWidth - 4, 18, false},
    {u"pnlRight", nullptr, K::Panel, A::Right, 0, 0, S::RightWidth, 0, true},
    {u"pnlThumb", u"pnlRight", K::Panel, A::Client, 0, 0, 0, 0, true},
    // The canvas with its rulers (made by the rulers' own code).
    {u"pnlImage", nullptr, K::Panel, A::Client, 0, 0, 0, 0, true},
    {u"Image", u"pnlImage", K::ImageView, A::Client, 0, 0, 0, 0, true},
    // The floating text panel, placed by the settings.
    {u"pnlText", nullptr, K::Panel, A::None, 0, 0, 220, 170, false},
    // The tools' option panels: shown by the tool, placed on the bar between
    // the tool's panel and the styles.
    {u"pnlPropPencil", u"pnlProp", K::Panel, A::None, 0, 0, 120, S::PropHeight, false},
    {u"pnlPropFill", u"pnlProp", K::Panel, A::None, 0, 0, 150, S::PropHeight, false},
    {u"pnlPropSelection0", u"pnlProp", K::Panel, A::None, 0, 0, 188, S::PropHeight, false},
    {u"pnlPropPolygon", u"pnlProp", K::Panel, A::None, 0, 0, 60, S::PropHeight, false},
    {u"pnlPropFreeShape", u"pnlProp", K::Panel, A::None, 0, 0, 190, S::PropHeight, false},
};

}  // namespace

const std::vector<TMainPart>& MainLayoutParts() { return Parts; }

const TMainPart* FindMainPart(const String& Name)
{
    for (const TMainPart& P : Parts)
        if (Name == P.Name) return &P;
    return nullptr;
}
