// TextTemplates: the three text templates of the text panel, kept in row 2
// of the text-template table (cells 0 to 2), escaped so that the table's
// separators never occur in a cell; and the feather dialog's start value.
#pragma once

#include "framework/runtime/System.h"

class TDataTable;

constexpr Integer TextTemplateRow = 2;
constexpr Integer TextTemplateCount = 3;

// Template Index (0 to 2) as the user wrote it; empty when the table lacks it.
String TextTemplate(const TDataTable& Table, Integer Index);
// Stores template Index, growing a short table to the row and cell it needs.
void SetTextTemplate(TDataTable& Table, Integer Index, const String& Text);

// The feather dialog proposes the selection's radius, or 10 for none.
Integer FeatherStartValue(Integer Radius);
// The feather edit's limits.
constexpr Integer FeatherMin = 0, FeatherMax = 200;
