#include "PlaceListModel.h"

#include "storage/Win1252.h"

#include <QSet>
#include <algorithm>
#include <cstring>

QCollator LocationCollator() {
    QLocale locale;
    // English has no tailoring of its own: it is the language-neutral Unicode order.
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    return collator;
}

QByteArray LocationSortKey(const QString& text) {
    return UpperWin1252(EncodeWin1252(text));
}

QStringList SortedByLocationKey(QStringList texts) {
    std::stable_sort(texts.begin(), texts.end(), LocationCollator());
    return texts;
}

bool SameLocationText(const QString& a, const QString& b) {
    // Upper-casing keeps the length, so texts of different lengths differ without being encoded.
    return a.size() == b.size() && LocationSortKey(a) == LocationSortKey(b);
}

int IndexOfLocationText(const QStringList& texts, const QString& text) {
    for (int i = 0; i < texts.size(); ++i)
        if (SameLocationText(texts[i], text)) return i;
    return -1;
}

namespace {

// Collation order of (sort key, name) pairs.
bool KeyBefore(const std::pair<QCollatorSortKey, QString>& a, const std::pair<QCollatorSortKey, QString>& b) {
    return a.first.compare(b.first) < 0;
}

} // namespace

TCollationRanks::~TCollationRanks() {
    if (ahead_.valid()) ahead_.wait(); // the thread uses nothing of this object, but must end first
}

void TCollationRanks::CollateAhead(std::function<std::vector<QString>()> names) {
    TakeCollatedAhead();
    aheadLocale_ = QLocale().name();
    ahead_ = std::async(std::launch::async, [names = std::move(names)] { return CollateFile(names()); });
}

TCollationRanks::TCollated TCollationRanks::CollateFile(std::vector<QString> namesByRecord) {
    std::vector<QString> names;
    names.reserve(namesByRecord.size());
    std::copy_if(namesByRecord.begin(), namesByRecord.end(), std::back_inserter(names),
                 [](const QString& name) { return !name.isNull(); });
    TCollated collated{Ranked(Collate(std::move(names))), {}};
    collated.ByRecord.resize(namesByRecord.size(), {-1, QString()});
    for (size_t record = 0; record < namesByRecord.size(); ++record)
        if (!namesByRecord[record].isNull())
            collated.ByRecord[record] = {collated.Table.Rank.value(TFastKey{namesByRecord[record]}),
                                         std::move(namesByRecord[record])};
    return collated;
}

void TCollationRanks::TakeCollatedAhead() {
    if (!ahead_.valid()) return;
    // The names collated ahead are all those of a database: they replace the table whole. Names of
    // other files met before are collated again should they be listed again.
    TCollated collated = ahead_.get();
    if (aheadLocale_ != localeName_ || collated.Table.Sorted.empty()) return;
    table_ = std::move(collated.Table);
    byRecord_ = std::move(collated.ByRecord);
}

std::vector<int32_t> TCollationRanks::RanksOf(const std::vector<TPlaceEntry>& places) {
    if (const QString locale = QLocale().name(); locale != localeName_) {
        // The user's locale changed: the names met so far are collated again when next met.
        localeName_ = locale;
        table_ = {};
        byRecord_.clear();
    }
    TakeCollatedAhead();
    std::vector<int32_t> ranks(places.size(), -1);
    std::vector<QString> unknown;
    for (size_t i = 0; i < places.size(); ++i)
        if ((ranks[i] = KnownRank(places[i], places.size())) < 0) unknown.push_back(places[i].PlaceName);
    if (unknown.empty()) return ranks;
    Merge(Collate(std::move(unknown)));
    for (size_t i = 0; i < places.size(); ++i)
        ranks[i] = KnownRank(places[i], places.size());
    return ranks;
}

int32_t TCollationRanks::KnownRank(const TPlaceEntry& place, size_t listed) {
    // The record's own slot answers most lookups with one comparison; the name decides, so a slot
    // of another file or of a changed record falls back to the lookup by name.
    const auto record = size_t(place.Rec.RecordIndex);
    if (record < byRecord_.size()) {
        // A name listed again is mostly the very text seen last time, which needs no comparing.
        const QString& seen = byRecord_[record].second;
        if ((seen.constData() == place.PlaceName.constData() && seen.size() == place.PlaceName.size()) ||
            seen == place.PlaceName)
            return byRecord_[record].first;
    }
    const auto it = table_.Rank.constFind(TFastKey{place.PlaceName});
    if (it == table_.Rank.cend()) return -1;
    if (place.Rec.RecordIndex >= 0 && (record < byRecord_.size() || KeepsSlotFor(record, listed))) {
        if (record >= byRecord_.size()) byRecord_.resize(record + 1, {-1, QString()});
        byRecord_[record] = {*it, place.PlaceName};
    }
    return *it;
}

TCollationRanks::TKeyedNames TCollationRanks::Collate(std::vector<QString> names) {
    // Sort keys make each comparison a byte comparison. Each distinct name is collated once (a hash set
    // finds repeats quicker than sorting the texts).
    const QCollator collator = LocationCollator();
    QSet<TFastKey> distinct;
    distinct.reserve(qsizetype(names.size()));
    TKeyedNames keyed;
    keyed.reserve(names.size());
    for (QString& n : names) {
        const qsizetype count = distinct.size();
        distinct.insert(TFastKey{n});
        if (distinct.size() > count) keyed.emplace_back(collator.sortKey(n), std::move(n));
    }
    std::sort(keyed.begin(), keyed.end(), KeyBefore);
    return keyed;
}

TCollationRanks::TRankTable TCollationRanks::Ranked(TKeyedNames sorted) {
    TRankTable table{std::move(sorted), {}};
    table.Rank.reserve(qsizetype(table.Sorted.size()));
    int32_t rank = 0;
    for (size_t i = 0; i < table.Sorted.size(); ++i) {
        if (i > 0 && table.Sorted[i - 1].first.compare(table.Sorted[i].first) != 0) ++rank;
        table.Rank.insert(TFastKey{table.Sorted[i].second}, rank);
    }
    return table;
}

void TCollationRanks::Merge(TKeyedNames keyed) {
    TKeyedNames merged;
    merged.reserve(table_.Sorted.size() + keyed.size());
    std::merge(std::make_move_iterator(table_.Sorted.begin()), std::make_move_iterator(table_.Sorted.end()),
               std::make_move_iterator(keyed.begin()), std::make_move_iterator(keyed.end()),
               std::back_inserter(merged), KeyBefore);
    table_ = Ranked(std::move(merged));
    byRecord_.clear();
}

void TPlaceListModel::CollateAhead(std::function<std::vector<QString>()> names) {
    ranks_.CollateAhead(std::move(names));
}

void TPlaceListModel::SetPlaces(std::vector<TPlaceEntry> places) {
    beginResetModel();
    const std::vector<int32_t> ranks = ranks_.RanksOf(places);
    // The ranks are small numbers, so the entries are placed by counting: each rank's first position is
    // the count of smaller ranks, and walking in file order keeps equal names in file order.
    const int32_t top = ranks.empty() ? 0 : *std::max_element(ranks.begin(), ranks.end());
    std::vector<size_t> start(size_t(top) + 2, 0);
    for (int32_t r : ranks)
        ++start[size_t(r) + 1];
    for (size_t r = 1; r < start.size(); ++r)
        start[r] += start[r - 1];
    std::vector<TPlaceEntry> sorted(places.size());
    for (size_t i = 0; i < places.size(); ++i)
        sorted[start[size_t(ranks[i])]++] = std::move(places[i]);
    entries_ = std::move(sorted);
    endResetModel();
}

int TPlaceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant TPlaceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(entries_.size())) return {};
    const TPlaceEntry& e = entries_[size_t(index.row())];
    if (role == Qt::DisplayRole) return e.PlaceName;
    if (role == Qt::UserRole) return e.Rec.RecordIndex;
    return {};
}

std::vector<int> TPlaceListModel::FindAll(const QString& text) const {
    std::vector<int> rows;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const QString& name = entries_[i].PlaceName;
        // Names equal by the key are equal without regard to case in Unicode too, so that comparison,
        // which makes no texts, passes over the others first.
        if (name.size() == text.size() && name.compare(text, Qt::CaseInsensitive) == 0 &&
            SameLocationText(name, text))
            rows.push_back(int(i));
    }
    return rows;
}

int TPlaceListModel::Find(const QString& text) const {
    const std::vector<int> rows = FindAll(text);
    return rows.empty() ? -1 : rows.front();
}
