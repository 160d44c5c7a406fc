// HyPresets: the program-wide preset tables that the editor, the dialogs and
// every open document read: effect presets and frame categories, the default
// properties of each kind of drawn object, shadow, reflection and gradient
// presets, quick styles, saved selections and text templates. The main window
// builds them once, while it is created, and saves the persistent ones when
// it closes.
//
// A persistent table is loaded from its file in the data folder; a missing or
// empty file, and a damaged one (rows too few or too short for the program
// to index), gives the built-in rows. Tables with a version in property 9 are
// then brought up to date step by step. Nothing here raises: a table that
// cannot be read is rebuilt and the problem logged (LogStockError).
#pragma once

#include <memory>

#include "foundation/HyDataTable.h"

extern std::unique_ptr<TDataTable> EffectPresetTable;    // "Media\Effects.dat" or built-in
extern std::unique_ptr<TDataTable> FramePresetTable;     // rows come from the frame packs
extern std::unique_ptr<TDataTable> PropertyTable;        // "Property1.db": row i for object type i
extern std::unique_ptr<TDataTable> ShadowPresetTable;    // "ShadowPreset.db"
extern std::unique_ptr<TDataTable> ReflectPresetTable;   // built-in
extern std::unique_ptr<TDataTable> ObjGradientTable;     // built-in
extern std::unique_ptr<TDataTable> GradientObjTable;     // "GradientObj.db"
extern std::unique_ptr<TDataTable> GradientTable;        // "Gradient.db"
extern std::unique_ptr<TDataTable> StylePresetTable;     // built-in, 82 rows
extern std::unique_ptr<TDataTable> SelectionTable;       // "Selection.db"
extern std::unique_ptr<TDataTable> TextTemplateTable;    // "TextTemplate.db"
// The brush styles of the brush and clone-stamp tools: "Media\Brush.dat", or
// no rows without it.
extern std::unique_ptr<TDataTable> BrushTable;

// File names, in DataFolder.
extern const char16_t* const PropertyFileName;      // "Property1.db"
extern const char16_t* const ShadowPresetFileName;  // "ShadowPreset.db"
extern const char16_t* const GradientObjFileName;   // "GradientObj.db"
extern const char16_t* const GradientFileName;      // "Gradient.db"
extern const char16_t* const SelectionFileName;     // "Selection.db"
extern const char16_t* const TextTemplateFileName;  // "TextTemplate.db"
// Where older versions kept the shadow presets (the temporary folder, which
// is cleaned): TempFolder + "shadow00" + EditionCode + ".tmp". Read once, when
// the data folder has no shadow presets yet, and written there.
String OldShadowPresetFileName();

// The shape of the object-defaults table: one row per object type, the
// current table version in property 9.
constexpr Integer PropertyTableRows = 23;
constexpr Integer PropertyTableVersion = 13;
constexpr Integer SelectionTableVersion = 11;

// Effect presets (from the effects pack, else the 28 built-in rows with the
// category names in properties 0 and 2), the frame categories and the brush
// styles.
void InitEffectFrameTables();
// The other tables, PropertyTable first, TextTemplateTable last.
void InitPropertyTables();
// Frees every table above.
void DonePresetTables();

// The built-in contents, for the loaders above and for whoever must restore
// a table (each replaces the table's rows).
void FillEffectPresets(TDataTable* Table);
void FillPropertyDefaults(TDataTable* Table);  // 22 rows, version 10
void UpgradePropertyTable(TDataTable* Table);  // the version steps up to 13
void FillShadowPresets(TDataTable* Table);
void FillReflectPresets(TDataTable* Table);
void FillObjGradients(TDataTable* Table);
void FillGradientObjPresets(TDataTable* Table);
void FillGradientPresets(TDataTable* Table);
void FillStylePresets(TDataTable* Table);
void FillSelections(TDataTable* Table);        // version 10
void UpgradeSelectionTable(TDataTable* Table);  // the version step up to 11
void FillTextTemplates(TDataTable* Table);
