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

std::vector<int32_t> TCollationRanks::RanksOf(const std::vector<TPlaceEntry>& places) {
    if (const QString locale = QLocale().name(); locale != localeName_) {
        // The user's locale changed: the names met so far are collated again when next met.
        localeName_ = locale;
        collator_ = LocationCollator();
        sorted_.clear();
        rank_.clear();
        byRecord_.clear();
    }
    std::vector<int32_t> ranks(places.size(), -1);
    std::vector<QString> unknown;
    for (size_t i = 0; i < places.size(); ++i)
        if ((ranks[i] = KnownRank(places[i])) < 0) unknown.push_back(places[i].PlaceName);
    if (unknown.empty()) return ranks;
    AddNames(std::move(unknown));
    for (size_t i = 0; i < places.size(); ++i)
        ranks[i] = KnownRank(places[i]);
    return ranks;
}

int32_t TCollationRanks::KnownRank(const TPlaceEntry& place) {
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
    const auto it = rank_.constFind(TFastKey{place.PlaceName});
    if (it == rank_.cend()) return -1;
    if (place.Rec.RecordIndex >= 0) {
        if (record >= byRecord_.size()) byRecord_.resize(record + 1, {-1, QString()});
        byRecord_[record] = {*it, place.PlaceName};
    }
    return *it;
}

void TCollationRanks::AddNames(std::vector<QString> names) {
    // Sort keys make each comparison a byte comparison; the new names are then merged into those met.
    // Each distinct name is collated once (a hash set finds repeats quicker than sorting the texts).
    QSet<TFastKey> distinct;
    distinct.reserve(qsizetype(names.size()));
    std::vector<std::pair<QCollatorSortKey, QString>> keyed;
    keyed.reserve(names.size());
    for (QString& n : names) {
        const qsizetype count = distinct.size();
        distinct.insert(TFastKey{n});
        if (distinct.size() > count) keyed.emplace_back(collator_.sortKey(n), std::move(n));
    }
    const auto before = [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; };
    std::sort(keyed.begin(), keyed.end(), before);
    std::vector<std::pair<QCollatorSortKey, QString>> merged;
    merged.reserve(sorted_.size() + keyed.size());
    std::merge(std::make_move_iterator(sorted_.begin()), std::make_move_iterator(sorted_.end()),
               std::make_move_iterator(keyed.begin()), std::make_move_iterator(keyed.end()),
               std::back_inserter(merged), before);
    sorted_ = std::move(merged);
    rank_.clear();
    byRecord_.clear();
    rank_.reserve(qsizetype(sorted_.size()));
    int32_t rank = 0;
    for (size_t i = 0; i < sorted_.size(); ++i) {
        if (i > 0 && sorted_[i - 1].first.compare(sorted_[i].first) != 0) ++rank;
        rank_.insert(TFastKey{sorted_[i].second}, rank);
    }
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
