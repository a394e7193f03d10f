#pragma once
// The About box of the station.
class QWidget;

// Shows the station's name, title, version and purpose; closes with OK.
void RunAboutBox(QWidget* parent);
