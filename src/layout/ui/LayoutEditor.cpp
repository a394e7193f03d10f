#include "layout/ui/LayoutEditor.h"

#include "layout/ui/LayOutEdit.h"

bool RunLayoutEditor(QWidget* parent, TDM_Sys& store)
{
    const TEditorPrompts prompts = TEditorPrompts::MessageBoxes();
    TFrm_LayOutEdit editor(store, prompts, parent);
    QString error;
    // Without the stored layouts a save would replace them with whatever was added.
    if (!editor.Load(&error)) {
        prompts.Tell(parent, 113, error);
        return false;
    }
    return editor.exec() == QDialog::Accepted;
}
