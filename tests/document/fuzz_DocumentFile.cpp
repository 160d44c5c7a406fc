// Fuzz target of the readers of document files and document streams. The
// first byte chooses: even, the rest is the document file of an image that
// exists (opened as the program opens it); odd, the rest is a document stream.
// A document file never makes the document raise: it is read, or the image
// opens alone with a message and nothing of the file. A stream is read or
// refused with EImageDraw. What was read writes a stream that reads back to
// the same stream.
#include "Component/Raster32/Ras32_Startup.h"
#include "DocumentFileHooks.h"
#include "DocumentTestView.h"
#include "FuzzSupport.h"
#include "filters/FiltersStartup.h"
#include "framework/runtime/SysUtils.h"

namespace {
RawByteString Bytes(TMemoryStream& M)
{
    return RawByteString(static_cast<const char*>(M.Memory()), static_cast<size_t>(M.Size()));
}

// The document written as a stream and read back writes the same stream.
void CheckStreamRoundTrip(TTestView& View, TImageDraw& Doc)
{
    std::unique_ptr<TMemoryStream> First, Second;
    Doc.SaveToStream(First);
    TImageDraw Back(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false, First.get(), 1, 1, 0, false,
                    -1);
    Back.SaveToStream(Second);
    const RawByteString A = Bytes(*First), B = Bytes(*Second);
    if (A != B) {
        // Where they part, for whoever reads the report.
        size_t At = 0;
        while (At < A.size() && At < B.size() && A[At] == B[At]) ++At;
        std::fprintf(stderr, "streams of %zu and %zu bytes part at %zu:\n%s\n----\n%s\n", A.size(), B.size(), At,
                     A.substr(At > 80 ? At - 80 : 0).c_str(), B.substr(At > 80 ? At - 80 : 0).c_str());
    }
    FuzzCheck(A == B, "a written stream reads back to another document");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 1 || Size > 65536) return 0;
    static const bool Started = (InstallRasterEngine(), InstallFilters(), true);
    (void)Started;
    ImageDrawHooks.DecodePicture = &DecodeBmpPicture;
    TTestView View;
    TCustomBitmap32 Image;
    Image.SetSize(4, 3);
    Image.Clear(0xFF336699);
    if (Data[0] % 2 == 0) {
        const String Name = FuzzScratch().Path() + u"image.png";
        FuzzWriteFile(Name, reinterpret_cast<const uint8_t*>("x"), 1);
        FuzzWriteFile(Name + u".vuxa", Data + 1, Size - 1);
        std::unique_ptr<TImageDraw> Doc;
        try {
            Doc = std::make_unique<TImageDraw>(&View, nullptr, &Image, nullptr, nullptr, Name, 0, false, false,
                                               nullptr, 1, 1, 0, false, -1);
        } catch (...) {
            FuzzCheck(false, "a document file made the document raise");
        }
        if (!Doc->MsgString().empty()) {
            FuzzCheck(Doc->DT()->ItemCount() == 0 && Doc->SelectionDT()->ItemCount() == 0,
                      "a refused document file left rows behind");
            FuzzCheck(Doc->SrcBmp()->SameContent(&Image), "a refused document file left its raster");
            return 0;
        }
        CheckStreamRoundTrip(View, *Doc);
        return 0;
    }
    TMemoryStream Stream;
    FuzzStream(Stream, Data + 1, Size - 1);
    std::unique_ptr<TImageDraw> Doc;
    try {
        Doc = std::make_unique<TImageDraw>(&View, nullptr, nullptr, nullptr, nullptr, String(), 0, false, false,
                                           &Stream, 1, 1, 0, false, -1);
    } catch (const EImageDraw&) {
        return 0;
    }
    CheckStreamRoundTrip(View, *Doc);
    return 0;
}
