#include "foundation/HyFileUtils.h"

String ExtractFileBaseName(const String& FileName)
{
    const String Name = ExtractFileName(FileName);
    return Name.substr(0, Name.size() - ExtractFileExt(Name).size());
}

String ExtractFileExtNoDot(const String& FileName)
{
    const String Ext = ExtractFileExt(FileName);
    return Ext.empty() ? Ext : Ext.substr(1);
}

std::unique_ptr<TStringList> GetFileList(const String& Folder, const String& Ext, bool WithFolder)
{
    // Read-only, volume, archive, 0x40, normal and temporary files: no
    // folders, hidden or system files.
    constexpr Integer Wanted = 0x1E9;
    // Windows also matches a pattern's three-letter extension against the
    // short names of longer ones ("*.dat" finds "x.data"): such names are
    // left out, so the list is the same on every file system.
    const bool ExactExt = Ext.find_first_of(u"*?") == String::npos;
    try {
        auto List = std::make_unique<TStringList>();
        TSearchRec F;
        if (FindFirst(Folder + u"*." + Ext, Wanted, F) == 0) {
            struct TCloser {
                TSearchRec& F;
                ~TCloser() { FindClose(F); }
            } Closer{F};
            do {
                if ((F.Attr & Wanted) != 0 && F.Name != u"." && F.Name != u".." &&
                    (!ExactExt || SameText(ExtractFileExtNoDot(F.Name), Ext)))
                    List->Add(WithFolder ? Folder + F.Name : F.Name);
            } while (FindNext(F) == 0);
        }
        return List;
    } catch (const Exception&) {
        return nullptr;
    }
}

Int64 GetFileSizeByName(const String& FileName)
{
    if (!FileExists(FileName)) return -1;
    TFileStream File(FileName, fmOpenRead | fmShareDenyNone);
    return File.Size();
}

bool CopyFileNoOverwrite(const String& Source, const String& Target)
{
    if (FileExists(Target) || !FileExists(Source)) return false;
    try {
        TMemoryStream Data;
        Data.LoadFromFile(Source);
        Data.SaveToFile(Target);  // whole or not at all
        return true;
    } catch (const Exception&) {
        return false;
    }
}
