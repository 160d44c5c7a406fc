// Fuzz target of the skin readers: the ".skn" container with the stored skin
// (first byte odd), or a decompressed skin body (first byte even) read into
// the skin model. A skin that loads is written back as a body that must read
// again. A libFuzzer program in a clang build (LM_FUZZ), replayed over its
// corpus in the host build (lm_fuzz).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skin/model/SFCompressedSkin.h"
#include "skin/model/SFSkinData.h"

namespace {

void Check(bool Condition)
{
    if (!Condition) std::abort();
}

void WriteAndReadBack(const TsfSkinContent& Content)
{
    TMemoryStream s;
    WriteSkinBody(&s, Content.MakeBody());
    s.SetPosition(0);
    TsfSkinBody body;
    ReadSkinBody(&s, body);
    TsfSkinContent again;
    again.ReadBody(body);
    Check(again.CtrlList.size() == Content.CtrlList.size());
    Check(again.ObjectList.size() == Content.ObjectList.size());
    Check(again.FActivePictures.size() == Content.FActivePictures.size());
}

void FuzzContainer(const uint8_t* Data, size_t Size)
{
    TMemoryStream file;
    file.WriteBuffer(Data, static_cast<Integer>(Size));
    TsfCompressedStoredSkin stored(nullptr);
    try {
        stored.LoadFromCompressStream(&file);
    } catch (const Exception&) {
        Check(stored.Empty());
        return;
    }
    TsfSkinData model(nullptr);
    if (model.LoadCompressedStoredSkin(&stored)) WriteAndReadBack(model);
    else Check(model.Empty);
}

void FuzzBody(const uint8_t* Data, size_t Size)
{
    TMemoryStream s;
    s.WriteBuffer(Data, static_cast<Integer>(Size));
    s.SetPosition(0);
    TsfSkinBody body;
    TsfSkinContent content;
    try {
        ReadSkinBody(&s, body);
        content.ReadBody(body);
    } catch (const Exception&) {
        return;
    }
    WriteAndReadBack(content);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size == 0) return 0;
    if (Data[0] & 1) FuzzContainer(Data + 1, Size - 1);
    else FuzzBody(Data + 1, Size - 1);
    return 0;
}
