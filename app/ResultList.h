#pragma once
// The lists of result rows (Angles, Solar; the list of the SolAir page): read-only, report-style, with
// grid lines, a heading row that takes the focus and columns that share the list's width. A refill
// touches only the cells whose text changed.
#include "app/TCalcDocument.h"

#include <QStringList>

class QTreeWidget;

// A read-only report-style list of result rows (Angles, Solar; and the list of the SolAir page).
QTreeWidget* CreateResultList(const QStringList& captions, int leftAligned);
void FillResultList(QTreeWidget* list, const QList<TResultRow>& rows);
// The heading last clicked or moved to with the keys on a list made by CreateResultList.
int CurrentHeading(const QTreeWidget* list);
