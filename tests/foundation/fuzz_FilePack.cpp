// Fuzz target of the file pack reader. The first byte chooses the form of
// the rest: the pack file as it is, or an index text and the blob area from
// which the target makes a pack with the writer's own trailer and salted
// index (so that the fuzzer reaches the index checks and the unpacking
// behind the cipher). Whatever the pack says, nothing may be written outside
// the destination folder and no temporary file may be left.
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "foundation/HyCrypUtils.h"
#include "foundation/HyFileUtils_Pack.h"
#include "framework/runtime/ZLibStreams.h"

namespace {

// The pack with the writer's trailer: salted index, its length, a short-key
// mark, no suffix.
void MakePack(const String& FileName, const uint8_t* Data, size_t Size)
{
    const uint8_t* Split = static_cast<const uint8_t*>(std::memchr(Data, 0, Size));
    const size_t IndexBytes = Split ? static_cast<size_t>(Split - Data) : Size;
    const String Index = UTF8ToString(std::string(reinterpret_cast<const char*>(Data), IndexBytes));
    const String Salted = PwdEncryptStr(Index, String(), 0, 0);
    const std::string SaltedBytes(Salted.begin(), Salted.end());
    TFileStream Pack(FileName, fmCreate);
    if (Split && Size > IndexBytes + 1) Pack.WriteBuffer(Split + 1, static_cast<Integer>(Size - IndexBytes - 1));
    if (!SaltedBytes.empty()) Pack.WriteBuffer(SaltedBytes.data(), static_cast<Integer>(SaltedBytes.size()));
    Pack.WriteValue<int32_t>(static_cast<int32_t>(SaltedBytes.size()));
    const uint8_t Trailer[3] = {0x0A, 0x14, 2};
    Pack.WriteBuffer(Trailer, 3);
}

bool IsSaveTemporary(const String& Name)
{
    return Name.size() > 14 && Name[0] == u'~' && Name.compare(Name.size() - 4, 4, u".tmp") == 0;
}

// Files under Folder: how many, and whether one is a save's temporary.
void Survey(const String& Folder, Integer& Files, bool& Temporary)
{
    TSearchRec F;
    if (FindFirst(Folder + u"*", faAnyFile, F) != 0) return;
    do {
        if (F.Name == u"." || F.Name == u"..") continue;
        if (F.Attr & faDirectory) {
            Survey(Folder + F.Name + u"\\", Files, Temporary);
        } else {
            ++Files;
            Temporary = Temporary || IsSaveTemporary(F.Name);
        }
    } while (FindNext(F) == 0);
    FindClose(F);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    const String PackFile = FuzzScratch() / u"pack.dat";
    const String Root = FuzzScratch() / u"root\\";
    const String Dest = Root + u"a\\dest\\";
    if (Data[0] & 1) MakePack(PackFile, Data + 1, Size - 1);
    else FuzzWriteFile(PackFile, Data + 1, Size - 1);
    try {
        ReadFilePack(PackFile, Dest, (Data[0] & 2) ? String(u"key") : String(), nullptr);
    } catch (const EStreamError&) {
        // A pack shorter than its trailer says: the stream's own error.
    } catch (const EDecompressionError&) {
        // A damaged blob: raised, as documented, with nothing half written.
    }
    Integer InRoot = 0, InDest = 0;
    bool TempInRoot = false, TempInDest = false;
    Survey(Root, InRoot, TempInRoot);
    Survey(Dest, InDest, TempInDest);
    FuzzCheck(InRoot == InDest, "a file was written outside the destination");
    FuzzCheck(!TempInRoot, "a temporary file was left");
    TTempFolder::RemoveTree(Root);
    return 0;
}
