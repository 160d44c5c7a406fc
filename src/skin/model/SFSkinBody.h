// SFSkinBody: the skin body, the decompressed content of a skin: a layout
// version, the five fixed frame pictures, the picture list and the skin
// description text. Portable; the same bytes in every build.
#pragma once

#include <vector>

#include "framework/graphics/BmpFormat.h"
#include "framework/runtime/Classes.h"

// Raised for a body this program cannot read (a layout version above 3).
LM_EXCEPTION_CLASS(ESkinBodyError, Exception);

// The layout every writer uses; readers take any version up to 3.
constexpr Integer SkinBodyLayoutVersion = 2;
constexpr Integer MaxSkinBodyLayoutVersion = 3;

// The five fixed pictures in body order. An empty picture (Width or Height
// 0) is stored as the flag byte 1 alone.
enum TsfFixedPicture { fpPicture, fpInActivePicture, fpMask, fpRollUpPicture, fpRollUpMask };
constexpr Integer FixedPictureCount = 5;

// Which fixed pictures a layout version carries: the inactive picture in
// versions 2 and 3, the two roll-up pictures in versions 1 and 2, the frame
// picture and mask always.
bool SkinBodyHasPicture(Integer Version, TsfFixedPicture Picture);
// The picture's key in the description's [PICTURES] section ("picture", "mask" ...).
const char16_t* SkinPictureKey(TsfFixedPicture Picture);

// The largest picture a skin body may hold (a 4096 x 4096 window part; the
// built-in skin's largest is 285 x 210).
constexpr int64_t MaxSkinPicturePixels = int64_t(4096) * 4096;
// The most pixels all pictures of one skin hold together (the built-in skins
// hold well under a million): at four bytes a pixel, with the body they come
// from, a refused skin never takes 100 MB of a 32-bit process.
constexpr int64_t MaxSkinPixels = int64_t(1) << 23;
// The largest body a stored skin may inflate to: its pictures at four bytes a
// pixel, with room for headers, palettes and the description.
constexpr int64_t MaxSkinBodySize = 4 * MaxSkinPixels + (int64_t(4) << 20);

// The pixels the pictures of one skin claimed so far. Each picture's header
// is counted before the picture is made, so a skin whose pictures claim more
// than MaxSkinPixels together is refused before it allocates them.
class TsfSkinPixelBudget {
public:
    // Raises EInvalidGraphic naming the limit when Pixels would pass it.
    void Claim(int64_t Pixels);

private:
    int64_t FClaimed = 0;
};

struct TsfSkinBody {
    Integer Version = SkinBodyLayoutVersion;
    TDibImage Fixed[FixedPictureCount];
    std::vector<TDibImage> Pictures;
    // The description text as stored: CR LF lines in the system's ANSI code
    // page, or with a byte-order mark of a Unicode encoding.
    RawByteString IniText;
};

// Reads a body from the stream's position to its end. Raises ESkinBodyError
// for a layout version above 3, EReadError when the stream ends inside the
// fixed part, EInvalidGraphic for a damaged picture, one larger than
// MaxSkinPicturePixels or pictures beyond MaxSkinPixels together; Body is
// then partly read.
void ReadSkinBody(TStream* Stream, TsfSkinBody& Body);
// Counts a picture of Width x Height pixels that is about to be made: raises
// EInvalidGraphic when it is larger than MaxSkinPicturePixels, or larger than
// is left of Budget (when given, naming the limit). Called from the header
// alone, before the picture's pixels are allocated.
void ClaimSkinPicture(int64_t Width, int64_t Height, TsfSkinPixelBudget* Budget);
// One BMP file of a skin (in a body or beside a description), refused with
// EInvalidGraphic when its header asks for more than MaxSkinPicturePixels, or
// more than is left of the skin's Budget (when given).
void ReadSkinPicture(TStream* Stream, TDibImage& Picture, TsfSkinPixelBudget* Budget = nullptr);
// Writes layout version 2 whatever Body.Version says, every fixed picture
// (flag 1 for an empty one), the list and the text.
void WriteSkinBody(TStream* Stream, const TsfSkinBody& Body);

// The description text as the body stores it (CR LF, ANSI, no byte-order
// mark), and back (a byte-order mark selects its encoding).
RawByteString SkinIniTextBytes(const TStrings* Lines);
void SkinIniTextLines(const RawByteString& Text, TStrings* Lines);
