// EditorCommands: the edit, arrange and image commands, zoom, rulers and guides.
// A group of the main window: owned by TfrmZezavEzazer, which keeps the
// named operations other parts call as short forwards to it.
#pragma once

class TfrmZezavEzazer;

class TEditorCommands {
public:
    explicit TEditorCommands(TfrmZezavEzazer& AForm);
    TEditorCommands(const TEditorCommands&) = delete;
    TEditorCommands& operator=(const TEditorCommands&) = delete;

private:
    TfrmZezavEzazer& FForm;
};
