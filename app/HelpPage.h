#pragma once
// The help page, opened in the desktop's web browser.
class QWidget;

// Opens Help/Quorvane.htm beside the program through xdg-open. When the page is missing, xdg-open
// cannot be started, or it says that the page could not be shown, a message over PARENT says why and
// names the page, so a user can open it by hand.
void OpenHelpPage(QWidget* parent);
