// MainLayout: the main window's layout group. It makes the window's parts from
// the layout table (shell/MainLayoutTable) and finds them by name; the
// arrangement of the side panels on a resize lives here too.
#pragma once

#include <map>

#include "framework/controls/win/Controls.h"
#include "shell/MainLayoutTable.h"

class TfrmZezavEzazer;
class TsfSkinData;

class TMainLayout {
public:
    explicit TMainLayout(TfrmZezavEzazer& AForm);
    TMainLayout(const TMainLayout&) = delete;
    TMainLayout& operator=(const TMainLayout&) = delete;

    // Makes every part of the table, owned and parented as it says, each
    // skinned part bound to SkinData.
    void CreateParts(TsfSkinData* SkinData);
    // The part of that name; raises EListError for a name not in the table.
    TControl* Part(const String& Name) const;
    template <class T>
    T* PartAs(const String& Name) const
    {
        return dynamic_cast<T*>(Part(Name));
    }

    // The window was resized (once it is fully made): the side panels'
    // parts, then the rulers.
    void FormResize();
    // The program menu button and the link under the tool buttons on the
    // left (lower when the column is short), the measuring panel centred
    // under the canvas. The preset panel lays out its own parts.
    void LayoutRightPanel();

    // The banner's background id a download named (nothing shows it).
    const String& AdvertBackId() const { return FAdvertBackId; }

private:
    void BindTicker(class THyMsgText& Ticker);
    TControl* MakePart(const TMainPart& P, TsfSkinData* SkinData);

    TfrmZezavEzazer& FForm;
    std::map<String, TControl*> FParts;
    String FAdvertBackId;
};
