#pragma once
// The program's version as the main window's caption, the about box and the report footer show it.
#include <QString>

// The file version text of the executable (the running one when fileName is empty), or an empty text
// when the file holds no readable version block.
QString ProgramVersionText(const QString& fileName = QString());
// "Quorvane - Version " + the version text; just "Quorvane" when the version text is empty.
QString MainCaption(const QString& versionText);
