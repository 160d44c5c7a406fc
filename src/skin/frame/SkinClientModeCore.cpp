#include "skin/frame/SkinClientModeCore.h"

#include <algorithm>

TsfClientFit FitClientToPicture(bool NineSlice, bool MinWidthSet, bool MinHeightSet, Integer ClientW, Integer ClientH,
                                Integer PictureW, Integer PictureH)
{
    TsfClientFit F;
    if (NineSlice) {
        if (MinWidthSet && MinHeightSet) return F;
        F.Width = std::max(ClientW, PictureW);
        F.Height = std::max(ClientH, PictureH);
    } else {
        F.Width = PictureW;
        F.Height = PictureH;
        F.FixedSize = true;
    }
    F.Change = F.Width != ClientW || F.Height != ClientH;
    return F;
}

TsfRollUpPlace RollUpPlace(Integer FormW, Integer PictureW, Integer PictureH, Integer LeftX, Integer RightX)
{
    TsfRollUpPlace P;
    P.Stretch = LeftX < RightX;
    P.Height = PictureH;
    P.Width = P.Stretch ? FormW : PictureW;
    P.D = P.Stretch ? FormW - PictureW : 0;
    return P;
}

TRect RollUpObjectRect(const TRect& SkinRect, Integer D, Integer LeftX, Integer RightX)
{
    TRect R = SkinRect;
    if (R.Left >= RightX) {
        R.Left += D;
        R.Right += D;
    } else if (R.Left <= LeftX && R.Right >= RightX) {
        R.Right += D;
    }
    return R;
}
