#include "shell/win/OpenDocuments.h"

#include "document/win/ImageDraw_Win.h"
#include "foundation/HyPresets.h"
#include "foundation/win/Global_Win.h"
#include "foundation/win/HySysUtils_Win.h"
#include "shell/MainLifecycle.h"
#include "shell/win/ZezavEzazerForm.h"

TOpenDocuments::TOpenDocuments(TfrmZezavEzazer& AForm) : FForm(AForm) {}

TOpenDocuments::~TOpenDocuments() = default;

void TOpenDocuments::LoadOpenFileTable()
{
    FOpenFileDT = std::make_unique<TDataTable>(String(), ColumnSet({1}));
    FOpenFileDT->SetIsAddVerifyCode(true);
    FOpenFileDT->Load(DataFolder + u"OpenFile.db");
    PrepareOpenFileRows(*FOpenFileDT, [](const String& F) { return !F.empty() && FileExists(F); });
}

bool TOpenDocuments::LoadDocument(const String& FileName)
{
    if (!FFileName.empty() && FFileName == FileName) return false;
    if (!FView) FView = std::make_unique<TImgViewDrawView>(FForm.Image);
    const TRow& Settings = *ConfigTable->GetItem(1);
    std::unique_ptr<TImageDraw> Doc;
    try {
        if (!FileName.empty() && FileExists(FileName))
            Doc = std::make_unique<TImageDraw>(FView.get(), nullptr, nullptr, nullptr, nullptr, FileName,
                                               FForm.LanguageIndex(), false, false, nullptr, 0, 0, 0, false, -1);
        else
            Doc = std::make_unique<TImageDraw>(FView.get(), nullptr, nullptr, nullptr, nullptr, String(),
                                               FForm.LanguageIndex(), false, false, nullptr,
                                               Settings.GetItem(0)->Value(), Settings.GetItem(1)->Value(),
                                               Settings.GetItem(2)->Value(), Settings.GetItem(3)->Value() == 2, 24);
    } catch (const Exception& E) {
        ShowInfoMsg(E.Message(), EditionTitle);
        return false;
    }
    FDocument = std::move(Doc);
    FFileName = FileName;
    FDocument->SetPropDT(PropertyTable.get());
    FDocument->SetShadowDT(ShadowPresetTable.get());
    FDocument->SetReflectDT(ReflectPresetTable.get());
    FDocument->SetObjGradientDT(ObjGradientTable.get());
    FDocument->SaveUndoFirst();
    FDocument->InitBitmap();
    FDocument->Draw();
    const String Title = (FileName.empty() ? GetLangText(1, 1) : ExtractFileName(FileName)) + u" - " + EditionTitle;
    FForm.SetCaption(Title);
    Application->SetTitle(Title);
    return true;
}

bool TOpenDocuments::OpenImageFile(const String& FileName) { return LoadDocument(FileName); }

bool TOpenDocuments::QuerySaveDocuments(bool)
{
    if (!FDocument || !FDocument->Changed()) return true;
    const String Text = GetLangText(1, 149) + u"\"" + (FFileName.empty() ? GetLangText(1, 1) : FFileName) + u"\"" +
                        GetLangText(1, 151);
    switch (Application->MessageBox(Text, EditionTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDCANCEL: return false;
        case IDYES: return !FFileName.empty() && FDocument->Save();
        default: return true;
    }
}

void TOpenDocuments::SaveTable()
{
    if (FOpenFileDT) FOpenFileDT->Save();
}

void TOpenDocuments::FreeRowObjects()
{
    if (!FOpenFileDT) return;
    for (Integer I = 0; I < FOpenFileDT->ItemCount(); ++I) {
        TRow* R = FOpenFileDT->GetItem(I);
        for (TDataSlot* S : {&R->Data(), &R->Data2(), &R->Data3(), &R->Data4(), &R->Data5()}) S->Clear();
    }
}

void TOpenDocuments::FreeDocument() { FDocument.reset(); }

void TOpenDocuments::FreeTable() { FOpenFileDT.reset(); }
