#pragma once
// Qt's own messages (warnings of its platform, painter, paths...) in a back-office
// command: held from the start, then shown or dropped once the command line says
// whether --verbose was given, so that a nightly job's output holds only its own texts.

// Holds every message from now on; call before the application object is made.
void HoldQtMessages();
// Shows the messages held and those to come on standard error, or drops them all.
void ShowQtMessages(bool show);
