#include <gtest/gtest.h>

#include "SkinControlTestEnv.h"
#include "skin/frame/win/SkinForm.h"

using namespace guitest;
using namespace skintest;

TEST(SkinObjectsDump, Objects)
{
    for (const char16_t* Name : SkinNames) {
        auto S = LoadSkin(Name);
        printf("== %s caption %d,%d,%d,%d  LT %d,%d RT %d,%d LB %d,%d cl %d,%d,%d,%d\n", std::string(UTF8Encode(Name)).c_str(),
               S->CaptionRect.Left, S->CaptionRect.Top, S->CaptionRect.Right, S->CaptionRect.Bottom, S->LTPoint.X,
               S->LTPoint.Y, S->RTPoint.X, S->RTPoint.Y, S->LBPoint.X, S->LBPoint.Y, S->ClRect.Left, S->ClRect.Top,
               S->ClRect.Right, S->ClRect.Bottom);
        for (const auto& O : S->ObjectList)
            printf("%s %s skin %d,%d,%d,%d act %d,%d,%d,%d inpic %d mask %d morph %d\n", std::string(UTF8Encode(O->ClassName())).c_str(),
                   std::string(UTF8Encode(O->IDName)).c_str(), O->SkinRect.Left, O->SkinRect.Top, O->SkinRect.Right,
                   O->SkinRect.Bottom, O->ActiveSkinRect.Left, O->ActiveSkinRect.Top, O->ActiveSkinRect.Right,
                   O->ActiveSkinRect.Bottom, O->SkinRectInAPicture, O->ActiveMaskPictureIndex, O->Morphing);
    }
    ADD_FAILURE();
}
