// ToolPanels: the tool buttons, the tool property panels, the colour buttons' shared handlers, the style strip and the pickers.
// A group of the main window: owned by TfrmZezavEzazer, which keeps the
// named operations other parts call as short forwards to it.
#pragma once

class TfrmZezavEzazer;

class TToolPanels {
public:
    explicit TToolPanels(TfrmZezavEzazer& AForm);
    TToolPanels(const TToolPanels&) = delete;
    TToolPanels& operator=(const TToolPanels&) = delete;

private:
    TfrmZezavEzazer& FForm;
};
