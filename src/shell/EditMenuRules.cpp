#include "shell/EditMenuRules.h"

namespace {

TMenuMark Mark(bool B) { return B ? TMenuMark::On : TMenuMark::Off; }
// Set only while the item shows; a hidden item keeps its mark.
TMenuMark MarkIfShown(bool Visible, bool B) { return Visible ? Mark(B) : TMenuMark::Keep; }

}  // namespace

std::vector<TEditMenuItemState> EditMenuRules(const TEditMenuInput& In)
{
    const bool C = In.Crop, S = In.Selection, B = In.SelectionBitmap, Objects = In.Selected > 0;
    const TMenuMark K = TMenuMark::Keep;
    const bool CopyEnabled = Objects || S;
    const bool SelectAllObjectsShown = !C && !S, SelectAllObjectsEnabled = In.Editable > 0;
    const bool ImageSelectShown = !Objects && !C;
    return {
        {u"muCreateNewImage", S && !B, K, K},
        {u"muCrop", C || (S && !B), MarkIfShown(C || (S && !B), In.CropEnabled), K},
        {u"muCut", !C, Mark(Objects || (S && !B)), K},
        {u"muCopy", !C, Mark(CopyEnabled), K},
        {u"muCopyMerged", S && !B, K, K},
        {u"muPaste", !C, Mark(In.PasteEnabled), K},
        {u"muDelete", !C, Mark(CopyEnabled), K},
        {u"muSelectAllObjects", SelectAllObjectsShown, Mark(SelectAllObjectsEnabled), K},
        {u"muFlattenAll", SelectAllObjectsShown && SelectAllObjectsEnabled, K, K},
        {u"muSelectSameType", Objects, K, K},
        {u"muOrder", Objects, K, K},
        {u"muAlign", Objects, K, K},
        {u"muFlatten", Objects, K, K},
        {u"muSelectImageAll", ImageSelectShown, MarkIfShown(ImageSelectShown, !B), K},
        {u"muSelectImageInvert", ImageSelectShown, MarkIfShown(ImageSelectShown, S && !B), K},
        {u"muSaveCropSize", C, K, K},
        {u"muLoadCropSize", C, K, K},
        {u"muSaveSelection", ImageSelectShown, Mark(S), K},
        {u"muLoadSelection", ImageSelectShown, Mark(In.SavedSelections && !S), K},
        {u"muGuides", !Objects && !C && !S, K, K},
        {u"muCropRestrainRatio", C, K, Mark(In.CropRatioIndex > 0)},
        {u"muCropOriginalRatio", C, K, Mark(In.CropRatioIndex == 0)},
        {u"muCropNoRestraint", C, K, Mark(In.CropRatioIndex == -1)},
        {u"muFlip", In.BitmapObject, K, K},
        {u"muReplaceBy", In.BitmapObject, K, K},
        {u"muCopyToClipboard", false, K, K},
        {u"muCopyProperty", Objects, K, K},
        {u"muPasteProperty", Objects, Mark(Objects && In.PastePropEnabled), K},
    };
}
