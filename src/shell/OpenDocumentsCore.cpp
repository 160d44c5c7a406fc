#include "shell/OpenDocumentsCore.h"

#include "foundation/HyFileUtils_ImageInfo.h"
#include "shell/MainLifecycle.h"

String UntitledName(const TDataTable& Table, const String& Base, Integer LangColumn)
{
    const String Prefix = LangColumn != 0 ? Base + u" " : Base;
    for (Integer N = 1;; ++N) {
        const String Name = Prefix + IntToStr(N);
        if (FindOpenFileRow(Table, Name) < 0) return Name;
    }
}

Integer FindOpenFileRow(const TDataTable& Table, const String& Name)
{
    for (Integer I = 0; I < Table.ItemCount(); ++I) {
        const TRow& R = *Table.GetItem(I);
        if (R.ItemCount() > OpenFileCol::FileName && AnsiSameText(R.GetItem(OpenFileCol::FileName)->Text(), Name))
            return I;
    }
    return -1;
}

TRegisteredRow RegisterOpenFileRow(TDataTable& Table, const String& Name, bool Untitled, Integer NewW, Integer NewH)
{
    TRegisteredRow Result{FindOpenFileRow(Table, Name), false};
    if (Result.Index < 0) {
        auto Row = std::make_unique<TRow>();
        Row->Init(std::vector<String>(OpenFileCells));
        Row->GetItem(OpenFileCol::FileName)->SetText(Name);
        if (Untitled) {
            Row->GetItem(OpenFileCol::New)->SetAsBool(true);
            Row->GetItem(OpenFileCol::Width)->SetValue(NewW);
            Row->GetItem(OpenFileCol::Height)->SetValue(NewH);
        }
        Row->GetItem(OpenFileCol::Tool)->SetValue(OpenFileNewRowTool);
        Row->Data4().Own(std::make_unique<TDataTable>());
        Row->Data5().Own(std::make_unique<TDataTable>());
        Table.InsertItem(0, Row.release(), false);
        Result = {0, true};
    }
    if (!Table.GetItem(Result.Index)->GetItem(OpenFileCol::Current)->AsBool())
        for (Integer I = 0; I < Table.ItemCount(); ++I)
            Table.GetItem(I)->GetItem(OpenFileCol::Current)->SetAsBool(I == Result.Index);
    Table.SetRowIndex(Result.Index);
    return Result;
}

void StashViewCells(TRow& Row, const TDocumentView& View)
{
    Row.GetItem(OpenFileCol::Scale)->SetText(FloatToStr(View.Scale));
    Row.GetItem(OpenFileCol::CenterX)->SetValue(View.CenterX);
    Row.GetItem(OpenFileCol::CenterY)->SetValue(View.CenterY);
    Row.GetItem(OpenFileCol::AntiAlias)->SetAsBool(View.AntiAlias);
    Row.GetItem(OpenFileCol::UndoIndex)->SetValue(View.UndoIndex);
}

bool StoredScale(const TRow& Row, Single& Scale)
{
    Single S = 0;
    if (!TryStrToFloat(Row.GetItem(OpenFileCol::Scale)->Text(), S) || !(S > 0)) return false;
    Scale = S;
    return true;
}

String ImageSizeRefusal(Int64 W, Int64 H, const String& Text385, const String& Text384, const String& Text395)
{
    if (W <= 0 || H <= 0) return Text395;
    if (W * H <= MaxImagePixels) return String();
    return Text385 + u"\r\n" + Text384 + u" " + IntToStr(W) + u" × " + IntToStr(H) + u" = " + IntToStr(W * H) + u".";
}

std::vector<String> AcceptedDroppedFiles(const std::vector<String>& Names)
{
    static const char16_t* const Kinds[] = {u".bmp", u".jpg", u".jpe", u".jpeg", u".png", u".gif"};
    std::vector<String> Accepted;
    for (const String& N : Names) {
        const String Ext = ExtractFileExt(N);
        for (const char16_t* K : Kinds)
            if (SameText(Ext, K)) {
                Accepted.push_back(N);
                break;
            }
    }
    return Accepted;
}

Integer NextLiveRowAfterClose(Integer Closed, Integer Count) { return Closed < Count ? Closed : Count - 1; }

String SaveAsFileName(const String& Name, Integer FilterIndex)
{
    static const char16_t* const Exts[] = {u".jpg", u".png", u".gif", u".bmp"};
    if (FilterIndex < 1 || FilterIndex > 4) return Name;
    return ChangeFileExt(Name, Exts[FilterIndex - 1]);
}

String SaveAsOpenRefusal(const String& Name, const String& Text174, const String& Text175)
{
    return Text174 + u" \"" + Name + u"\" " + Text175;
}

TJpgOptionsStep DecideJpgOptions(bool SkipDialog, bool SameOnNext)
{
    if (SkipDialog) return TJpgOptionsStep::Quality90;
    return SameOnNext ? TJpgOptionsStep::Stored : TJpgOptionsStep::Ask;
}

bool BmpOptionsAsked(bool Always, Integer LoadedDepth) { return Always || LoadedDepth <= 0; }

TSaveNotice DecideSaveNotice(Integer CalledAppId, bool GalleryWindowExists, const String& GalleryFolder,
                             const String& FileName)
{
    if (CalledAppId <= 0)
        // An empty folder would "occur" in every name.
        return GalleryWindowExists && !GalleryFolder.empty() && Pos(GalleryFolder, FileName) > 0 ? TSaveNotice::Gallery
                                                                                                   : TSaveNotice::None;
    return CalledAppId <= 2 ? TSaveNotice::Caller : TSaveNotice::None;
}

String CallerShareRowName(Integer CalledAppId)
{
    if (CalledAppId == 1) return u"Gallery";
    if (CalledAppId == 2) return u"Trivane";
    return String();
}

std::uintptr_t StoredWindowHandle(const String& Text)
{
    Int64 H = 0;
    if (!TryStrToInt64(Text, H) || H == 0) return 0;
    return static_cast<std::uintptr_t>(H);
}

String ImageSizeText(Integer W, Integer H) { return IntToStr(W) + u" × " + IntToStr(H); }

String ImageBitsText(Integer Depth)
{
    if (Depth == 0) return String();
    return (Depth < 0 ? String(u"32") : IntToStr(Depth)) + u"b";
}
