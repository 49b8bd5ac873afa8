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

#include <functional>
#include <future>
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
    TCollationRanks() = default;
    TCollationRanks(const TCollationRanks&) = delete;
    TCollationRanks& operator=(const TCollationRanks&) = delete;
    ~TCollationRanks();

    // The rank of each place's name, in the order given.
    std::vector<int32_t> RanksOf(const std::vector<TPlaceEntry>& places);
    // Collates the place names of a file on another thread ahead of their first listing (names() runs
    // there too and gives them by record number, a null text for a record never listed), so that a
    // large database lists quickly the first time as well. The next RanksOf takes the result, waiting
    // for it when it is not ready yet.
    void CollateAhead(std::function<std::vector<QString>()> names);
    // Record numbers with a rank kept for reuse; they grow with the places ranked, not with the file.
    size_t KeptRecords() const { return byRecord_.size(); }

private:
    using TKeyedNames = std::vector<std::pair<QCollatorSortKey, QString>>;
    // The distinct names with their sort keys, in collation order (merging new names then compares
    // keys, bytes, rather than collating names again), and the rank of each.
    struct TRankTable {
        TKeyedNames Sorted;
        QHash<TFastKey, int32_t> Rank;
    };
    using TRecordRanks = std::vector<std::pair<int32_t, QString>>; // by record number: rank and name
    struct TCollated {
        TRankTable Table;
        TRecordRanks ByRecord;
    };
    // The table of a file's names by record number, and each record's rank. Any thread.
    static TCollated CollateFile(std::vector<QString> namesByRecord);

    // Each distinct name with its sort key, in collation order. Any thread: it uses its own collator.
    static TKeyedNames Collate(std::vector<QString> names);
    // The table of names already in collation order. Any thread.
    static TRankTable Ranked(TKeyedNames sorted);
    // Adds the names not met yet.
    void Merge(TKeyedNames keyed);
    void TakeCollatedAhead();
    // The rank of a name met before; -1 for a new one. listed: the number of places being ranked.
    int32_t KnownRank(const TPlaceEntry& place, size_t listed);

    QString localeName_;
    TRankTable table_;
    std::future<TCollated> ahead_; // all names of a file, being collated on another thread
    QString aheadLocale_;          // the locale they are collated in
    TRecordRanks byRecord_;        // by record number: the rank and name last seen
};

class TPlaceListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Replaces all entries (the old ones are freed) and sorts them.
    void SetPlaces(std::vector<TPlaceEntry> places);
    void Clear() { SetPlaces({}); }
    // Collates the names names() gives on another thread, ahead of their first listing.
    void CollateAhead(std::function<std::vector<QString>()> names);

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
