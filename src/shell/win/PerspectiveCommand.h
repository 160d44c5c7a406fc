// PerspectiveCommand: the perspective dialog over an effect run on the live
// document, at the place it was last left (the "more" menu's transform item).
#pragma once

class TfrmZezavEzazer;
class TImageDraw;

// The document's effect mode is already the perspective; true on OK.
bool ShowTransformDialog(TfrmZezavEzazer& Form, TImageDraw& Doc);
