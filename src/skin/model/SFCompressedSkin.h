// SFCompressedSkin: a skin kept compressed in memory (TsfCompressedStoredSkin),
// the ".skn" file that wraps it, and the skin list component with its items.
// A ".skn" file is int32 container version (written as 2, read up to 3),
// int32 byte count C, then C bytes of one zlib stream holding the skin body
// (SFSkinBody). Portable; the same bytes in every build.
#pragma once

#include <memory>

#include "framework/runtime/Classes.h"

class TsfSkinData;

constexpr Integer SkinContainerVersion = 2;
constexpr Integer MaxSkinContainerVersion = 3;

class TsfCompressedStoredSkin : public TComponent {
public:
    explicit TsfCompressedStoredSkin(TComponent* AOwner);
    ~TsfCompressedStoredSkin() override;
    String ClassName() const override { return u"TsfCompressedStoredSkin"; }

    // Builds a body from the model (layout version 2) and compresses it.
    void LoadFromSkinData(TsfSkinData* ASkinData);
    // Builds a body from a skin description file and the BMP files beside it;
    // a file that is not a skin description leaves the content as it was.
    void LoadFromIniFile(const String& AFileName);
    // The content is cleared first. A container version above 3 leaves it
    // empty without an error. A byte count of 0 or below, or one larger than
    // what the source still holds, raises EReadError "Stream read error" and
    // leaves it empty: such a file was not written by a skin writer.
    void LoadFromCompressFile(const String& AFileName);
    void LoadFromCompressStream(TStream* Stream);  // from the stream's position 0
    // Nothing for an empty skin; otherwise the file is saved atomically.
    void SaveToCompressFile(const String& AFileName);
    // At the stream's position, also when empty (2, 0).
    void SaveToCompressStream(TStream* Stream);
    // Appends the decompressed body to S. Raises EDecompressionError
    // "compression error" for damaged data.
    void DeCompressToStream(TMemoryStream* S);

    bool Empty() const { return FCompressedStream->Size() == 0; }
    // The zlib stream without the container header.
    TMemoryStream* CompressedStream() const { return FCompressedStream.get(); }

    // The binary property "CompressedData" of form data: exactly the
    // compressed stream, written also when empty.
    void ReadCompressedData(TStream* Stream);
    void WriteCompressedData(TStream* Stream);

    const String& FileName() const { return FFileName; }
    const String& CompressedFileName() const { return FCompressedFileName; }
    const String& Description() const { return FDescription; }
    // Store the value; in the designer (not while loading form data) also
    // load the named file and keep only its name part.
    void SetFileName(const String& Value);
    void SetCompressedFileName(const String& Value);
    void SetDescription(const String& Value) { FDescription = Value; }

private:
    String FFileName;
    String FCompressedFileName;
    std::unique_ptr<TMemoryStream> FCompressedStream;
    String FDescription;

    bool DesignTimeLoad() const;
};

class TsfCompressedSkinList;
class TsfSkinListItems;

class TsfSkinListItem : public TCollectionItem {
public:
    explicit TsfSkinListItem(TCollection* Collection);
    ~TsfSkinListItem() override;
    String ClassName() const override { return u"TsfSkinListItem"; }
    String DisplayName() const override { return FName; }
    void Assign(TPersistent* Source) override;

    TsfCompressedStoredSkin* Skin() const { return FSkin.get(); }
    // The binary property "Skin" of form data, in the ".skn" layout.
    void ReadSkinData(TStream* Stream) { FSkin->LoadFromCompressStream(Stream); }
    void WriteSkinData(TStream* Stream) { FSkin->SaveToCompressStream(Stream); }

    const String& Description() const { return FDescription; }
    const String& FileName() const { return FFileName; }
    const String& CompressedFileName() const { return FCompressedFileName; }
    const String& Name() const { return FName; }
    void SetDescription(const String& Value);
    // As the stored skin's setters, on the item's skin, while the list is designed.
    void SetFileName(const String& Value);
    void SetCompressedFileName(const String& Value);
    void SetName(const String& Value) { FName = Value; }

private:
    std::unique_ptr<TsfCompressedStoredSkin> FSkin;
    String FDescription;
    String FFileName;
    String FCompressedFileName;
    String FName;

    bool ListDesigning() const;
};

class TsfSkinListItems : public TCollection {
public:
    explicit TsfSkinListItems(TsfCompressedSkinList* ASkinList);
    String ClassName() const override { return u"TsfSkinListItems"; }
    TsfSkinListItem* Add() { return static_cast<TsfSkinListItem*>(TCollection::Add()); }
    TsfSkinListItem* Items(Integer Index) const { return static_cast<TsfSkinListItem*>(TCollection::Items(Index)); }
    TsfSkinListItem* operator[](Integer Index) const { return Items(Index); }
    TPersistent* Owner() const override;
    TsfCompressedSkinList* SkinList() const { return FSkinList; }

private:
    TsfCompressedSkinList* FSkinList;
};

class TsfCompressedSkinList : public TComponent {
public:
    explicit TsfCompressedSkinList(TComponent* AOwner);
    ~TsfCompressedSkinList() override;
    String ClassName() const override { return u"TsfCompressedSkinList"; }
    TsfSkinListItems* Skins() const { return FSkins.get(); }
    void SetSkins(TsfSkinListItems* Value) { FSkins->Assign(Value); }

private:
    std::unique_ptr<TsfSkinListItems> FSkins;
};
