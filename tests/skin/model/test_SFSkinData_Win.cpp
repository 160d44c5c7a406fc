// The skin messages under Windows: real forms receive them through their
// window procedures, in the order the model promises, and see the model's
// state of each step.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <vector>

#include "framework/controls/win/Forms.h"
#include "framework/graphics/win/Graphics.h"
#include "framework/graphics/win/Jpeg.h"
#include "skin/model/SFCompressedSkin.h"
#include "skin/model/win/SFSkinData_Win.h"
#include "SkinTestData.h"

using namespace skintest;

namespace {

struct TReceived {
    String Form;
    Integer Msg;
    bool Empty;
    bool Changing;
    size_t Controls;
};
std::vector<TReceived> GReceived;

class TRecordingForm : public TForm {
public:
    TRecordingForm(TComponent* AOwner, const String& AName) : TForm(AOwner), FLabel(AName) {}
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg >= WM_BEFORECHANGESKINDATA && Message.Msg <= WM_CHANGESKINDATAFINISHED) {
            EXPECT_EQ(Message.LParam, SkinDataMessageLParam);
            auto* data = reinterpret_cast<TsfSkinData*>(Message.WParam);
            GReceived.push_back({FLabel, static_cast<Integer>(Message.Msg), data->Empty, data->ChangeSkinDataProcess,
                                 data->CtrlList.size()});
        }
        TForm::WndProc(Message);
    }

private:
    String FLabel;
};

// The layered border windows never hear of skin changes.
class TsfFormLayerWindow : public TRecordingForm {
public:
    using TRecordingForm::TRecordingForm;
    String ClassName() const override { return u"TsfFormLayerWindow"; }
};

RawByteString SkinBody(const char* Controls)
{
    const bool frame[FixedPictureCount] = {true, false, true, false, false};
    return BodyBytes(2, frame, 0,
                     RawByteString("[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n") +
                         Controls);
}

class SkinDataWin : public testing::Test {
protected:
    void SetUp() override
    {
        InstallSkinDataWin();
        GReceived.clear();
        // Screen order: B, the owner, C, a layered border window, D.
        b = new TRecordingForm(nullptr, u"B");
        owner = new TRecordingForm(nullptr, u"Owner");
        c = new TRecordingForm(nullptr, u"C");
        layer = new TsfFormLayerWindow(nullptr, u"Layer");
        d = new TRecordingForm(nullptr, u"D");
        model = new TsfSkinData(owner);
        Store(SkinBody("count=2\r\n0=a:button\r\n1=b:edit\r\n"));
    }
    void TearDown() override
    {
        for (TForm* f : {d, layer, c, owner, b}) delete f;  // the owner takes the model
        SfSkinMessageSender = nullptr;
    }
    void Store(const RawByteString& Body)
    {
        const RawByteString z = Compress(Body);
        TMemoryStream s;
        s.WriteBuffer(z.data(), static_cast<Integer>(z.size()));
        s.SetPosition(0);
        stored.ReadCompressedData(&s);
    }
    std::vector<String> Order(Integer Msg) const
    {
        std::vector<String> names;
        for (const TReceived& r : GReceived)
            if (r.Msg == Msg) names.push_back(r.Form);
        return names;
    }

    TForm *b = nullptr, *owner = nullptr, *c = nullptr, *layer = nullptr, *d = nullptr;
    TsfSkinData* model = nullptr;
    TsfCompressedStoredSkin stored{nullptr};
};

TEST_F(SkinDataWin, OwnerFirstThenScreenOrderAndEachSeesItsStep)
{
    model->SetShowLayeredBorders(false);
    GReceived.clear();
    ASSERT_TRUE(model->LoadCompressedStoredSkin(&stored));
    const std::vector<String> expected = {u"Owner", u"B", u"C", u"D"};
    for (Integer msg : {1225, 1226, 1227}) EXPECT_EQ(Order(msg), expected) << msg;
    ASSERT_EQ(GReceived.size(), 12u);
    for (const TReceived& r : GReceived) {
        const std::string what = UTF8Encode(r.Form) + " " + std::to_string(r.Msg);
        switch (r.Msg) {
            case 1225:
                EXPECT_TRUE(r.Empty) << what;
                EXPECT_TRUE(r.Changing) << what;
                break;
            case 1226:
                EXPECT_FALSE(r.Empty) << what;
                EXPECT_TRUE(r.Changing) << what;
                EXPECT_EQ(r.Controls, 2u) << what;
                break;
            default:
                EXPECT_FALSE(r.Empty) << what;
                EXPECT_FALSE(r.Changing) << what;
        }
    }
    // All of 1225 before any 1226: each send completes before the next.
    EXPECT_EQ(GReceived[3].Msg, 1225);
    EXPECT_EQ(GReceived[4].Msg, 1226);
}

TEST_F(SkinDataWin, LayeredBordersChooseTheOrder)
{
    struct Case {
        const char* Name;
        Integer LayerPicture;
        std::vector<String> Expected;
    };
    const Case cases[] = {
        {"layered frame with a picture: reverse screen order", 0, {u"D", u"C", u"Owner", u"B"}},
        {"layered frame without a picture: screen order", -1, {u"B", u"Owner", u"C", u"D"}},
    };
    for (const Case& k : cases) {
        model->LayerFrame->PictureIndex = k.LayerPicture;
        GReceived.clear();
        model->SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
        EXPECT_EQ(Order(WM_AFTERCHANGESKINDATA), k.Expected) << k.Name;
    }
}

TEST_F(SkinDataWin, AFailedLoadSendsNothingAndClearSkinAnnouncesFirst)
{
    model->SetShowLayeredBorders(false);
    ASSERT_TRUE(model->LoadCompressedStoredSkin(&stored));
    RawByteString version4 = SkinBody("");
    version4[0] = 4;
    Store(version4);
    GReceived.clear();
    EXPECT_FALSE(model->LoadCompressedStoredSkin(&stored));
    EXPECT_TRUE(GReceived.empty());
    EXPECT_EQ(model->CtrlList.size(), 2u);

    model->ClearSkin();
    ASSERT_EQ(Order(1225).size(), 4u);
    EXPECT_EQ(GReceived[0].Controls, 2u);  // 1225 comes while the old skin is still there
    EXPECT_TRUE(GReceived[0].Empty);
    EXPECT_EQ(Order(1227).size(), 4u);
    EXPECT_TRUE(model->Empty);
}

// A folder skin may name JPEG pictures: they arrive as 24-bit pictures of
// their size. A cursor file that does not load leaves its slot to the
// default cursor.
TEST(SkinDataWinFiles, JpegPicturesAndMissingCursors)
{
    InstallSkinDataWin();
    const String dir = TempName(u"jpeg") + u"\\";
    ForceDirectories(dir);
    TBitmap bitmap;
    bitmap.SetDib(Picture(40, 24, pf24bit, 5));
    TJPEGImage jpeg;
    jpeg.Assign(&bitmap);
    jpeg.SaveToFile(dir + u"back.jpeg");
    // A section without keys does not count as present.
    WriteFile(dir + u"skin.ini", "[VERSION]\r\nskinname=J\r\n[PICTURES]\r\nactivepicturescount=1\r\n0=back.jpeg\r\n"
                                 "[CURSORS]\r\nstartcursorindex=40\r\ncursorscount=1\r\n0=missing.cur\r\n"
                                 "[FORMINFO]\r\nborderwidth=2\r\n[SKINOBJECTS]\r\ncount=0\r\n"
                                 "[SKINCONTROLS]\r\ncount=0\r\n");
    TsfSkinData model(nullptr);
    ASSERT_TRUE(model.LoadFromFile(dir + u"skin.ini")) << UTF8Encode(model.LoadError());
    ASSERT_EQ(model.FActivePictures.size(), 1u);
    EXPECT_EQ(model.FActivePictures[0].Width, 40);
    EXPECT_EQ(model.FActivePictures[0].Height, 24);
    EXPECT_EQ(model.FActivePictures[0].PixelFormat, pf24bit);
    EXPECT_EQ(Screen->Cursors(40), Screen->Cursors(crDefault));
    SfSkinMessageSender = nullptr;
}

// A folder skin's JPEG pictures are counted from their headers: one that
// claims more than a skin may hold is refused before it is decoded, with a
// message naming the limit, and the refused skin costs next to no memory.
TEST(SkinDataWinFiles, JpegPicturesAreCountedBeforeTheyAreDecoded)
{
    InstallSkinDataWin();
    const String dir = TempName(u"jpegbomb") + u"\\";
    ForceDirectories(dir);
    TBitmap bitmap;
    bitmap.SetDib(Picture(16, 16, pf24bit, 3));
    TJPEGImage jpeg;
    jpeg.Assign(&bitmap);
    TMemoryStream saved;
    jpeg.SaveToStream(&saved);
    const RawByteString real(static_cast<const char*>(saved.Memory()), static_cast<size_t>(saved.Size()));
    size_t frame = 0;
    for (size_t i = 0; i + 9 < real.size() && !frame; ++i)
        if (static_cast<uint8_t>(real[i]) == 0xFF && (static_cast<uint8_t>(real[i + 1]) & 0xFC) == 0xC0) frame = i;
    ASSERT_NE(frame, 0u);
    WriteFile(dir + u"skin.ini", "[VERSION]\r\nskinname=J\r\n[PICTURES]\r\nactivepicturescount=1\r\n0=back.jpg\r\n"
                                 "[FORMINFO]\r\nborderwidth=2\r\n[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=0\r\n");
    struct {
        uint16_t Width, Height;
        const char* Says;
    } const cases[] = {
        {3000, 3000, "8388608 pixels"},  // one picture's cap holds it, the skin's sum does not
        {8000, 8000, "too large"},       // beyond one skin picture, within what a decoder makes
        {65000, 65000, "too large"},     // beyond what a decoder makes
    };
    PROCESS_MEMORY_COUNTERS before{};
    ASSERT_TRUE(K32GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before));
    for (const auto& c : cases) {
        RawByteString bomb = real;
        bomb[frame + 5] = static_cast<char>(c.Height >> 8), bomb[frame + 6] = static_cast<char>(c.Height);
        bomb[frame + 7] = static_cast<char>(c.Width >> 8), bomb[frame + 8] = static_cast<char>(c.Width);
        WriteFile(dir + u"back.jpg", bomb);
        TsfSkinData model(nullptr);
        EXPECT_FALSE(model.LoadFromFile(dir + u"skin.ini")) << c.Width;
        EXPECT_NE(UTF8Encode(model.LoadError()).find(c.Says), std::string::npos)
            << c.Width << ": " << UTF8Encode(model.LoadError());
    }
    PROCESS_MEMORY_COUNTERS after{};
    ASSERT_TRUE(K32GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after));
    EXPECT_LT(after.PeakWorkingSetSize - before.PeakWorkingSetSize, size_t(100) << 20);
    SfSkinMessageSender = nullptr;
}

}  // namespace
