// PresetPanel: the effect and frame preset tiles of the right panel and their thumbnails.
// A group of the main window: owned by TfrmZezavEzazer, which keeps the
// named operations other parts call as short forwards to it.
#pragma once

class TfrmZezavEzazer;

class TPresetPanel {
public:
    explicit TPresetPanel(TfrmZezavEzazer& AForm);
    TPresetPanel(const TPresetPanel&) = delete;
    TPresetPanel& operator=(const TPresetPanel&) = delete;

private:
    TfrmZezavEzazer& FForm;
};
