#pragma once
// The sorted place list of the location dialog, as a model so that a region of a few hundred thousand
// places fills in one step. Entries are ordered alphabetically without regard to case (equal names
// keep their file order); a text is found by whole-text comparison without regard to case.
#include "LocationDb.h"

#include <QAbstractListModel>
#include <QByteArray>

#include <array>
#include <vector>

// The sort and search key of a name: its Windows-1252 bytes, upper-cased. The database and region
// boxes use the same rule.
QByteArray LocationSortKey(const QString& text);
// Sorts texts with that rule (stable) and returns them.
QStringList SortedByLocationKey(QStringList texts);
// Position of the first of texts equal to text without regard to case; -1 when none.
int IndexOfLocationText(const QStringList& texts, const QString& text);

class TPlaceListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Replaces all entries (the old ones are freed) and sorts them.
    void SetPlaces(std::vector<TPlaceEntry> places);
    void Clear() { SetPlaces({}); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const TPlaceEntry& Entry(int row) const { return entries_[size_t(row)].place; }
    // Row of the first entry whose name equals text without regard to case; -1 when none.
    int Find(const QString& text) const;

private:
    // The sort key of a name in a fixed buffer: a record name has at most 31 bytes, and comparing
    // fixed buffers keeps sorting a few hundred thousand places quick.
    using Key = std::array<char, 32>;
    static Key KeyOf(const QString& text);
    struct Sorted {
        Key key;
        TPlaceEntry place;
    };
    std::vector<Sorted> entries_;
};
