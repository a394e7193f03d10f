#pragma once
// The arrangement the staff edit dialogs share: labelled fields above OK and Cancel.
class QDialog;
class QFormLayout;
class QPushButton;

// OK becomes the default button; Cancel rejects the dialog. OK is for the caller to connect.
void LayOutEditDialog(QDialog* dialog, QFormLayout* fields, QPushButton* ok, QPushButton* cancel);
