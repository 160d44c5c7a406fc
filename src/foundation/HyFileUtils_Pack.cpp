#include "foundation/HyFileUtils_Pack.h"

#include <vector>

#include "foundation/Global.h"
#include "foundation/HyCrypUtils.h"
#include "framework/runtime/SysUtils.h"
#include "framework/runtime/ZLibStreams.h"

namespace {

constexpr uint8_t ShortKeyMark = 0x0A;
constexpr uint8_t NoSuffixMark = 0x14;
constexpr Integer KeyMarkLength = 20;
constexpr Integer SuffixLength = 8;
constexpr Integer LongKey = 10;

// Cells of an index row.
constexpr Integer cFolder = 0, cName = 1, cPacked = 2, cSize = 3, cFlat = 4, cFromParent = 5;

// The sub-folder of the shared documents where development tools keep packages.
const char16_t* const ThirdSubFolder = u"Quorvan\\Packages\\";

String ResolveTokens(const String& Folder)
{
    String R = StringReplace(Folder, u"$System$", SystemFolder, rfReplaceAll | rfIgnoreCase);
    return StringReplace(R, u"$Third$", FilePackThirdFolder(), rfReplaceAll | rfIgnoreCase);
}

bool CellBool(const TRow* Row, Integer Index)
{
    return Row->ItemCount() > Index && Row->GetItem(Index)->AsBool();
}

// The whole file compressed at the highest level.
void PackFileBlob(const String& FileName, TMemoryStream& Blob, Int64& Size)
{
    TMemoryStream Source;
    {
        TFileStream F(FileName, fmOpenRead | fmShareDenyWrite);
        Size = F.Size();
        if (Size > MaxPackEntrySize)
            throw EInvalidArgument(Format(u"The file %s is too large to pack", {FileName}));
        Source.CopyFrom(&F, 0);
    }
    ZCompressStream(&Source, &Blob);
}

AnsiString KeyMarker(const String& Key)
{
    if (Key.size() < size_t(LongKey)) return AnsiString(1, char(ShortKeyMark));
    AnsiString Mark = StringToAnsi(Copy(Key, 1, LongKey)) +
                      StringToAnsi(Copy(Key, Integer(Key.size()) - LongKey + 1, LongKey));
    if (Mark.size() != size_t(KeyMarkLength))
        throw EInvalidArgument(u"A pack key must be single-byte text in the system's code page");
    return Mark;
}

AnsiString SuffixMarker(const String& Suffix)
{
    if (Suffix.empty()) return AnsiString(1, char(NoSuffixMark));
    AnsiString Mark = StringToAnsi(Suffix);
    if (Mark.size() != size_t(SuffixLength))
        throw EInvalidArgument(u"A pack suffix must be 8 bytes in the system's code page");
    return Mark;
}

void WriteAnsi(TStream& S, const AnsiString& A)
{
    if (!A.empty()) S.WriteBuffer(A.data(), Integer(A.size()));
}

// ---------------------------------------------------------------------------
// Reading

struct TEntry {
    String Folder;  // where the file goes, with a trailing "\"
    String Name;    // the file name alone
    Integer Packed = 0;
    Integer Size = 0;
};

bool ReservedChar(Char C)
{
    return C < 32 || C == u'<' || C == u'>' || C == u':' || C == u'"' || C == u'|' || C == u'?' || C == u'*';
}

// A single path component that stays where it is put.
bool SafeComponent(const String& C)
{
    if (C.empty() || C == u"." || C == u"..") return false;
    for (Char Ch : C)
        if (ReservedChar(Ch)) return false;
    // Trailing dots and blanks are dropped by the file system, which would
    // turn "..." or ". " into something else.
    return C.back() != u'.' && C.back() != u' ';
}

// A stored folder relative to the destination, as "a\b\" (empty for the
// destination itself); false when it is absolute or climbs out.
bool SafeRelativeFolder(String Folder, String& Out)
{
    Out.clear();
    for (Char& C : Folder)
        if (C == u'/') C = u'\\';
    if (!Folder.empty() && Folder[0] == u'\\') return false;
    size_t Start = 0;
    while (Start < Folder.size()) {
        size_t End = Folder.find(u'\\', Start);
        if (End == String::npos) End = Folder.size();
        const String Part = Folder.substr(Start, End - Start);
        if (!Part.empty() && Part != u".") {
            if (!SafeComponent(Part)) return false;
            Out += Part;
            Out += u'\\';
        }
        Start = End + 1;
    }
    return true;
}

bool ReadInt(const TRow* Row, Integer Index, Integer& Value)
{
    return Row->ItemCount() > Index && TryStrToInt(Row->GetItem(Index)->Text(), Value);
}

// The index rows as entries; false when any row is unusable.
bool CheckIndex(const TDataTable& Index, const String& DestFolder, Int64 BlobArea, std::vector<TEntry>& Entries)
{
    Int64 Packed = 0, Total = 0;
    for (Integer i = 0; i < Index.ItemCount(); ++i) {
        const TRow* Row = Index.GetItem(i);
        TEntry E;
        if (!ReadInt(Row, cPacked, E.Packed) || !ReadInt(Row, cSize, E.Size)) return false;
        if (E.Packed < 0 || E.Size < 0 || E.Size > MaxPackEntrySize) return false;
        Packed += E.Packed;
        Total += E.Size;
        if (Packed > BlobArea || Total > MaxPackTotalSize) return false;

        bool Flat = false;
        if (Row->ItemCount() > cFlat && !TryStrToBool(Row->GetItem(cFlat)->Text(), Flat)) {
            // An empty cell reads as false, as the table store reads it.
            if (!Row->GetItem(cFlat)->Text().empty()) return false;
        }
        const String Folder = Row->GetItem(cFolder)->Text();
        if (Flat)
            E.Folder = DestFolder;
        else {
            // Token folders point outside the destination: never followed.
            if (!Folder.empty() && Folder[0] == u'$') return false;
            String Relative;
            if (!SafeRelativeFolder(Folder, Relative)) return false;
            E.Folder = DestFolder + Relative;
        }
        String Name = Row->ItemCount() > cName ? Row->GetItem(cName)->Text() : String();
        for (Char& C : Name)
            if (C == u'/') C = u'\\';
        // Only the last part counts; a drive or stream colon anywhere refuses it.
        if (Name.find(u':') != String::npos) return false;
        Name = Name.substr(Name.rfind(u'\\') + 1);
        if (!SafeComponent(Name)) return false;
        E.Name = Name;
        Entries.push_back(E);
    }
    return true;
}

// Inflates Packed bytes of the pack into Out, at most Size bytes.
void InflateBlob(TStream& Pack, Integer Packed, Integer Size, std::vector<uint8_t>& Out)
{
    Out.clear();
    if (Packed == 0) return;
    std::vector<uint8_t> Blob(static_cast<size_t>(Packed));
    Pack.ReadBuffer(Blob.data(), Packed);
    TMemoryStream Source;
    Source.WriteBuffer(Blob.data(), Packed);
    Source.SetPosition(0);
    TDecompressionStream Z(&Source);
    Out.resize(static_cast<size_t>(Size));
    size_t Got = 0;
    while (Got < Out.size()) {
        const Integer Want = Integer(std::min<size_t>(Out.size() - Got, 1 << 20));
        const Integer N = Z.Read(Out.data() + Got, Want);
        if (N <= 0) break;
        Got += size_t(N);
    }
    Out.resize(Got);
}

// Writes the bytes beside FileName first, so that a failed write never leaves
// a half-written file in its place.
void WriteWholeFile(const String& FileName, const std::vector<uint8_t>& Bytes)
{
    SaveFileAtomically(FileName, [&](TStream* F) {
        if (!Bytes.empty()) F->WriteBuffer(Bytes.data(), Integer(Bytes.size()));
    });
}

}  // namespace

String FilePackThirdFolder()
{
    // The program runs on Windows 7 or later, where the shared documents live
    // under "Users\Public".
    const String Drive = WindowsFolder.empty() ? String(u"C") : WindowsFolder.substr(0, 1);
    return Drive + u":\\Users\\Public\\Documents\\" + ThirdSubFolder;
}

void WriteFilePack(const String& PackFile, const String& SourceFolder, const String& Key, TDataTable* Table,
                   const String& Suffix, const TPackIndexCipher& Cipher)
{
    const AnsiString KeyMark = KeyMarker(Key);
    const AnsiString SuffixMark = SuffixMarker(Suffix);
    // 'C:\a\b\' gives 'C:\a\'.
    const String Trimmed = SourceFolder.empty() ? String() : SourceFolder.substr(0, SourceFolder.size() - 1);
    const size_t Slash = Trimmed.rfind(u'\\');
    const String ParentFolder = Slash == String::npos ? String() : Trimmed.substr(0, Slash + 1);

    SaveFileAtomically(PackFile, [&](TStream* Pack) {
        for (Integer i = 0; i < Table->ItemCount(); ++i) {
            TRow* Row = Table->GetItem(i);
            while (Row->ItemCount() <= cSize) Row->AddItem(String());
            String Folder = Row->GetItem(cFolder)->Text();
            if (!Folder.empty() && Folder[0] == u'$')
                Folder = ResolveTokens(Folder);
            else
                Folder = (CellBool(Row, cFromParent) ? ParentFolder : SourceFolder) + Folder;
            TMemoryStream Blob;
            Int64 Size = 0;
            PackFileBlob(Folder + Row->GetItem(cName)->Text(), Blob, Size);
            Row->GetItem(cSize)->SetValue(Integer(Size));
            Row->GetItem(cPacked)->SetValue(Integer(Blob.Size()));
            if (Blob.Size() > 0) Pack->WriteBuffer(Blob.Memory(), Integer(Blob.Size()));
        }
        const String IndexText = Table->ToString(true);
        const String Salted = Cipher ? Cipher(IndexText, Key) : PwdEncryptStr(IndexText, Key, 0, 0);
        // The salted text is printable ASCII.
        const AnsiString Bytes(Salted.begin(), Salted.end());
        WriteAnsi(*Pack, Bytes);
        Pack->WriteValue<int32_t>(int32_t(Bytes.size()));
        WriteAnsi(*Pack, KeyMark);
        WriteAnsi(*Pack, SuffixMark);
        Pack->WriteValue<uint8_t>(Key.size() < size_t(LongKey) ? 2 : 1);
    });
}

bool ReadFilePack(const String& PackFile, const String& DestFolder, const String& Key,
                  const TPackProgressEvent& OnProgress)
{
    if (!DirectoryExists(DestFolder)) ForceDirectories(DestFolder);
    const String Dest = IncludeTrailingPathDelimiter(DestFolder);
    TFileStream Pack(PackFile, fmOpenRead | fmShareDenyWrite);
    const Int64 E = Pack.Size();
    // The shortest trailer: L and three one-byte marks.
    if (E < 7) return false;

    Int64 P = -1;
    Pack.SetPosition(E - 2);
    P -= Pack.ReadValue<uint8_t>() == NoSuffixMark ? 1 : SuffixLength;
    if (E + P - 1 < 0) return false;
    Pack.SetPosition(E + P - 1);
    P -= Pack.ReadValue<uint8_t>() == ShortKeyMark ? 1 : KeyMarkLength;
    if (E + P - 4 < 0) return false;
    Pack.SetPosition(E + P - 4);
    const Int64 L = Pack.ReadValue<int32_t>();
    const Int64 BlobArea = E + P - 4 - L;
    if (L <= 0 || L >= E || BlobArea < 0) return false;

    AnsiString Text(static_cast<size_t>(L), '\0');
    Pack.SetPosition(BlobArea);
    Pack.ReadBuffer(Text.data(), Integer(L));
    const String Plain = PwdDecryptStr(AnsiToString(Text), Key);
    if (Plain.empty()) return false;
    TDataTable Index(String(), ColumnSet({cName}));
    Index.Init(Plain);

    std::vector<TEntry> Entries;
    if (!CheckIndex(Index, Dest, BlobArea, Entries)) return false;

    Int64 Total = 0;
    for (const TEntry& En : Entries) Total += En.Size;
    Int64 Done = 0;
    bool AllWritten = true;
    Pack.SetPosition(0);
    std::vector<uint8_t> Bytes;
    for (const TEntry& En : Entries) {
        InflateBlob(Pack, En.Packed, En.Size, Bytes);
        if (Bytes.size() == size_t(En.Size)) {
            if (!DirectoryExists(En.Folder)) ForceDirectories(En.Folder);
            WriteWholeFile(En.Folder + En.Name, Bytes);
        } else
            AllWritten = false;
        Done += En.Size;
        if (OnProgress && Total > 0) OnProgress(Round(Extended(Done) / Extended(Total) * 100));
    }
    return AllWritten;
}
