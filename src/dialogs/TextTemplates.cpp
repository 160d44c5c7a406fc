#include "dialogs/TextTemplates.h"

#include "foundation/HyDataTable.h"

String TextTemplate(const TDataTable& Table, Integer Index)
{
    if (Index < 0 || Index >= TextTemplateCount || Table.ItemCount() <= TextTemplateRow) return String();
    const TRow* Row = Table.GetItem(TextTemplateRow);
    if (Row->ItemCount() <= Index) return String();
    return UnescapeCellText(Row->GetItem(Index)->Text());
}

void SetTextTemplate(TDataTable& Table, Integer Index, const String& Text)
{
    if (Index < 0 || Index >= TextTemplateCount) return;
    // A table written short (or damaged) still takes the templates.
    while (Table.ItemCount() <= TextTemplateRow) Table.AddItem(u",,,,,,,,,,,,,,,,,,,");
    TRow* Row = Table.GetItem(TextTemplateRow);
    while (Row->ItemCount() <= Index) Row->AddItem(String());
    Row->GetItem(Index)->SetText(EscapeCellText(Text));
}

Integer FeatherStartValue(Integer Radius) { return Radius == 0 ? 10 : Radius; }
