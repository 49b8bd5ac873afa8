#include "PlaceListModel.h"

#include "storage/Win1252.h"

#include <algorithm>
#include <cstring>

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

TPlaceListModel::Key TPlaceListModel::KeyOf(const QString& text) {
    // Zero padding orders a name before every longer name it begins; names longer than the buffer
    // compare by their first 32 bytes and then keep their file order.
    Key key{};
    const QByteArray bytes = EncodeWin1252(text);
    const size_t n = std::min(key.size(), size_t(bytes.size()));
    for (size_t i = 0; i < n; ++i) key[i] = UpperWin1252(bytes[qsizetype(i)]);
    return key;
}

namespace {
template <typename K> bool KeyLess(const K& a, const K& b) {
    return std::memcmp(a.data(), b.data(), a.size()) < 0; // byte order, as unsigned characters
}
} // namespace

void TPlaceListModel::SetPlaces(std::vector<TPlaceEntry> places) {
    beginResetModel();
    entries_.clear();
    entries_.reserve(places.size());
    for (TPlaceEntry& p : places) entries_.push_back({KeyOf(p.PlaceName), std::move(p)});
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Sorted& a, const Sorted& b) { return KeyLess(a.key, b.key); });
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
    // Equal keys are only a candidate when the name is longer than the key; the whole names decide.
    const Key key = KeyOf(text);
    const QByteArray whole = LocationSortKey(text);
    auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                               [](const Sorted& e, const Key& k) { return KeyLess(e.key, k); });
    for (; it != entries_.end() && it->key == key; ++it)
        if (LocationSortKey(it->place.PlaceName) == whole) return int(it - entries_.begin());
    return -1;
}
