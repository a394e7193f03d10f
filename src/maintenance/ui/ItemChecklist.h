#pragma once
// The check list of the five backup items that the backup and restore dialogs share.
#include <cstdint>

class QListWidget;
class QWidget;

// A list of the items, none ticked, all enabled.
QListWidget* NewItemChecklist(QWidget* parent);
// The items ticked (among the enabled ones) as a mask.
uint32_t TickedItems(const QListWidget* list);
// Unticks every item and enables those in mask.
void EnableItems(QListWidget* list, uint32_t mask);
