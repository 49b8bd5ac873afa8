#pragma once
// The sorted place list of the location dialog, as a model so that a region of a few hundred thousand
// places fills in one step. Entries are ordered with the user's collation without regard to case
// (equal names keep their file order); a text is found by whole-text comparison without regard to case.
#include "LocationDb.h"
#include "storage/FastHash.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QCollator>
#include <QHash>

#include <vector>

// The collation of every sorted list of names: the user's locale, without regard to case, digits
// compared one by one. The C locale has no collation of its own; it orders as the language-neutral
// Unicode order does, so that "São Paulo" comes before "Suva" there too.
QCollator LocationCollator();

// The search key of a name: its Windows-1252 bytes, upper-cased. The database and region boxes use
// the same rule.
QByteArray LocationSortKey(const QString& text);
// True when the two texts are equal without regard to case, by that rule.
bool SameLocationText(const QString& a, const QString& b);
// Sorts texts with the collation (stable) and returns them.
QStringList SortedByLocationKey(QStringList texts);
// Position of the first of texts equal to text without regard to case; -1 when none.
int IndexOfLocationText(const QStringList& texts, const QString& text);

// The collation order of names met so far, as ranks: a smaller rank sorts first, names the collation
// holds equal share a rank. Collating a name is slow next to comparing two numbers, so each name is
// collated once and a list of a few hundred thousand places is sorted by rank.
class TCollationRanks {
public:
    // The rank of each place's name, in the order given.
    std::vector<int32_t> RanksOf(const std::vector<TPlaceEntry>& places);

private:
    // The rank of a name met before; -1 for a new one.
    int32_t KnownRank(const TPlaceEntry& place);
    void AddNames(std::vector<QString> names);

    QString localeName_;
    QCollator collator_;
    // The distinct names met with their sort keys, in collation order: merging and ranking new names
    // then compare keys (bytes) rather than collate names again.
    std::vector<std::pair<QCollatorSortKey, QString>> sorted_;
    QHash<TFastKey, int32_t> rank_;
    std::vector<std::pair<int32_t, QString>> byRecord_; // by record number: the rank and name last seen
};

class TPlaceListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Replaces all entries (the old ones are freed) and sorts them.
    void SetPlaces(std::vector<TPlaceEntry> places);
    void Clear() { SetPlaces({}); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const TPlaceEntry& Entry(int row) const { return entries_[size_t(row)]; }
    // Rows, in list order, of the entries whose name equals text without regard to case.
    std::vector<int> FindAll(const QString& text) const;
    // Row of the first of them; -1 when none.
    int Find(const QString& text) const;

private:
    std::vector<TPlaceEntry> entries_;
    TCollationRanks ranks_;
};
