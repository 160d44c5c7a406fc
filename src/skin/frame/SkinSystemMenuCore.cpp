#include "skin/frame/SkinSystemMenuCore.h"

namespace {

bool RollUpShown(const TsfSysMenuState& S)
{
    return S.RollUp && !S.RolledUp && S.State != sfwsMinimized && !S.MaximizedMDIChild;
}

bool RestoreShown(const TsfSysMenuState& S) { return S.State != sfwsNormal || S.RolledUp; }

}  // namespace

std::vector<std::u16string> SysMenuItemNames(const TsfSysMenuState& S)
{
    std::vector<std::u16string> N;
    if (S.Minimize && S.State != sfwsMinimized) N.push_back(u"DSF_MINITEM");
    if (S.Maximize && S.State != sfwsMaximized) N.push_back(u"DSF_MAXITEM");
    if (RestoreShown(S)) N.push_back(u"DSF_RESTORE");
    if (RollUpShown(S)) N.push_back(u"DSF_ROLLUP");
    if (S.MinimizeToTray) N.push_back(u"DSF_MINTOTRAY");
    if (!N.empty()) N.push_back(u"-");
    N.push_back(u"DSF_CLOSE");
    return N;
}

std::vector<std::u16string> SysMenuMergedNames(const TsfSysMenuState& S)
{
    // Each is inserted at the top in turn, so the last one ends first.
    std::vector<std::u16string> Inserted;
    if (S.MinimizeToTray) Inserted.push_back(u"DSF_MINTOTRAY");
    if (RollUpShown(S)) Inserted.push_back(u"DSF_ROLLUP");
    if (S.Maximize && S.State != sfwsMaximized) Inserted.push_back(u"DSF_MAXITEM");
    if (RestoreShown(S)) Inserted.push_back(u"DSF_RESTORE");
    if (S.Minimize && S.State != sfwsMinimized) Inserted.push_back(u"DSF_MINITEM");
    return {Inserted.rbegin(), Inserted.rend()};
}

bool IsStandardSysMenuName(const std::u16string& Name)
{
    for (const char16_t* S : {u"DSF_MINITEM", u"DSF_MAXITEM", u"DSF_RESTORE", u"DSF_ROLLUP", u"DSF_MINTOTRAY", u"DSF_CLOSE"})
        if (Name == S) return true;
    return false;
}
