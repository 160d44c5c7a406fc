// The document file with the platform's image files (Wine on an X display):
// saved through the real image writers, reopened through the real decoders,
// the kept original decoded by GDI+, and the JPEG size measured by the
// encoder the JPEG writer uses.
#include "DocumentOnView.h"

#include <filesystem>

#include "document/ImageRectangle.h"
#include "foundation/win/HyFileUtils_Image.h"

namespace {
String TempName(const char* Name) { return UTF8ToString((std::filesystem::temp_directory_path() / Name).string()); }

std::unique_ptr<TBitmap32> Pattern(Integer W, Integer H)
{
    auto B = std::make_unique<TBitmap32>();
    B->SetSize(W, H);
    for (Integer y = 0; y < H; ++y)
        for (Integer x = 0; x < W; ++x) B->SetPixel(x, y, 0xFF000000u | static_cast<TColor32>(x * 0x0A0305 + y * 0x030907));
    return B;
}

class DocumentFileOnView : public DocumentOnView {
protected:
    // Opens an image file as the program does: decoded, then its document file read.
    std::unique_ptr<TImageDraw> Open(const String& Name)
    {
        bool HasAlpha = false;
        Integer Depth = -1;
        std::unique_ptr<TBitmap32> Decoded = LoadImageToBitmap32(Name, HasAlpha, Depth);
        auto D = std::make_unique<TImageDraw>(Adapter.get(), nullptr, Decoded.get(), nullptr, nullptr, Name, 0, false,
                                              false, nullptr, 1, 1, 0, false, -1);
        D->InitBitmap();
        D->Draw();
        return D;
    }
    void Remove(const String& Name)
    {
        DeleteFile(Name);
        DeleteFile(Name + u".vuxa");
    }
};

TEST_F(DocumentFileOnView, SavedAsPngAndJpegAndReopened)
{
    struct Case {
        const char* Name;
        Integer JpegStep;  // file-information quality step (JPEG only)
    };
    for (const Case& C : {Case{"lm_docfile.png", 0}, Case{"lm_docfile.jpg", 9}}) {
        SCOPED_TRACE(C.Name);
        const String Name = TempName(C.Name);
        // The original is a real PNG file: the document keeps its bytes and
        // decodes them again when the document file is read.
        const String Original = TempName("lm_docfile_original.png");
        SaveBitmap32ToFile(Pattern(60, 40).get(), Original, ifPng, 0);
        std::unique_ptr<TImageDraw> First = Open(Original);
        TRow* Row = First->DT()->AddItem(String(99, u','));
        for (auto [Col, Value] : {std::pair{0, 5}, {1, Integer(shRectangle)}, {10, 10}, {11, 8}, {12, 40},
                                  {13, 30}, {14, 0xFF}, {15, 0xFF00}, {16, 255}, {18, 2}, {20, -1}, {21, -1}})
            Row->GetItem(Col)->SetValue(Value);
        First->CreateShapeObjects(-1);
        First->FileDT()->GetItem(0)->GetItem(10)->SetValue(C.JpegStep);
        First->InitBitmap();
        First->Draw();
        ASSERT_TRUE(First->SaveAs(Name));
        const TColor32 Composed = First->Bitmap()->Pixel(20, 15);

        std::unique_ptr<TImageDraw> Again = Open(Name);
        EXPECT_EQ(Again->MsgString(), String());
        ASSERT_EQ(Again->DT()->ItemCount(), 1);
        EXPECT_NE(dynamic_cast<TImgRectangle*>(TImageDraw::RowShape(Again->DT()->GetItem(0))), nullptr);
        EXPECT_TRUE(Again->SrcBmp()->SameContent(First->SrcBmp()));
        EXPECT_TRUE(Again->OriBmp()->SameContent(First->OriBmp()));
        EXPECT_EQ(Again->Bitmap()->Pixel(20, 15), Composed);
        EXPECT_EQ(Again->ExportGetFilterIndex(), 2);
        // The image file holds the composed picture (a JPEG within its loss).
        bool HasAlpha = false;
        Integer Depth = -1;
        std::unique_ptr<TBitmap32> File = LoadImageToBitmap32(Name, HasAlpha, Depth);
        const TColor32 P = File->Pixel(20, 15);
        for (Integer Shift : {0, 8, 16})
            EXPECT_NEAR(static_cast<int>((P >> Shift) & 0xFF), static_cast<int>((Composed >> Shift) & 0xFF),
                        C.JpegStep ? 24 : 0);
        First.reset();
        Again.reset();
        Remove(Name);
        Remove(Original);
    }
}

TEST_F(DocumentFileOnView, JpegSizeIsTheWrittenFilesSize)
{
    // A white canvas: the image file is flattened onto the canvas colour and
    // the measure onto white, each by a blend that is not exact for opaque pixels.
    Doc = std::make_unique<TImageDraw>(Adapter.get(), nullptr, nullptr, nullptr, nullptr, String(), 0, false, false,
                                       nullptr, 200, 100, 0xFFFFFF, false, 24);
    Doc->SrcBmp()->Assign(Pattern(200, 100).get());
    Doc->InitBitmap();
    Doc->Draw();
    const String Name = TempName("lm_docfile_size.jpg");
    for (Integer Step : {3, 8, 10}) {
        Doc->FileDT()->GetItem(0)->GetItem(10)->SetValue(Step);
        ASSERT_TRUE(Doc->SaveAs(Name));
        EXPECT_EQ(Doc->CalcJpgFileSize(Step * 10), FileSizeOf(Name)) << "step " << Step;
    }
    Remove(Name);
}
}  // namespace
