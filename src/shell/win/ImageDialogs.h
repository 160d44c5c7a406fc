// ImageDialogs: the main window's image commands meet their dialogs: the
// new-image, canvas, image-size and watermark commands show them (owned by
// the application, shown modally, freed) and take their answers.
#pragma once

class TfrmZezavEzazer;

void BindImageDialogs(TfrmZezavEzazer& Form);
