#pragma once
// Pieces every operator dialog shares.
class QDialog;
class QDialogButtonBox;
class QLineEdit;

// Caption from the string table, the station's window font and dialog background.
void SetupStationDialog(QDialog* dialog, int captionId);
// "确定" (the default button, Enter) and "取消" (Escape); cancel rejects the dialog,
// OK is for the caller to connect.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);
// Refuses any edit that would make the text longer than maxBytes in GBK, the
// station's measure of text length (a Chinese character takes two).
void LimitToGbkBytes(QLineEdit* edit, int maxBytes);

// Names and passwords that can still be typed into the login dialog.
constexpr int LoginTextBytes = 8;
