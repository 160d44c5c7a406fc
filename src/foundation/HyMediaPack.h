// HyMediaPack: the media packs under "Media\" in the program folder, which
// carry the stock pictures: effect scenes, fill patterns, brush tips, shadow
// and reflection previews and the four kinds of frames. A pack is a run of
// picture blobs from offset 0 followed by a plain table text (8-bit, the
// system's code page) and its length L (int32); frame packs end with 7 more
// bytes. Each row of the table describes the blobs of one picture set: cell
// 14 non-empty says the row has blobs, cells 15, 16 and 17 give their lengths.
// The loaders fill a caller's table with the rows and hang the decoded
// pictures on the rows' data slots, where the rows own them.
//
// Pictures are held as TCustomBitmap32 (on Windows the platform decoder makes
// TBitmap32 objects); read them with Data2().As<TCustomBitmap32>(). A nested
// pack (frame pack 2) hangs a TDataTable on Data3, its rows holding their
// tiles in Data and the table its preview in Data.
//
// A pack that is missing leaves the table as it was. A damaged pack (lengths
// that do not fit, bad zlib data, a picture that does not decode) never
// raises: the loader empties the table, logs what went wrong (LogStockError)
// and returns false, so that its caller falls back to built-in content.
#pragma once

#include <memory>
#include <vector>

#include "Component/Raster32/Ras32.h"
#include "foundation/HyDataTable.h"

// How a picture blob is stored once inflated.
enum TMediaPicture : Byte {
    mpJpeg,       // a JPEG file, decoded by the platform's JPEG picture
    mpBmp,        // a BMP file of any depth
    mpBitmap32,   // the raster engine's own stream (a 32-bit BMP)
    mpGdiImage,   // any file GDI+ reads, drawn at its own size
    mpGdiBitmap,  // any file GDI+ reads, converted with its alpha (blend mode)
};

// Decodes the pictures of media packs. This one reads BMP files and the
// engine's own stream and refuses the rest; the Windows side installs one
// that adds JPEG and whatever GDI+ reads (HyMediaPack_Win).
class TMediaPictureDecoder {
public:
    virtual ~TMediaPictureDecoder() = default;
    // A new bitmap of the kind the program's users expect in the slots.
    virtual std::unique_ptr<TCustomBitmap32> NewBitmap();
    // Decodes Size bytes; raises when they are not such a picture.
    virtual std::unique_ptr<TCustomBitmap32> Decode(TMediaPicture Kind, const uint8_t* Data, size_t Size);
};

// The installed decoder (the portable one until another is installed).
TMediaPictureDecoder& MediaPictureDecoder();
// Installs Decoder (not owned; null restores the portable one).
void SetMediaPictureDecoder(TMediaPictureDecoder* Decoder);

// What a pack may hold: the inflated size of one blob and the pixels of one picture.
constexpr Int64 MaxMediaBlobSize = 128 * 1024 * 1024;
constexpr Int64 MaxMediaPixels = 30000000;

// ---------------------------------------------------------------------------
// The loaders. The first five open ProgramFolder + "Media\" + their file; the
// frame loaders take the full path. All give true when the pack was read.

// Effects.dat: rows with cell 14: the JPEG of cell 15 into Data2, then, when
// cell 16 > 0, the JPEG of cell 16 into Data3.
bool LoadEffectsPack(TDataTable* Table);
// Pattern.dat: rows with cell 14: the JPEG of cell 15 into Data.
bool LoadPatternPack(TDataTable* Table);
// Brush.dat: rows with cell 14: the zlib BMP of cell 15 into Data, then, when
// cell 16 > 0, the plain image of cell 16 into Data2.
bool LoadBrushPack(TDataTable* Table);
// Shadow.dat, Reflection.dat: rows with cell 14 and cell 16 > 0: the plain
// image of cell 16 into Data2.
bool LoadShadowPack(TDataTable* Table);
bool LoadReflectionPack(TDataTable* Table);
// Frame packs 0 and 1: every row: the zlib engine stream of cell 15 into
// Data2, then, when cell 17 > 0, the JPEG of cell 17 into Data3.
bool LoadMediaPack(TDataTable* Table, const String& FileName);
// Frame pack 2: rows with cell 14: the zlib nested pack of cell 15 as a new
// table in Data3, and a copy of its preview (empty without one) in Data2.
bool LoadNestedMediaPack(TDataTable* Table, const String& FileName);
// Frame pack 3: rows with cell 14: the zlib image of cell 15, drawn through
// GDI+, into Data2.
bool LoadGPImageMediaPack(TDataTable* Table, const String& FileName);
// A nested pack in memory: rows whose cell 1 is not true: the zlib engine
// stream of cell 19 into the row's Data; then, when property 9 > 0, the JPEG
// of that many bytes into the table's Data. Raises when the pack is damaged.
void ReadNestedPack(TDataTable* Table, TMemoryStream* Stream);

// The program folder's pack files.
String MediaPackFileName(const String& Name);  // ProgramFolder + "Media\" + Name
String FramePackFileName(Integer Number);       // ... + "frame" + Number + ".dat"

// ---------------------------------------------------------------------------
// Errors met while loading stock content and table files, kept for whoever
// looks (the last few), and passed to StockLogProc when one is set (the Windows side sends
// them to the debugger's output).
using TStockLogProc = void (*)(const String& Message);
extern TStockLogProc StockLogProc;
void LogStockError(const String& Message);
std::vector<String> StockErrors();
void ClearStockErrors();

// ---------------------------------------------------------------------------
// Writing packs: for the build tool that makes the stock packs and for tests.
// Blobs are appended in reading order; Finish writes the table text in the
// given code page, its length and the tail (7 bytes for frame packs).
class TMediaPackWriter {
public:
    explicit TMediaPackWriter(TStream* Dest) : FDest(Dest) {}
    // The bytes as they are; returns their length.
    Integer AddBlob(const std::vector<uint8_t>& Bytes);
    // The bytes deflated at the highest level; returns the blob's length.
    Integer AddZBlob(const std::vector<uint8_t>& Bytes);
    void Finish(const TDataTable& Table, Cardinal CodePage = 0, Integer TailBytes = 0);

private:
    TStream* FDest;
};

// Deflated at the highest level (zlib format).
std::vector<uint8_t> ZlibBytes(const std::vector<uint8_t>& Bytes);
