#include "shell/MainLifecycle.h"

#include <cstring>

#include "shell/MainLayoutTable.h"

String MainTitleSuffix(Integer LangColumn)
{
    return LangColumn == 0 ? String(u"- 阔文卢玛特拉") : String(u"- Quorvan Lumatra Standard");
}

void LoadCropSizes(TDataTable& Table, const String& Text)
{
    TRow Pieces;
    Pieces.Init(Text.empty() ? String(DefaultCropSizes) : Text, u'.');
    const Integer N = Pieces.ItemCount() / 2;
    Table.Clear();
    for (Integer I = 0; I < N; ++I)
        Table.AddItem(Pieces.GetItem(I)->Text() + u"," + Pieces.GetItem(I + N)->Text());
}

String CropSizesText(const TDataTable& Table)
{
    String Widths, Heights;
    for (Integer I = 0; I < Table.ItemCount(); ++I) {
        const TRow* R = Table.GetItem(I);
        Widths += R->GetItem(0)->Text() + u".";
        if (I > 0) Heights += u".";
        Heights += R->ItemCount() > 1 ? R->GetItem(1)->Text() : String();
    }
    return Widths + Heights;
}

void PrepareOpenFileRows(TDataTable& Table, const std::function<bool(const String&)>& FileExists)
{
    for (Integer I = Table.ItemCount() - 1; I >= 0; --I) {
        TRow* R = Table.GetItem(I);
        while (R->ItemCount() < OpenFileCells) R->AddItem(String());
        R->GetItem(15)->SetText(u"0");
        R->GetItem(4)->SetText(u"0");
        R->GetItem(12)->SetText(String());
        if (!FileExists(R->GetItem(1)->Text())) {
            Table.RemoveItemByIndex(I);
            continue;
        }
        R->Data4().Own(std::make_unique<TDataTable>());
        R->Data5().Own(std::make_unique<TDataTable>());
    }
}

String ChooseFirstDocument(const TFirstDocumentInput& In, const std::function<bool(const String&)>& FileExists)
{
    if (!In.ArgFile.empty() && FileExists(In.ArgFile)) return In.ArgFile;
    const TRow& S = *In.Settings;
    if (S.GetItem(32)->AsBool()) {
        const String Default = UnescapeCellText(S.GetItem(33)->Text());
        if (!Default.empty() && FileExists(Default)) return Default;
    }
    if (S.GetItem(30)->AsBool()) {
        const String Last = UnescapeCellText(S.GetItem(31)->Text());
        if (!Last.empty() && FileExists(Last)) return Last;
        return In.FirstOpenFile;
    }
    return String();
}

Integer CalledAppIdOf(const String& Arg)
{
    Integer Id = 0;
    return TryStrToInt(Trim(Arg), Id) ? Id : 0;
}

TMainCloseStep DecideClose(bool DeveloperMode, bool AppClosed, bool NoticeNotAgain)
{
    if (DeveloperMode) return TMainCloseStep::AskAndEnd;
    if (AppClosed) return TMainCloseStep::End;
    return NoticeNotAgain ? TMainCloseStep::Hide : TMainCloseStep::HideWithNotice;
}

TPanelPlace DefaultTextPanelPlace(Integer FormWidth, Integer RightWidth, Integer TextWidth, Integer TopHeight)
{
    return {FormWidth - RightWidth - TextWidth - 20, TopHeight + 25};
}

Integer StyleColumnCount(Integer ScreenWidth, Integer StylesLeft, Integer StyleButtonsWidth)
{
    const Integer N = (ScreenWidth - StylesLeft - StyleButtonsWidth - 15) / MainLayoutSize::StylePitchX;
    // A narrow screen still shows one column rather than none.
    return N < 1 ? 1 : (N > MainLayoutSize::StyleMaxColumns ? MainLayoutSize::StyleMaxColumns : N);
}

String CopiedFileName(const void* Data, std::size_t Bytes)
{
    String Name;
    if (!Data) return Name;
    const std::size_t Count = Bytes / sizeof(Char);
    const auto* P = static_cast<const unsigned char*>(Data);
    for (std::size_t I = 0; I < Count; ++I) {
        Char C;
        std::memcpy(&C, P + I * sizeof(Char), sizeof(Char));  // the block need not be aligned
        if (C == 0) break;
        Name += C;
    }
    return Name;
}
