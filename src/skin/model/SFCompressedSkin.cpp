#include "skin/model/SFCompressedSkin.h"

#include "framework/runtime/IniFiles.h"
#include "framework/runtime/SysUtils.h"
#include "framework/runtime/ZLibStreams.h"
#include "skin/model/SFIniCodecs.h"
#include "skin/model/SFSkinBody.h"
#include "skin/model/SFSkinData.h"

namespace {

void CompressBody(const TsfSkinBody& Body, TMemoryStream* Dest)
{
    TMemoryStream plain;
    WriteSkinBody(&plain, Body);
    Dest->Clear();
    ZCompressStream(&plain, Dest);
}

}  // namespace

TsfCompressedStoredSkin::TsfCompressedStoredSkin(TComponent* AOwner)
    : TComponent(AOwner), FCompressedStream(std::make_unique<TMemoryStream>())
{
}

TsfCompressedStoredSkin::~TsfCompressedStoredSkin() = default;

void TsfCompressedStoredSkin::LoadFromSkinData(TsfSkinData* ASkinData)
{
    FCompressedStream->Clear();
    CompressBody(ASkinData->MakeBody(), FCompressedStream.get());
}

void TsfCompressedStoredSkin::LoadFromIniFile(const String& AFileName)
{
    TStringList text;
    text.LoadFromFile(AFileName);
    TMemIniFile ini(u"");
    ini.SetStrings(&text);
    if (!IsSkinIniFile(&ini)) return;
    const String base = ExtractFilePath(AFileName);
    // Pictures are read before the old content goes: a missing file keeps it.
    TsfSkinBody body;
    TsfSkinPixelBudget budget;
    // Always BMP files on this road, whatever the name says.
    auto load = [&](const String& Name, TDibImage& Picture) {
        TFileStream file(base + Name, fmOpenRead | fmShareDenyWrite);
        ReadSkinPicture(&file, Picture, &budget);
    };
    for (Integer i = 0; i < FixedPictureCount; ++i) {
        const String name = ini.ReadString(u"PICTURES", SkinPictureKey(static_cast<TsfFixedPicture>(i)), u"");
        if (!name.empty()) load(name, body.Fixed[i]);
    }
    TStringList names;
    ReadIndexedList(&ini, u"PICTURES", u"activepictures", &names);
    for (Integer i = 0; i < names.Count(); ++i) load(names[i], body.Pictures.emplace_back());
    // The description's own bytes, unchanged.
    TMemoryStream raw;
    raw.LoadFromFile(AFileName);
    body.IniText.assign(static_cast<const char*>(raw.Memory()), static_cast<size_t>(raw.Size()));
    FCompressedStream->Clear();
    CompressBody(body, FCompressedStream.get());
}

void TsfCompressedStoredSkin::LoadFromCompressFile(const String& AFileName)
{
    FCompressedStream->Clear();
    TFileStream file(AFileName, fmOpenRead | fmShareDenyWrite);
    LoadFromCompressStream(&file);
}

void TsfCompressedStoredSkin::LoadFromCompressStream(TStream* Stream)
{
    FCompressedStream->Clear();
    Stream->SetPosition(0);
    const int32_t version = Stream->ReadValue<int32_t>();
    if (version > MaxSkinContainerVersion) return;
    const int32_t count = Stream->ReadValue<int32_t>();
    // Checked before anything is copied: a count of 0 would copy the whole
    // source (header included), and a count beyond the source would grow the
    // stored skin until the read fails.
    if (count <= 0)
        throw EReadError(u"The skin file holds no compressed skin (its byte count is " + IntToStr(count) + u")");
    if (count > Stream->Size() - Stream->Position()) throw EReadError(u"Stream read error");
    FCompressedStream->CopyFrom(Stream, count);
}

void TsfCompressedStoredSkin::SaveToCompressFile(const String& AFileName)
{
    if (Empty()) return;
    SaveFileAtomically(AFileName, [this](TStream* File) { SaveToCompressStream(File); });
}

void TsfCompressedStoredSkin::SaveToCompressStream(TStream* Stream)
{
    Stream->WriteValue<int32_t>(SkinContainerVersion);
    Stream->WriteValue<int32_t>(static_cast<int32_t>(FCompressedStream->Size()));
    FCompressedStream->SaveToStream(Stream);
}

void TsfCompressedStoredSkin::DeCompressToStream(TMemoryStream* S)
{
    ZDecompressStream(S, FCompressedStream.get());
}

void TsfCompressedStoredSkin::ReadCompressedData(TStream* Stream)
{
    FCompressedStream->Clear();
    // CopyFrom takes a count of 0 as "the whole source from its start".
    const Int64 rest = Stream->Size() - Stream->Position();
    if (rest > 0) FCompressedStream->CopyFrom(Stream, rest);
}

void TsfCompressedStoredSkin::WriteCompressedData(TStream* Stream)
{
    FCompressedStream->SaveToStream(Stream);
}

bool TsfCompressedStoredSkin::DesignTimeLoad() const
{
    return (ComponentState() & csDesigning) != 0 && (ComponentState() & csLoading) == 0;
}

void TsfCompressedStoredSkin::SetFileName(const String& Value)
{
    FFileName = Value;
    if (!DesignTimeLoad()) return;
    LoadFromIniFile(Value);
    FFileName = ExtractFileName(Value);
}

void TsfCompressedStoredSkin::SetCompressedFileName(const String& Value)
{
    FCompressedFileName = Value;
    if (!DesignTimeLoad()) return;
    LoadFromCompressFile(Value);
    FCompressedFileName = ExtractFileName(Value);
}

// ---------------------------------------------------------------------------
TsfSkinListItem::TsfSkinListItem(TCollection* Collection)
    : TCollectionItem(Collection), FSkin(std::make_unique<TsfCompressedStoredSkin>(nullptr))
{
    FName = u"sfSkin" + IntToStr(Index());
}

TsfSkinListItem::~TsfSkinListItem() = default;

void TsfSkinListItem::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TsfSkinListItem*>(Source);
    if (!src) {
        TCollectionItem::Assign(Source);
        return;
    }
    FDescription = src->FDescription;
    FFileName = src->FFileName;
    FCompressedFileName = src->FCompressedFileName;
    FName = src->FName;
    FSkin->SetDescription(src->FSkin->Description());
    FSkin->SetFileName(src->FSkin->FileName());
    FSkin->SetCompressedFileName(src->FSkin->CompressedFileName());
    TMemoryStream* data = src->FSkin->CompressedStream();
    data->SetPosition(0);
    FSkin->ReadCompressedData(data);
}

bool TsfSkinListItem::ListDesigning() const
{
    auto* items = static_cast<TsfSkinListItems*>(Collection());
    return items && items->SkinList() && (items->SkinList()->ComponentState() & csDesigning) != 0;
}

void TsfSkinListItem::SetDescription(const String& Value)
{
    FDescription = Value;
    FSkin->SetDescription(Value);
}

void TsfSkinListItem::SetFileName(const String& Value)
{
    FFileName = Value;
    if (!ListDesigning()) return;
    FSkin->LoadFromIniFile(Value);
    FFileName = ExtractFileName(Value);
}

void TsfSkinListItem::SetCompressedFileName(const String& Value)
{
    FCompressedFileName = Value;
    if (!ListDesigning()) return;
    FSkin->LoadFromCompressFile(Value);
    FCompressedFileName = ExtractFileName(Value);
}

TsfSkinListItems::TsfSkinListItems(TsfCompressedSkinList* ASkinList)
    : TCollection([](TCollection* C) -> TCollectionItem* { return new TsfSkinListItem(C); }), FSkinList(ASkinList)
{
}

TPersistent* TsfSkinListItems::Owner() const { return FSkinList; }

TsfCompressedSkinList::TsfCompressedSkinList(TComponent* AOwner)
    : TComponent(AOwner), FSkins(std::make_unique<TsfSkinListItems>(this))
{
}

TsfCompressedSkinList::~TsfCompressedSkinList() = default;
