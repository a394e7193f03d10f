#include "layout/ui/LayoutEditor.h"

#include "core/ui/Messages.h"
#include "layout/ui/EditorPlacement.h"
#include "layout/ui/LayOutEdit.h"

bool RunLayoutEditor(QWidget* parent, TDM_Sys& store, const TConfig& cfg)
{
    TFrm_LayOutEdit editor(store, cfg, parent);
    QString error;
    // Without the stored layouts a save would replace them with whatever was added.
    if (!editor.Load(&error)) {
        ShowError(parent, error);
        return false;
    }
    PlaceCentredOn(&editor, parent);
    return editor.exec() == QDialog::Accepted;
}
