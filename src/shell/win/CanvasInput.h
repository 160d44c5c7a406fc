// CanvasInput: the mouse and keys on the canvas, turned into calls on the live document by the current tool.
// A group of the main window: owned by TfrmZezavEzazer, which keeps the
// named operations other parts call as short forwards to it.
#pragma once

class TfrmZezavEzazer;

class TCanvasInput {
public:
    explicit TCanvasInput(TfrmZezavEzazer& AForm);
    TCanvasInput(const TCanvasInput&) = delete;
    TCanvasInput& operator=(const TCanvasInput&) = delete;

private:
    TfrmZezavEzazer& FForm;
};
