// Fuzz target of the skin folder readers: the input is a folder's files, cut
// at every "\n--\n" line: the description "skin.ini", then the pictures
// "a.bmp", "b.bmp" ... it may name. The model reads the folder
// (TsfSkinData::LoadFromFile), the stored skin packs it
// (TsfCompressedStoredSkin::LoadFromIniFile). A folder the model reads is
// written by StoreToDisk into another folder, which reads back to the same
// pictures and descriptions; one the stored skin packs loads from the pack.
#include <algorithm>
#include <string>

#include "FuzzSupport.h"
#include "framework/runtime/SysUtils.h"
#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFSkinData.h"

namespace {

bool SamePictures(const TsfSkinContent& A, const TsfSkinContent& B)
{
    if (A.FActivePictures.size() != B.FActivePictures.size()) return false;
    for (size_t i = 0; i < A.FActivePictures.size(); ++i) {
        const TDibImage &P = A.FActivePictures[i], &Q = B.FActivePictures[i];
        if (P.Width != Q.Width || P.Height != Q.Height || P.PixelFormat != Q.PixelFormat) return false;
    }
    return true;
}

void Clear(const String& Dir)
{
    TSearchRec R;
    if (FindFirst(Dir + u"*", faAnyFile, R) == 0) {
        do
            if (R.Name != u"." && R.Name != u"..") DeleteFile(Dir + R.Name);
        while (FindNext(R) == 0);
        FindClose(R);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size > 65536) return 0;
    const String In = FuzzScratch().Path() + u"in\\", Out = FuzzScratch().Path() + u"out\\";
    ForceDirectories(In);
    ForceDirectories(Out);
    Clear(In);
    Clear(Out);
    const std::string Bytes(reinterpret_cast<const char*>(Data), Size), Cut = "\n--\n";
    size_t At = 0;
    for (Integer i = 0; At <= Bytes.size() && i < 8; ++i) {
        const size_t End = std::min(Bytes.find(Cut, At), Bytes.size());
        const String Name = i == 0 ? String(u"skin.ini") : String(1, static_cast<char16_t>(u'a' + i - 1)) + u".bmp";
        FuzzWriteFile(In + Name, Data + At, End - At);
        At = End + Cut.size();
    }

    TsfSkinData Model(nullptr);
    Model.BuildMode = true;
    const bool Read = Model.LoadFromFile(In + u"skin.ini");
    if (Read) {
        FuzzCheck(!Model.Empty, "a folder read left the model empty");
        Model.StoreToDisk(Out + u"skin.ini");
        TsfSkinData Again(nullptr);
        Again.BuildMode = true;
        FuzzCheck(Again.LoadFromFile(Out + u"skin.ini"), "a stored folder does not read back");
        FuzzCheck(SamePictures(Model, Again), "a stored folder reads back other pictures");
        FuzzCheck(Again.CtrlList.size() == Model.CtrlList.size() && Again.ObjectList.size() == Model.ObjectList.size(),
                  "a stored folder reads back other descriptions");
    } else {
        FuzzCheck(Model.Empty, "a refused folder left a skin");
    }

    TsfCompressedStoredSkin Stored(nullptr);
    try {
        Stored.LoadFromIniFile(In + u"skin.ini");
    } catch (const Exception&) {
        FuzzCheck(Stored.Empty(), "a refused folder left a pack");
        return 0;
    }
    if (Stored.Empty() || !Read) return 0;
    TsfSkinData FromPack(nullptr);
    FromPack.BuildMode = true;
    FuzzCheck(FromPack.LoadCompressedStoredSkin(&Stored), "a packed folder that the model reads does not load");
    FuzzCheck(SamePictures(Model, FromPack), "a packed folder loads other pictures");
    return 0;
}
