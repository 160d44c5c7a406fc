#include "dialogs/FileOptions.h"

TRow& FileOptionsRow(TDataTable& FileDT)
{
    if (FileDT.ItemCount() == 0) FileDT.Init(5, 20);
    TRow& Row = *FileDT.GetItem(0);
    while (Row.ItemCount() <= FileOptionCol::BmpDepth) Row.AddItem(String());
    return Row;
}

Integer InitialJpegStep(const TRow& Options)
{
    Integer Step = 0;
    if (Options.ItemCount() > FileOptionCol::JpegStep)
        TryStrToInt(Options.GetItem(FileOptionCol::JpegStep)->Text(), Step);
    // A step outside the combo box's items is as good as none.
    return Step >= 1 && Step <= 10 ? Step : 9;
}

Integer CheckedBmpDepth(const bool (&Checked)[6])
{
    for (int I = 0; I < 5; ++I)
        if (Checked[I]) return BmpDepths[I];
    return 32;
}
