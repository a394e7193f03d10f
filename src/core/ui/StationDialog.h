#pragma once
// The scaffold every station dialog shares: caption from the string table,
// the window font, the dialog background, the OK/Cancel row and GBK limits.
class QDialog;
class QDialogButtonBox;
class QFont;
class QLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// The OK/Cancel row under a dialog's fields.
struct TOkCancelRow {
    QDialogButtonBox* Box;
    QPushButton* Ok;      // "确定", the default button (Enter), object name Btn_Ok
    QPushButton* Cancel;  // "取消" (Escape), rejects the dialog, object name Btn_Cancel
};

// The window font of every station window: the system's tooltip font.
QFont StationFont();
// Caption from the string table (none for 0: the caller sets it), the station font and
// the background 0xF6F6F6.
void SetupStationDialog(QWidget* dialog, int captionId = 0);
// Paints the station's dialog background behind widget (panels inside other windows).
void SetStationBackground(QWidget* widget);
// The OK/Cancel row of dialog; OK is for the caller to connect (Box->accepted()).
TOkCancelRow OkCancelButtons(QDialog* dialog);
// Lays the dialog out as content above its OK/Cancel row, and returns the row.
TOkCancelRow LayOutWithOkCancel(QDialog* dialog, QLayout* content);
// Refuses any edit that would make the text longer than maxBytes in GBK, the
// station's measure of text length (a Chinese character takes two).
void LimitToGbkBytes(QLineEdit* edit, int maxBytes);
// A password field: every typed character shows as "*".
void MakePasswordField(QLineEdit* edit);
