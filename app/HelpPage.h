#pragma once
// The help page, opened in the desktop's web browser.
class QWidget;

// Opens Help/Quorvane.htm beside the program through xdg-open. When the page is missing, xdg-open
// cannot be started, or it says that nothing could show the page, a message over PARENT says so and
// names the page, so a user can open it by hand.
void OpenHelpPage(QWidget* parent);
