#include "PlaceListModel.h"

#include "storage/Win1252.h"

#include <algorithm>

QByteArray LocationSortKey(const QString& text) { return UpperWin1252(EncodeWin1252(text)); }

QStringList SortedByLocationKey(QStringList texts) {
    std::vector<std::pair<QByteArray, QString>> keyed;
    keyed.reserve(size_t(texts.size()));
    for (QString& t : texts) keyed.emplace_back(LocationSortKey(t), std::move(t));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList sorted;
    sorted.reserve(qsizetype(keyed.size()));
    for (auto& k : keyed) sorted << std::move(k.second);
    return sorted;
}

int IndexOfLocationText(const QStringList& texts, const QString& text) {
    const QByteArray key = LocationSortKey(text);
    for (int i = 0; i < texts.size(); ++i)
        if (LocationSortKey(texts[i]) == key) return i;
    return -1;
}

void TPlaceListModel::SetPlaces(std::vector<TPlaceEntry> places) {
    beginResetModel();
    entries_.clear();
    entries_.reserve(places.size());
    for (TPlaceEntry& p : places) entries_.push_back({LocationSortKey(p.PlaceName), std::move(p)});
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Sorted& a, const Sorted& b) { return a.key < b.key; });
    endResetModel();
}

int TPlaceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant TPlaceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(entries_.size())) return {};
    const TPlaceEntry& e = entries_[size_t(index.row())].place;
    if (role == Qt::DisplayRole) return e.PlaceName;
    if (role == Qt::UserRole) return e.Rec.RecordIndex;
    return {};
}

int TPlaceListModel::Find(const QString& text) const {
    const QByteArray key = LocationSortKey(text);
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                                     [](const Sorted& e, const QByteArray& k) { return e.key < k; });
    return (it != entries_.end() && it->key == key) ? int(it - entries_.begin()) : -1;
}
