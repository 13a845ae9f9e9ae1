// Helpers shared by the files of the options form.
#pragma once

#include <cstdint>

#include "display/options/options_form.h"

// Tells the owner of the form that an edit happened (unless the controls
// are being filled).
void MarkOptionsDirty(OptionsForm& form);

// Sets the face, style and size labels from the working copy.
void SetFontLabels(OptionsForm& form);

// Creates the six framed bitmaps, each the size of its control's client area.
void CreateOptionsBitmaps(OptionsForm& form);

void PaintSwatch(OptionsForm& form, int swatch);
void PaintGradient(OptionsForm& form);

// The colour a swatch edits.
uint32_t& SwatchColor(DisplaySettings& settings, int swatch);

// The folder, font and colour dialogs, owned by the form.
void RunFontDialog(OptionsForm& form);
void RunColorDialog(OptionsForm& form, int swatch);
void RunFolderDialog(OptionsForm& form);
