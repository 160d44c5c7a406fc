// Part of the GDI+ object layer (gdiplus/win/GdiPlus.h).
#include "gdiplus/win/GdiPlus_Private.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/runtime/SysUtils.h"

// ---------------------------------------------------------------------------
// Image formats and the encoder lookup

bool TGPImageFormat::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPImageFormat>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

namespace {

// Finds the BMP, JPEG, GIF, TIFF and PNG encoders once per run, under the
// cache lock (a worker thread may encode while the interface thread does).
void EnumerateEncoders(TCaches& C)
{
    if (C.EncodersEnumerated) return;
    C.EncodersEnumerated = true;
    UINT Count = 0, Size = 0;
    GdipGetImageEncodersSize(&Count, &Size);
    if (Size != 0) {
        // GDI+'s own records: their size differs between the 32- and 64-bit builds.
        std::vector<Byte> Block(Size);
        auto* Codecs = reinterpret_cast<gp::ImageCodecInfo*>(Block.data());
        if (GdipGetImageEncoders(Count, Size, Codecs) == gp::Ok) {
            Count = std::min<UINT>(Count, Size / sizeof(gp::ImageCodecInfo));
            struct {
                const TGUID& Format;
                TGPPtr<IGPImageFormat>& Cell;
            } const Wanted[] = {{ImageFormatBMP, C.Bmp},
                                {ImageFormatJPEG, C.Jpeg},
                                {ImageFormatGIF, C.Gif},
                                {ImageFormatTIFF, C.Tiff},
                                {ImageFormatPNG, C.Png}};
            for (UINT I = 0; I < Count; ++I) {
                TGUID FormatId, ClassId;
                std::memcpy(&FormatId, &Codecs[I].FormatID, sizeof(TGUID));
                std::memcpy(&ClassId, &Codecs[I].Clsid, sizeof(TGUID));
                for (auto& W : Wanted)
                    if (FormatId == W.Format) {
                        W.Cell = TGPPtr<IGPImageFormat>(new TGPImageFormat(FormatId, ClassId));
                        break;
                    }
            }
        }
    }
}

void RequireStandardEncoders(TCaches& C, std::source_location Where = std::source_location::current())
{
    GPAssert(C.Bmp != nullptr, Where);
    GPAssert(C.Jpeg != nullptr, Where);
    GPAssert(C.Gif != nullptr, Where);
    GPAssert(C.Tiff != nullptr, Where);
    GPAssert(C.Png != nullptr, Where);
}

}  // namespace

TGPPtr<IGPImageFormat> TGPImageFormat::FindByFormatId(const TGUID& FormatId)
{
    TCaches& C = Caches();
    std::lock_guard<std::mutex> Guard(C.Lock);
    EnumerateEncoders(C);
    RequireStandardEncoders(C);
    for (const TGPPtr<IGPImageFormat>* Cell : {&C.Bmp, &C.Gif, &C.Jpeg, &C.Png, &C.Tiff})
        if ((*Cell)->GetGuid() == FormatId) return *Cell;
    return nullptr;
}

TGPPtr<IGPImageFormat> GetJpegCodec()
{
    TCaches& C = Caches();
    std::lock_guard<std::mutex> Guard(C.Lock);
    EnumerateEncoders(C);
    RequireStandardEncoders(C);
    return C.Jpeg;
}

// ---------------------------------------------------------------------------
// TGPEncoderParameters

namespace {
// Bytes of one value of each encoder value type (1 byte, 2 ASCII, 3 short,
// 4 long, 5 rational, 6 long range, 7 undefined, 8 rational range).
constexpr Cardinal ValueTypeSize[9] = {0, 1, 1, 2, 4, 8, 8, 1, 16};

// The offset of the first record in a native list: 4 in the 32-bit build, 8 in the 64-bit one.
constexpr size_t NativeListHeader = offsetof(gp::EncoderParameters, Parameter);
}  // namespace

TGPEncoderParameters::TGPEncoderParameters(const gp::EncoderParameters* NativeParams)
{
    if (!NativeParams) return;
    for (UINT I = 0; I < NativeParams->Count; ++I) {
        const gp::EncoderParameter& P = NativeParams->Parameter[I];
        TGUID Id;
        std::memcpy(&Id, &P.Guid, sizeof(Id));
        Add(Id, static_cast<Cardinal>(P.NumberOfValues), static_cast<Cardinal>(P.Type), P.Value);
    }
}

TGPEncoderParameters::~TGPEncoderParameters()
{
    std::free(FNativeParams);
    std::free(FValues);
}

bool TGPEncoderParameters::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPEncoderParameters>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

gp::EncoderParameters* TGPEncoderParameters::GetNativeParams()
{
    if (!FNativeParams || FModified) {
        size_t Size = NativeListHeader + sizeof(gp::EncoderParameter) * static_cast<size_t>(std::max(FParamCount, 1));
        void* Block = std::realloc(FNativeParams, Size);
        if (!Block) throw EOutOfMemory(u"Out of memory");
        FNativeParams = static_cast<gp::EncoderParameters*>(Block);
        std::memset(FNativeParams, 0, Size);
        FNativeParams->Count = static_cast<UINT>(FParamCount);
        if (FParamCount > 0)
            std::memcpy(FNativeParams->Parameter, FParams.data(), sizeof(gp::EncoderParameter) * FParamCount);
        FModified = false;
    }
    return FNativeParams;
}

void TGPEncoderParameters::Clear()
{
    FParamCount = 0;
    FValueSize = 0;
    FModified = true;
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Cardinal NumberOfValues, Cardinal ValueType,
                               const void* Values)
{
    GPAssert(ValueType >= 1 && ValueType <= 8);
    FModified = true;
    if (FParamCount == static_cast<Integer>(FParams.size())) FParams.resize(static_cast<size_t>(FParamCount) + 4);
    size_t Bytes = static_cast<size_t>(NumberOfValues) * ValueTypeSize[ValueType];
    size_t Needed = FValueSize + Bytes;
    if (FValueAllocated < Needed) {
        // The earlier entries point into the block: they move with it.
        std::vector<size_t> Offsets(static_cast<size_t>(FParamCount));
        for (Integer I = 0; I < FParamCount; ++I)
            Offsets[I] = static_cast<size_t>(static_cast<Byte*>(FParams[I].Value) - FValues);
        auto* Block = static_cast<Byte*>(std::realloc(FValues, Needed + 64));
        if (!Block) throw EOutOfMemory(u"Out of memory");
        FValues = Block;
        FValueAllocated = Needed + 64;
        for (Integer I = 0; I < FParamCount; ++I) FParams[I].Value = Block + Offsets[I];
    }
    if (Bytes) std::memcpy(FValues + FValueSize, Values, Bytes);
    gp::EncoderParameter& P = FParams[static_cast<size_t>(FParamCount)];
    std::memcpy(&P.Guid, &ParamType, sizeof(ParamType));
    P.NumberOfValues = NumberOfValues;
    P.Type = ValueType;
    P.Value = FValues + FValueSize;
    FValueSize += Bytes;
    ++FParamCount;
}

namespace {
template <class T>
void AddArray(TGPEncoderParameters* List, const TGUID& ParamType, std::span<const T> Values, Cardinal ValueType,
              std::source_location Where = std::source_location::current())
{
    GPAssert(!Values.empty(), Where);
    List->Add(ParamType, static_cast<Cardinal>(Values.size()), ValueType, Values.data());
}

// Pairs or quadruples of 32-bit values, one after another.
std::vector<Integer> Interleave(std::initializer_list<std::span<const Integer>> Columns,
                                std::source_location Where = std::source_location::current())
{
    size_t N = Columns.begin()->size();
    GPAssert(N > 0, Where);
    for (auto C : Columns) GPAssert(C.size() == N, Where);
    std::vector<Integer> Result;
    Result.reserve(N * Columns.size());
    for (size_t I = 0; I < N; ++I)
        for (auto C : Columns) Result.push_back(C[I]);
    return Result;
}
}  // namespace

void TGPEncoderParameters::Add(const TGUID& ParamType, Integer Value)
{
    Add(ParamType, 1, gp::EncoderParameterValueTypeLong, &Value);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Integer> Values)
{
    AddArray(this, ParamType, Values, gp::EncoderParameterValueTypeLong);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Byte Value)
{
    Add(ParamType, 1, gp::EncoderParameterValueTypeByte, &Value);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Byte> Values)
{
    AddArray(this, ParamType, Values, gp::EncoderParameterValueTypeByte);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, SmallInt Value)
{
    Add(ParamType, 1, gp::EncoderParameterValueTypeShort, &Value);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const SmallInt> Values)
{
    AddArray(this, ParamType, Values, gp::EncoderParameterValueTypeShort);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Cardinal Value)
{
    Add(ParamType, 1, gp::EncoderParameterValueTypeLong, &Value);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Cardinal> Values)
{
    AddArray(this, ParamType, Values, gp::EncoderParameterValueTypeLong);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, gp::EncoderValue Value)
{
    Cardinal V = static_cast<Cardinal>(Value);
    Add(ParamType, 1, gp::EncoderParameterValueTypeLong, &V);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Int64> Values)
{
    GPAssert(!Values.empty());
    std::vector<Cardinal> Low(Values.size());
    for (size_t I = 0; I < Values.size(); ++I) Low[I] = static_cast<Cardinal>(Values[I]);
    Add(ParamType, static_cast<Cardinal>(Low.size()), gp::EncoderParameterValueTypeLong, Low.data());
}

void TGPEncoderParameters::Add(const TGUID& ParamType, const String& Value)
{
    GPAssert(!Value.empty());
    AnsiString Text = StringToAnsi(Value);
    Add(ParamType, static_cast<Cardinal>(Text.size() + 1), gp::EncoderParameterValueTypeASCII, Text.c_str());
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Byte Value, bool Undefined)
{
    Add(ParamType, 1, Undefined ? gp::EncoderParameterValueTypeUndefined : gp::EncoderParameterValueTypeByte, &Value);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Byte> Values, bool Undefined)
{
    AddArray(this, ParamType, Values,
             Undefined ? gp::EncoderParameterValueTypeUndefined : gp::EncoderParameterValueTypeByte);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Integer Numerator, Integer Denominator)
{
    const Integer V[2] = {Numerator, Denominator};
    Add(ParamType, 1, gp::EncoderParameterValueTypeRational, V);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Integer> Numerators,
                               std::span<const Integer> Denominators)
{
    std::vector<Integer> V = Interleave({Numerators, Denominators});
    Add(ParamType, static_cast<Cardinal>(Numerators.size()), gp::EncoderParameterValueTypeRational, V.data());
}

void TGPEncoderParameters::AddRange(const TGUID& ParamType, Integer RangeBegin, Integer RangeEnd)
{
    const Integer V[2] = {RangeBegin, RangeEnd};
    Add(ParamType, 1, gp::EncoderParameterValueTypeLongRange, V);
}

void TGPEncoderParameters::AddRange(const TGUID& ParamType, std::span<const Integer> RangesBegin,
                                    std::span<const Integer> RangesEnd)
{
    std::vector<Integer> V = Interleave({RangesBegin, RangesEnd});
    Add(ParamType, static_cast<Cardinal>(RangesBegin.size()), gp::EncoderParameterValueTypeLongRange, V.data());
}

void TGPEncoderParameters::Add(const TGUID& ParamType, Integer Numerator1, Integer Denominator1, Integer Numerator2,
                               Integer Denominator2)
{
    const Integer V[4] = {Numerator1, Denominator1, Numerator2, Denominator2};
    Add(ParamType, 1, gp::EncoderParameterValueTypeRationalRange, V);
}

void TGPEncoderParameters::Add(const TGUID& ParamType, std::span<const Integer> Numerators1,
                               std::span<const Integer> Denominators1, std::span<const Integer> Numerators2,
                               std::span<const Integer> Denominators2)
{
    std::vector<Integer> V = Interleave({Numerators1, Denominators1, Numerators2, Denominators2});
    Add(ParamType, static_cast<Cardinal>(Numerators1.size()), gp::EncoderParameterValueTypeRationalRange, V.data());
}

TGPEncoderParameterEnumerator IGPEncoderParameters::GetEnumerator() { return TGPEncoderParameterEnumerator(this); }

bool TGPEncoderParameterEnumerator::MoveNext()
{
    if (FIndex < FParams->GetCount() - 1) {
        ++FIndex;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// TGPColorPalette, TGPPropertyItem

TGPColorPalette::TGPColorPalette(Integer Count)
    : FData(offsetof(gp::ColorPalette, Entries) + sizeof(gp::ARGB) * static_cast<size_t>(std::max(Count, 0)))
{
    Native()->Flags = 0;
    Native()->Count = static_cast<UINT>(std::max(Count, 0));
}

TGPColorPalette::TGPColorPalette(std::vector<Byte> NativeBlock) : FData(std::move(NativeBlock))
{
    // A block too short for its own header counts as an empty palette.
    if (FData.size() < offsetof(gp::ColorPalette, Entries)) FData.assign(offsetof(gp::ColorPalette, Entries), 0);
    size_t Room = (FData.size() - offsetof(gp::ColorPalette, Entries)) / sizeof(gp::ARGB);
    if (Native()->Count > Room) Native()->Count = static_cast<UINT>(Room);
}

bool TGPColorPalette::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPColorPalette>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

TGPPropertyItem::TGPPropertyItem() : FData(sizeof(gp::PropertyItem)) {}

TGPPropertyItem::TGPPropertyItem(std::vector<Byte> NativeBlock) : FData(std::move(NativeBlock))
{
    if (!FData.empty() && FData.size() < sizeof(gp::PropertyItem)) FData.resize(sizeof(gp::PropertyItem));
}

void TGPPropertyItem::SetId(Cardinal Value)
{
    if (Item()) Item()->id = Value;
}

void TGPPropertyItem::SetLength(Cardinal Value)
{
    if (Item()) Item()->length = Value;
}

void TGPPropertyItem::SetValueType(Word Value)
{
    if (Item()) Item()->type = Value;
}

void TGPPropertyItem::SetValue(void* Value)
{
    if (Item()) Item()->value = Value;
}

bool TGPPropertyItem::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPPropertyItem>(this, IID, Obj) || TInterfacedObject::GetInterface(IID, Obj);
}

// ---------------------------------------------------------------------------
// TGPImage

TGPImage::TGPImage(const String& FileName, bool UseEmbeddedColorManagement)
{
    gp::GpImage* I = nullptr;
    if (UseEmbeddedColorManagement)
        GdipLoadImageFromFileICM(W(FileName), &I);
    else
        GdipLoadImageFromFile(W(FileName), &I);
    FNativeHandle = I;
}

TGPImage::TGPImage(IStream* Stream, bool UseEmbeddedColorManagement)
{
    gp::GpImage* I = nullptr;
    if (UseEmbeddedColorManagement)
        GdipLoadImageFromStreamICM(Stream, &I);
    else
        GdipLoadImageFromStream(Stream, &I);
    FNativeHandle = I;
}

TGPImage::~TGPImage() { GdipDisposeImage(Nat<gp::GpImage>(this)); }

TGPPtr<IGPImage> TGPImage::FromFile(const String& FileName, bool UseEmbeddedColorManagement)
{
    return TGPPtr<IGPImage>(new TGPImage(FileName, UseEmbeddedColorManagement));
}

TGPPtr<IGPImage> TGPImage::FromStream(IStream* Stream, bool UseEmbeddedColorManagement)
{
    return TGPPtr<IGPImage>(new TGPImage(Stream, UseEmbeddedColorManagement));
}

bool TGPImage::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPImage>(this, IID, Obj) || TGdiplusBase::GetInterface(IID, Obj);
}

namespace {
gp::GpImage* ImageOf(IGPImage* Image) { return Nat<gp::GpImage>(Image); }

gp::EncoderParameters* NativeParamsOf(const TGPPtr<IGPEncoderParameters>& Params)
{
    return Params ? Params->GetNativeParams() : nullptr;
}
}  // namespace

Integer IGPImage::GetImageType()
{
    return ReadEnum<gp::ImageType>([this](gp::ImageType* R) { return GdipGetImageType(ImageOf(this), R); });
}

Cardinal IGPImage::GetImageWidth()
{
    UINT R = 0;
    GdipGetImageWidth(ImageOf(this), &R);
    return R;
}

Cardinal IGPImage::GetImageHeight()
{
    UINT R = 0;
    GdipGetImageHeight(ImageOf(this), &R);
    return R;
}

Single IGPImage::GetImageHorizontalResolution()
{
    Single R = 0;
    GdipGetImageHorizontalResolution(ImageOf(this), &R);
    return R;
}

Single IGPImage::GetImageVerticalResolution()
{
    Single R = 0;
    GdipGetImageVerticalResolution(ImageOf(this), &R);
    return R;
}

Cardinal IGPImage::GetImageFlags()
{
    UINT R = 0;
    GdipGetImageFlags(ImageOf(this), &R);
    return R;
}

TGPStatus IGPImage::GetImageRawFormat(TGUID& Format) { return GdipGetImageRawFormat(ImageOf(this), G(&Format)); }

Integer IGPImage::GetImagePixelFormat()
{
    gp::PixelFormat R = 0;
    GdipGetImagePixelFormat(ImageOf(this), &R);
    return static_cast<Integer>(R);
}

TGPPtr<IGPColorPalette> IGPImage::GetImagePalette()
{
    INT Size = 0;
    GdipGetImagePaletteSize(ImageOf(this), &Size);
    if (Size <= 0) return TGPPtr<IGPColorPalette>(new TGPColorPalette(0));
    std::vector<Byte> Block(static_cast<size_t>(Size));
    GdipGetImagePalette(ImageOf(this), reinterpret_cast<gp::ColorPalette*>(Block.data()), Size);
    return TGPPtr<IGPColorPalette>(new TGPColorPalette(std::move(Block)));
}

TGPStatus IGPImage::SetImagePalette(const TGPPtr<IGPColorPalette>& Palette)
{
    GPAssert(Palette != nullptr);
    return GdipSetImagePalette(ImageOf(this), Palette->GetNativePalette());
}

TGPPtr<IGPArray<Cardinal>> IGPImage::GetPropertyIdList()
{
    UINT Count = 0;
    GdipGetPropertyCount(ImageOf(this), &Count);
    auto Result = NewGPArray<Cardinal>(static_cast<Integer>(Count));
    if (Count != 0) GdipGetPropertyIdList(ImageOf(this), Count, reinterpret_cast<PROPID*>(Result->GetItems()));
    return Result;
}

TGPPtr<IGPArray<TGPPtr<IGPPropertyItem>>> IGPImage::GetAllPropertyItems()
{
    UINT TotalSize = 0, Count = 0;
    GdipGetPropertySize(ImageOf(this), &TotalSize, &Count);
    auto Result = NewGPArray<TGPPtr<IGPPropertyItem>>(static_cast<Integer>(Count));
    if (TotalSize == 0 || Count == 0) return Result;
    std::vector<Byte> Block(TotalSize);
    auto* Items = reinterpret_cast<gp::PropertyItem*>(Block.data());
    if (GdipGetAllPropertyItems(ImageOf(this), TotalSize, Count, Items) != gp::Ok) return Result;
    for (UINT I = 0; I < Count; ++I) {
        // Each item gets its own copy of the header and of the value bytes.
        const gp::PropertyItem& Src = Items[I];
        std::vector<Byte> Copy(sizeof(gp::PropertyItem) + Src.length);
        auto* Dst = reinterpret_cast<gp::PropertyItem*>(Copy.data());
        *Dst = Src;
        Dst->value = Copy.data() + sizeof(gp::PropertyItem);
        if (Src.length && Src.value) std::memcpy(Dst->value, Src.value, Src.length);
        Result->SetItem(static_cast<Integer>(I), TGPPtr<IGPPropertyItem>(new TGPPropertyItem(std::move(Copy))));
    }
    return Result;
}

TGPPtr<IGPImage> IGPImage::Clone()
{
    gp::GpImage* I = nullptr;
    GdipCloneImage(ImageOf(this), &I);
    return TGPPtr<IGPImage>(new TGPImage(I));
}

TGPStatus IGPImage::Save(const String& FileName, const TGPPtr<IGPImageFormat>& Format,
                         const TGPPtr<IGPEncoderParameters>& Params)
{
    GPAssert(Format != nullptr);
    TGUID Codec = Format->GetCodecId();
    return GdipSaveImageToFile(ImageOf(this), W(FileName), G(&Codec), NativeParamsOf(Params));
}

TGPStatus IGPImage::Save(IStream* Stream, const TGPPtr<IGPImageFormat>& Format,
                         const TGPPtr<IGPEncoderParameters>& Params)
{
    GPAssert(Format != nullptr);
    TGUID Codec = Format->GetCodecId();
    return GdipSaveImageToStream(ImageOf(this), Stream, G(&Codec), NativeParamsOf(Params));
}

TGPStatus IGPImage::Save(const String& FileName, const TGUID& EncoderClsid, const TGPPtr<IGPEncoderParameters>& Params)
{
    return GdipSaveImageToFile(ImageOf(this), W(FileName), G(&EncoderClsid), NativeParamsOf(Params));
}

TGPStatus IGPImage::Save(IStream* Stream, const TGUID& EncoderClsid, const TGPPtr<IGPEncoderParameters>& Params)
{
    return GdipSaveImageToStream(ImageOf(this), Stream, G(&EncoderClsid), NativeParamsOf(Params));
}

TGPStatus IGPImage::SaveAdd(const TGPPtr<IGPEncoderParameters>& Params)
{
    GPAssert(Params != nullptr);
    return GdipSaveAdd(ImageOf(this), Params->GetNativeParams());
}

TGPStatus IGPImage::SaveAdd(const TGPPtr<IGPImage>& NewImage, const TGPPtr<IGPEncoderParameters>& Params)
{
    GPAssert(Params != nullptr);
    return GdipSaveAddImage(ImageOf(this), Nat<gp::GpImage>(NewImage), Params->GetNativeParams());
}

TGPStatus IGPImage::GetImageDimension(Single& Width, Single& Height)
{
    return GdipGetImageDimension(ImageOf(this), &Width, &Height);
}

TGPStatus IGPImage::GetImageBounds(TGPRectF& Rect, TGPUnit& Unit)
{
    return GdipGetImageBounds(ImageOf(this), RF(&Rect), &Unit);
}

TGPPtr<IGPImage> IGPImage::GetImageThumbnail(Cardinal ThumbWidth, Cardinal ThumbHeight,
                                             gp::GetThumbnailImageAbort Callback, void* CallbackData)
{
    gp::GpImage* I = nullptr;
    GdipGetImageThumbnail(ImageOf(this), ThumbWidth, ThumbHeight, &I, Callback, CallbackData);
    return TGPPtr<IGPImage>(new TGPImage(I));
}

TGPPtr<IGPArray<TGUID>> IGPImage::ImageGetFrameDimensionsList()
{
    UINT Count = 0;
    GdipImageGetFrameDimensionsCount(ImageOf(this), &Count);
    auto Result = NewGPArray<TGUID>(static_cast<Integer>(Count));
    if (Count != 0) GdipImageGetFrameDimensionsList(ImageOf(this), G(Result->GetItems()), Count);
    return Result;
}

Cardinal IGPImage::ImageGetFrameCount(const TGUID& DimensionId)
{
    UINT R = 0;
    GdipImageGetFrameCount(ImageOf(this), G(&DimensionId), &R);
    return R;
}

TGPStatus IGPImage::ImageSelectActiveFrame(const TGUID& DimensionId, Cardinal FrameIndex)
{
    return GdipImageSelectActiveFrame(ImageOf(this), G(&DimensionId), FrameIndex);
}

TGPStatus IGPImage::ImageRotateFlip(Integer RotateFlipType)
{
    return GdipImageRotateFlip(ImageOf(this), static_cast<gp::RotateFlipType>(RotateFlipType));
}

TGPPtr<IGPPropertyItem> IGPImage::GetPropertyItem(Cardinal PropId)
{
    UINT Size = 0;
    GdipGetPropertyItemSize(ImageOf(this), PropId, &Size);
    std::vector<Byte> Block;
    if (Size != 0) {
        Block.resize(std::max<size_t>(Size, sizeof(gp::PropertyItem)));
        if (GdipGetPropertyItem(ImageOf(this), PropId, Size, reinterpret_cast<gp::PropertyItem*>(Block.data())) !=
            gp::Ok)
            Block.clear();
    }
    return TGPPtr<IGPPropertyItem>(new TGPPropertyItem(std::move(Block)));
}

TGPStatus IGPImage::SetPropertyItem(const TGPPtr<IGPPropertyItem>& Item)
{
    GPAssert(Item != nullptr);
    return GdipSetPropertyItem(ImageOf(this), Item->GetNativeItem());
}

TGPStatus IGPImage::RemovePropertyItem(Cardinal PropId) { return GdipRemovePropertyItem(ImageOf(this), PropId); }

TGPPtr<IGPEncoderParameters> IGPImage::GetEncoderParameterList(const TGUID& ClsidEncoder)
{
    UINT Size = 0;
    if (GdipGetEncoderParameterListSize(ImageOf(this), G(&ClsidEncoder), &Size) != gp::Ok || Size == 0)
        return TGPPtr<IGPEncoderParameters>(new TGPEncoderParameters());
    std::vector<Byte> Block(Size);
    auto* List = reinterpret_cast<gp::EncoderParameters*>(Block.data());
    if (GdipGetEncoderParameterList(ImageOf(this), G(&ClsidEncoder), Size, List) != gp::Ok) List = nullptr;
    return TGPPtr<IGPEncoderParameters>(new TGPEncoderParameters(List));
}

// ---------------------------------------------------------------------------
// TGPBitmap

TGPBitmap::TGPBitmap(const String& FileName, bool UseEmbeddedColorManagement)
{
    gp::GpBitmap* B = nullptr;
    if (UseEmbeddedColorManagement)
        GdipCreateBitmapFromFileICM(W(FileName), &B);
    else
        GdipCreateBitmapFromFile(W(FileName), &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(IStream* Stream, bool UseEmbeddedColorManagement)
{
    gp::GpBitmap* B = nullptr;
    if (UseEmbeddedColorManagement)
        GdipCreateBitmapFromStreamICM(Stream, &B);
    else
        GdipCreateBitmapFromStream(Stream, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(HBITMAP BitmapHandle, HPALETTE Palette)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromHBITMAP(BitmapHandle, Palette, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(Integer Width, Integer Height, Integer Format)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromScan0(Width, Height, 0, static_cast<gp::PixelFormat>(Format), nullptr, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(Integer Width, Integer Height, Integer Stride, Integer Format, Byte* Scan0)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromScan0(Width, Height, Stride, static_cast<gp::PixelFormat>(Format), Scan0, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(Integer Width, Integer Height, const TGPPtr<IGPGraphics>& Target)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromGraphics(Width, Height, Nat<gp::GpGraphics>(Target), &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(const BITMAPINFO& BitmapInfo, void* BitmapData)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromGdiDib(&BitmapInfo, BitmapData, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(HINSTANCE Instance, const String& BitmapName)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromResource(Instance, W(BitmapName), &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(HICON IconHandle)
{
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromHICON(IconHandle, &B);
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPBitmap::TGPBitmap(IUnknown* DirectDrawSurface7)
{
    static constexpr GUID IID_IDirectDrawSurface7 = {
        0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};
    void* Surface = nullptr;
    GPAssert(DirectDrawSurface7 && SUCCEEDED(DirectDrawSurface7->QueryInterface(IID_IDirectDrawSurface7, &Surface)) &&
             Surface);
    gp::GpBitmap* B = nullptr;
    GdipCreateBitmapFromDirectDrawSurface(static_cast<IDirectDrawSurface7*>(Surface), &B);
    static_cast<IUnknown*>(Surface)->Release();
    FNativeHandle = static_cast<gp::GpImage*>(B);
}

TGPPtr<IGPBitmap> TGPBitmap::FromFile(const String& FileName, bool UseEmbeddedColorManagement)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(FileName, UseEmbeddedColorManagement));
}

TGPPtr<IGPBitmap> TGPBitmap::FromStream(IStream* Stream, bool UseEmbeddedColorManagement)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(Stream, UseEmbeddedColorManagement));
}

TGPPtr<IGPBitmap> TGPBitmap::FromHBitmap(HBITMAP BitmapHandle, HPALETTE Palette)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(BitmapHandle, Palette));
}

TGPPtr<IGPBitmap> TGPBitmap::FromHIcon(HICON IconHandle) { return TGPPtr<IGPBitmap>(new TGPBitmap(IconHandle)); }

TGPPtr<IGPBitmap> TGPBitmap::FromResource(HINSTANCE Instance, const String& BitmapName)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(Instance, BitmapName));
}

TGPPtr<IGPBitmap> TGPBitmap::FromBitmapInfo(const BITMAPINFO& BitmapInfo, void* BitmapData)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(BitmapInfo, BitmapData));
}

TGPPtr<IGPBitmap> TGPBitmap::FromDirectDrawSurface7(IUnknown* Surface)
{
    return TGPPtr<IGPBitmap>(new TGPBitmap(Surface));
}

bool TGPBitmap::GetInterface(const TGUID& IID, void** Obj)
{
    return ImplementsInterfaces<IGPBitmap>(this, IID, Obj) || TGPImage::GetInterface(IID, Obj);
}

namespace {
gp::GpBitmap* BitmapOf(IGPBitmap* Bitmap) { return static_cast<gp::GpBitmap*>(Nat<gp::GpImage>(Bitmap)); }

TGPPtr<IGPBitmap> WrapBitmap(gp::GpBitmap* B) { return TGPPtr<IGPBitmap>(new TGPBitmap(B)); }
}  // namespace

TGPColor IGPBitmap::BitmapGetPixel(Integer X, Integer Y)
{
    TGPColor R;
    GdipBitmapGetPixel(BitmapOf(this), X, Y, AC(&R));
    return R;
}

TGPStatus IGPBitmap::BitmapSetPixel(Integer X, Integer Y, TGPColor Color)
{
    return GdipBitmapSetPixel(BitmapOf(this), X, Y, Color.FArgb);
}

TGPPtr<IGPBitmap> IGPBitmap::Clone()
{
    gp::GpBitmap* B = nullptr;
    GdipCloneBitmapArea(0, 0, static_cast<Single>(GetImageWidth()), static_cast<Single>(GetImageHeight()),
                        static_cast<gp::PixelFormat>(GetImagePixelFormat()), BitmapOf(this), &B);
    return WrapBitmap(B);
}

TGPPtr<IGPBitmap> IGPBitmap::Clone(const TGPRect& Rect, Integer Format)
{
    return Clone(Rect.X, Rect.Y, Rect.Width, Rect.Height, Format);
}

TGPPtr<IGPBitmap> IGPBitmap::Clone(Integer X, Integer Y, Integer Width, Integer Height, Integer Format)
{
    gp::GpBitmap* B = nullptr;
    GdipCloneBitmapAreaI(X, Y, Width, Height, static_cast<gp::PixelFormat>(Format), BitmapOf(this), &B);
    return WrapBitmap(B);
}

TGPPtr<IGPBitmap> IGPBitmap::Clone(const TGPRectF& Rect, Integer Format)
{
    return Clone(Rect.X, Rect.Y, Rect.Width, Rect.Height, Format);
}

TGPPtr<IGPBitmap> IGPBitmap::Clone(Single X, Single Y, Single Width, Single Height, Integer Format)
{
    gp::GpBitmap* B = nullptr;
    GdipCloneBitmapArea(X, Y, Width, Height, static_cast<gp::PixelFormat>(Format), BitmapOf(this), &B);
    return WrapBitmap(B);
}

TGPStatus IGPBitmap::BitmapLockBits(const TGPRect& Rect, Cardinal Flags, Integer Format, gp::BitmapData& LockedData)
{
    return GdipBitmapLockBits(BitmapOf(this), RI(&Rect), Flags, static_cast<gp::PixelFormat>(Format), &LockedData);
}

TGPStatus IGPBitmap::BitmapUnlockBits(gp::BitmapData& LockedData)
{
    return GdipBitmapUnlockBits(BitmapOf(this), &LockedData);
}

TGPStatus IGPBitmap::BitmapSetResolution(Single DpiX, Single DpiY)
{
    return GdipBitmapSetResolution(BitmapOf(this), DpiX, DpiY);
}

HBITMAP IGPBitmap::GetHBitmap(TGPColor ColorBackground)
{
    HBITMAP R = nullptr;
    GdipCreateHBITMAPFromBitmap(BitmapOf(this), &R, ColorBackground.FArgb);
    return R;
}

HICON IGPBitmap::GetHIcon()
{
    HICON R = nullptr;
    GdipCreateHICONFromBitmap(BitmapOf(this), &R);
    return R;
}
