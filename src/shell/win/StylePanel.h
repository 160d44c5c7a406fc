// StylePanel: the style strip of the main window. Eighteen images, each
// showing one style of the current tool drawn by a real object; a click makes
// that style the tool's (and restyles the selected objects in one undo
// step); the current style is framed, the hovered one highlighted. The strip
// shows one row at a time; the up, down and all buttons page it or expand it
// until the pointer leaves.
#pragma once

#include <array>
#include <memory>

#include "shell/StylePages.h"
#include "shell/StylePreviews.h"

class TfrmZezavEzazer;
class TImage32;
class TsfSkinPanel;
class TsfSkinSpeedButton;
class TTimer;

class TStylePanel {
public:
    explicit TStylePanel(TfrmZezavEzazer& AForm);
    ~TStylePanel();
    TStylePanel(const TStylePanel&) = delete;
    TStylePanel& operator=(const TStylePanel&) = delete;

    // Makes the images in rows of ColCount and the page buttons.
    void CreateStyleImages(Integer ColCount);
    // The tool or its style changed: previews made and redrawn.
    void BuildStyleImages();
    void DrawStyleImages();
    void ShowStylePage();
    void CollapseStylePanel();

    TImage32* Image(Integer Index) const { return FImages[static_cast<size_t>(Index)]; }
    StylePreviews::TStyleStrip* Strip() const { return FStrip.get(); }
    Integer ColCount() const { return FColCount; }
    TsfSkinSpeedButton* sbStyleUp = nullptr;
    TsfSkinSpeedButton* sbStyleDown = nullptr;
    TsfSkinSpeedButton* sbStyleAll = nullptr;
    TTimer* Timer2 = nullptr;

    void StyleImageMouseEnter(Integer Index);
    void StyleImageMouseLeave(Integer Index);
    void StyleImageClick(Integer Index);
    void sbStyleUpClick();
    void sbStyleDownClick();
    void sbStyleAllClick();
    void Timer2Timer();

private:
    TColor Back() const;
    void Repaint(Integer Index);

    TfrmZezavEzazer& FForm;
    std::array<TImage32*, StylePreviews::ImageCount> FImages{};
    std::unique_ptr<StylePreviews::TStyleStrip> FStrip;
    Integer FColCount = 1;
    Integer FPageIndex = 0;
};
