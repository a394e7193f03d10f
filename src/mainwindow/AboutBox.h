#pragma once
// The About box of the station.
class QString;
class QWidget;

// Shows the station's name, its title (the settings' caption), version and purpose; closes with OK.
void RunAboutBox(QWidget* parent, const QString& title);
